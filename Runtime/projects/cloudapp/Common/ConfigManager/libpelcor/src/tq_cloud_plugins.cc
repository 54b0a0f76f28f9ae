#include "tq_cloud_plugins.h"

#include <cmath>
#include <limits>

#include "boundary_guard.h"
#include "json_error_text.h"
#include "json_file.h"
#include "json_members.h"
#include "libpelcor/config_result.h"

namespace {

// The section of a program kind, null for an unknown kind.
const char16_t* ProgramSection(std::uint32_t kind) {
  switch (kind) {
    case 0:
      return u"dovrake";
    case 1:
      return u"mirtaval";
    default:
      return nullptr;
  }
}

// A number as a 32-bit integer: an integer keeps its low 32 bits (as every
// integer member of the library does); a fraction is cut toward zero and
// held within the 32-bit range.
std::int32_t NumberAsInt32(const JsonValue& number) {
  std::int32_t value;
  if (ReadInt32(number, value)) return value;
  const double truncated = std::trunc(number.GetDouble());
  if (truncated <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (truncated >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(truncated);
}

// Sets `field` to the member's text when it is a string.
bool ReadText(const JsonValue& object, const char16_t* name, std::u16string& field) {
  const JsonValue* member = FindMember(object, name);
  if (member == nullptr || !member->IsString()) return false;
  field = StringOf(*member);
  return true;
}

}  // namespace

void CTQCloudPlugins::Destroy(unsigned flags) {
  if ((flags & 1) != 0) {
    delete this;
    return;
  }
  m_loaded = false;
  GuardedCall([&] { m_document = std::make_unique<JsonDocument>(); });
}

bool CTQCloudPlugins::Load(const std::u16string& path, std::u16string& error) {
  return Guarded(false, [&] {
    // A fresh document, so that a failed load keeps the previous one.
    auto document = std::make_unique<JsonDocument>();
    const std::uint32_t code = LoadJsonFile(*document, path.c_str());
    if (code == CONFIG_OK) {
      m_document = std::move(document);
      m_loaded = true;
      return true;
    }
    // The document describes parse errors only; name the others.
    if (code == CONFIG_OPEN_FAILED) {
      document->SetParseError(kJsonErrorNoFile, 0);
    } else if (code == CONFIG_EMPTY_FILE) {
      document->SetParseError(rapidjson::kParseErrorDocumentEmpty, 0);
    }
    error = ParseFailureMessage(path, *document);
    return false;
  });
}

bool CTQCloudPlugins::GetProgramInfo(std::uint32_t kind, CloudProgramInfo& info) {
  const char16_t* section_name = ProgramSection(kind);
  if (!m_loaded || section_name == nullptr) return false;
  return Guarded(false, [&] {
    const JsonValue& root = m_document->Root();
    const JsonValue* mode = FindMember(root, u"mode");
    if (mode != nullptr) ReadInt32(*mode, info.Mode);
    const JsonValue* section = FindMember(root, section_name);
    if (section == nullptr || !section->IsObject()) return false;
    if (!ReadText(*section, u"version", info.Version) || !ReadText(*section, u"minver", info.MinVersion)) {
      return false;
    }
    const JsonValue* update_mode = FindMember(*section, u"updatemode");
    if (update_mode == nullptr || !update_mode->IsNumber()) return false;
    info.UpdateMode = NumberAsInt32(*update_mode);
    info.Kind = kind;
    return true;
  });
}

bool CTQCloudPlugins::GetPackages(CloudPackageInfo& info) {
  if (!m_loaded) return false;
  return Guarded(false, [&] {
    const JsonValue& root = m_document->Root();
    return ReadText(root, u"package", info.Package) && ReadText(root, u"checkcode", info.CheckCode);
  });
}
