// The system's text type. Text inside the system is UTF-16 in char16_t,
// never wchar_t (which is 32-bit on Linux).
#pragma once

#include <string>
#include <string_view>

namespace platform {

using WChar = char16_t;
using WString = std::u16string;
using WStringView = std::u16string_view;

}  // namespace platform
