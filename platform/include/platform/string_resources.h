// String resources: compiled-in tables of a module's user-visible texts in
// English and Chinese.
//
// The language comes from LUMARINE_LANG, else LC_ALL, LC_MESSAGES, LANG (the
// first that is set and non-empty): a value beginning "zh" (in either case)
// gives Chinese, anything else English. The environment is read on every call.
// Thread safety: any thread.
#pragma once

#include <cstddef>

#include "platform/text_types.h"

namespace platform {

enum class UiLanguage { kEnglish, kChinese };

UiLanguage CurrentUiLanguage();

struct StringResource {
  unsigned id;
  const WChar* english;
  const WChar* chinese;  // null: the English text is used
};

// The text of resource `id` in the current language; "" when the table has
// no such id (as a missing Windows resource loads as an empty text).
WString LoadStringResource(const StringResource* table, std::size_t count, unsigned id);

template <std::size_t N>
WString LoadStringResource(const StringResource (&table)[N], unsigned id) {
  return LoadStringResource(table, N, id);
}

}  // namespace platform
