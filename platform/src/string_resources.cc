#include "platform/string_resources.h"

#include <cstdlib>

namespace platform {

UiLanguage CurrentUiLanguage() {
  for (const char* name : {"LUMARINE_LANG", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    const bool chinese = (value[0] == 'z' || value[0] == 'Z') && (value[1] == 'h' || value[1] == 'H');
    return chinese ? UiLanguage::kChinese : UiLanguage::kEnglish;
  }
  return UiLanguage::kEnglish;
}

WString LoadStringResource(const StringResource* table, std::size_t count, unsigned id) {
  if (table == nullptr) return WString();
  const bool chinese = CurrentUiLanguage() == UiLanguage::kChinese;
  for (std::size_t i = 0; i < count; ++i) {
    if (table[i].id != id) continue;
    const WChar* text = chinese && table[i].chinese ? table[i].chinese : table[i].english;
    return text ? WString(text) : WString();
  }
  return WString();
}

}  // namespace platform
