// Feeds arbitrary bytes to the INI reader, reads every section and key it
// found, and checks that writing the document out and reading it again
// gives the same sections and values, also after an edit of each kind, and
// that a document that accepts edits was read exactly: written out
// unedited, it gives back the bytes it was read from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile_document.h"

namespace {

using platform::ProfileDocument;
using platform::WString;

// Every value of every section, in order.
std::vector<WString> Snapshot(const ProfileDocument& document) {
  std::vector<WString> seen;
  for (const WString& section : document.SectionNames()) {
    seen.push_back(section);
    for (const WString& line : document.SectionLines(section)) {
      const WString key = line.substr(0, line.find(u'='));
      seen.push_back(line);
      seen.push_back(document.Value(section, key).value_or(u"<missing>"));
    }
  }
  return seen;
}

// A document that has bytes to write reads back from them as it stands.
void CheckRoundTrip(const ProfileDocument& document) {
  const std::optional<std::string> bytes = document.Serialize();
  if (bytes && Snapshot(ProfileDocument::Parse(*bytes)) != Snapshot(document)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ProfileDocument document = ProfileDocument::Parse(bytes);
  CheckRoundTrip(document);
  const std::optional<std::string> unedited = document.Serialize();
  const std::vector<WString> sections = document.SectionNames();
  const WString section = sections.empty() ? WString(u"S") : sections.front();
  const WString key = u"k" + WString(1, static_cast<char16_t>(size % 128));
  if (document.SetValue(section, key, u"\"v\"") != platform::ProfileEdit::kRefused && unedited != bytes) std::abort();
  CheckRoundTrip(document);
  if (document.Value(section, key).has_value() &&
      document.SetValue(section, key, u"x") == platform::ProfileEdit::kChanged &&
      document.Value(section, key) != u"x") {
    std::abort();
  }
  document.ReplaceSection(u"R", {u"a=1", key + u"=2"});
  document.DeleteKey(section, key);
  CheckRoundTrip(document);
  if (document.DeleteSection(section) != platform::ProfileEdit::kRefused && document.Value(section, u"a")) std::abort();
  CheckRoundTrip(document);
  return 0;
}
