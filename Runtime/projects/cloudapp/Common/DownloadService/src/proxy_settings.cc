#include "proxy_settings.h"

#include <vector>

#include "platform/wide_string.h"
#include "text_split.h"

namespace {

bool WildcardMatches(platform::WStringView entry, platform::WStringView host) {
  std::size_t position = 0;
  for (platform::WStringView piece : SplitNonEmpty(entry, u'*')) {
    const std::size_t found = platform::WFindNoCase(host, piece, position);
    if (found == platform::WStringView::npos) return false;
    position = found + piece.size();
  }
  return true;
}

}  // namespace

bool ProxySettings::IsBypassed(platform::WStringView host) const {
  if (host.empty()) return false;
  for (platform::WStringView entry : SplitNonEmpty(bypass, u';')) {
    if (platform::WEqualsNoCase(entry, u"<local>")) continue;
    if (WildcardMatches(entry, host)) return true;
  }
  return false;
}
