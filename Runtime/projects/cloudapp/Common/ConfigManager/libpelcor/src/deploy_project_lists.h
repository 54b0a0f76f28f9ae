// The file-name and package lists of DeployProjectRecord as JSON, shared by
// the deployment-project document and the DbConfig text: file names as an
// array of strings, packages as an object {package name: array of file
// names}. Lists are read into builders that own them until they are handed
// to a record, so a failure or an allocation error leaks nothing. One
// thread at a time per document.
#pragma once

#include <cstdint>

#include "json_document.h"
#include "json_object_builder.h"
#include "libpelcor/deploy_project_record.h"
#include "platform/text_types.h"
#include "record_list_builder.h"

// Owns a package list while it is built: the packages and their file lists
// are freed unless the list is released.
class PackageListBuilder {
 public:
  PackageListBuilder() = default;
  PackageListBuilder(const PackageListBuilder&) = delete;
  PackageListBuilder& operator=(const PackageListBuilder&) = delete;
  ~PackageListBuilder();

  // A package named `name` (cut to the field) holding the file names of
  // `files` (read as by ReadFileNames), at the tail.
  void Append(platform::WStringView name, const JsonValue& files);

  // The first package (null when none); the builder is empty afterwards.
  PackageNode* Release();

 private:
  PackageNode* head_ = nullptr;
  PackageNode** tail_ = &head_;
};

// Appends one node per element of `array` (an element that is not a string
// gives the empty name; names are cut to the field); nothing for a value
// that is not an array.
void ReadFileNames(const JsonValue& array, RecordListBuilder<FileNameNode>& list);

// Appends one package per member of `packages` (an object), in member
// order: 0, or 3 (CONFIG_INVALID_JSON) at the first member whose value is
// not an array.
std::uint32_t ReadPackages(const JsonValue& packages, PackageListBuilder& list);

void WriteFileNameList(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                       const FileNameNode* head);
void WritePackageList(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                      const PackageNode* head);

// Frees a package list with the file list of every package; `head` becomes
// null.
void FreePackageList(PackageNode*& head);
