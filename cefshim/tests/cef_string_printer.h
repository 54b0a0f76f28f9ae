// Lets GoogleTest print a CefString as its UTF-8 text.
#pragma once

#include <ostream>

#include "cef_string.h"

inline std::ostream& operator<<(std::ostream& out, const CefString& text) {
  return out << '"' << text.ToString() << '"';
}
