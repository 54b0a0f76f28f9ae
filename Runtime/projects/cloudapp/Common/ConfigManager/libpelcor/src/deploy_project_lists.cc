#include "deploy_project_lists.h"

#include "json_members.h"
#include "libpelcor/config_result.h"
#include "record_field.h"
#include "record_list.h"

PackageListBuilder::~PackageListBuilder() { FreePackageList(head_); }

void PackageListBuilder::Append(platform::WStringView name, const JsonValue& files) {
  RecordListBuilder<FileNameNode> file_list;
  ReadFileNames(files, file_list);
  auto* package = new PackageNode();
  *tail_ = package;
  tail_ = &package->Next;
  CopyToField(package->Name, name);
  package->Files = file_list.Release();
}

PackageNode* PackageListBuilder::Release() {
  PackageNode* head = head_;
  head_ = nullptr;
  tail_ = &head_;
  return head;
}

void ReadFileNames(const JsonValue& array, RecordListBuilder<FileNameNode>& list) {
  if (!array.IsArray()) return;
  for (const JsonValue& element : array.GetArray()) CopyToField(list.Append().Name, StringOf(element));
}

std::uint32_t ReadPackages(const JsonValue& packages, PackageListBuilder& list) {
  for (const auto& package : packages.GetObject()) {
    if (!package.value.IsArray()) return CONFIG_INVALID_JSON;
    list.Append(StringOf(package.name), package.value);
  }
  return CONFIG_OK;
}

void WriteFileNameList(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                       const FileNameNode* head) {
  JsonObjectBuilder array(document, JsonObjectBuilder::Kind::kArray);
  for (const FileNameNode* file = head; file != nullptr; file = file->Next) array.PushString(FieldText(file->Name));
  parent.AddValue(name, array);
}

void WritePackageList(JsonObjectBuilder& parent, JsonDocument& document, platform::WStringView name,
                      const PackageNode* head) {
  JsonObjectBuilder packages(document, JsonObjectBuilder::Kind::kObject);
  for (const PackageNode* package = head; package != nullptr; package = package->Next) {
    WriteFileNameList(packages, document, FieldText(package->Name), package->Files);
  }
  parent.AddValue(name, packages);
}

void FreePackageList(PackageNode*& head) {
  FreeRecordList(head, [](PackageNode* package) { FreeRecordList(package->Files); });
}
