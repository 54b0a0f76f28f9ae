// The XML file beside the executable that names the runtime's folder:
//   <Application><RuntimePath>folder</RuntimePath></Application>
// Any thread.
#pragma once

#include <optional>

#include "platform/text_types.h"

namespace launcher {

// The XML file of an executable: its path with the file name's extension
// (from the name's last ".", a leading "." starting none) replaced by
// ".xml", or with ".xml" appended when the name has none. A "." in a folder
// name is no extension. Pure.
platform::WString XmlFilePath(platform::WStringView executable_path);

// The text of the first "RuntimePath" element inside the first
// "Application" element, decoded from UTF-8; "" when that element holds no
// text. nullopt when the file is missing, is not a regular file, does not
// parse, or lacks either element.
std::optional<platform::WString> ReadRuntimePath(platform::WStringView xml_path);

}  // namespace launcher
