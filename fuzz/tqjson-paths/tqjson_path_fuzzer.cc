// Feeds arbitrary UTF-16 paths and keys to the writer's path forms on a
// small document: every path that names a value must lead, through its
// handle and the handle's path, back to the same handle, and the document
// must stay writable as text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tqjson/json_generator.h"
#include "tqjson/json_generator_adapter.h"
#include "tqjson/rapid_json_generator.h"

namespace {

using namespace TQJSON;

IJsonGenerator* NewDocument() {
  auto* adapter = new CJsonGeneratorAdapter();
  adapter->SetImplementation(new CRapidJsonGenerator());
  IJsonGenerator* generator = new CJsonGenerator(adapter);
  JsonHandle root = 0, list = 0, added = 0;
  generator->CreateRootObjectHandle(&root);
  generator->AddArrayMemberByHandle(root, u"list", &list);
  generator->AppendObjectByHandle(list, &added);
  generator->AddIntMemberByHandle(added, u"1", 1, &added);
  generator->AddStringMemberByHandle(root, u"a/b~c", u"x", &added);
  return generator;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  // The text is a path, then optionally a NUL and a key.
  const std::size_t split = text.find(u'\0');
  const std::u16string path = text.substr(0, split);
  const std::u16string key = split == std::u16string::npos ? u"k" : text.substr(split + 1);

  IJsonGenerator* generator = NewDocument();
  JsonHandle handle = 0;
  if (generator->GetHandleOfPath(path.c_str(), &handle) == kJsonSuccess) {
    std::u16string back(path.size() * 2 + 16, u'\0');
    if (generator->GetPathOfHandle(handle, back.data(), static_cast<std::uint32_t>(back.size())) != kJsonSuccess) {
      std::abort();
    }
    JsonHandle again = 0;
    if (generator->GetHandleOfPath(back.c_str(), &again) != kJsonSuccess || again != handle) std::abort();
  }
  JsonHandle added = 0;
  generator->AddIntMemberByPath(path.c_str(), key.c_str(), 7, &added);
  generator->AppendNullByPath(path.c_str(), &added);
  generator->AddObjectMemberByHandle(added, key.c_str(), &added);
  const char16_t* json = nullptr;
  if (generator->GetJsonText(&json) != kJsonSuccess || json == nullptr) std::abort();
  generator->Release();
  return 0;
}
