#include "app_xml_file.h"

#include <tinyxml.h>

#include <cstdio>

#include "platform/files.h"
#include "platform/unicode.h"

namespace launcher {

platform::WString XmlFilePath(platform::WStringView executable_path) {
  const std::size_t name_start = executable_path.rfind(u'/') + 1;  // npos + 1 == 0
  const std::size_t dot = executable_path.rfind(u'.');
  const bool has_extension = dot != platform::WStringView::npos && dot > name_start;
  platform::WString path(executable_path.substr(0, has_extension ? dot : executable_path.size()));
  return path + u".xml";
}

std::optional<platform::WString> ReadRuntimePath(platform::WStringView xml_path) {
  std::FILE* file = platform::OpenFile(xml_path, "rb");
  if (file == nullptr) return std::nullopt;
  TiXmlDocument document;
  const bool parsed = document.LoadFile(file, TIXML_ENCODING_UTF8);
  std::fclose(file);
  if (!parsed) return std::nullopt;
  const TiXmlElement* application = document.FirstChildElement("Application");
  const TiXmlElement* runtime_path = application ? application->FirstChildElement("RuntimePath") : nullptr;
  if (runtime_path == nullptr) return std::nullopt;
  const char* text = runtime_path->GetText();
  return platform::Utf8ToUtf16(text ? text : "");
}

}  // namespace launcher
