// Feeds arbitrary JSON to the deploy-solution reader, then writes what it
// read, reads that again and checks that both writes agree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "hv_deploy_solution_mgr.h"
#include "json_file.h"
#include "text_conversion.h"

namespace {

platform::WString Written(CHVDeploySolutionMgr& list) {
  JsonDocument document;
  list.WriteDocument(document);
  platform::WString text;
  JsonValueToText(document.Root(), text);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  JsonDocument input;
  if (ParseJsonText(input, data, size) != CONFIG_OK) return 0;
  CHVDeploySolutionMgr list;
  if (list.ReadDocument(input) != CONFIG_OK) return 0;
  const platform::WString first = Written(list);

  JsonDocument again;
  const std::string utf8 = WideToUtf8(first);
  if (ParseJsonText(again, utf8.data(), utf8.size()) != CONFIG_OK) std::abort();
  CHVDeploySolutionMgr reread;
  if (reread.ReadDocument(again) != CONFIG_OK) std::abort();
  std::unique_ptr<IHVDeploySolutionMgr, void (*)(IHVDeploySolutionMgr*)> clone(
      reread.Clone(), [](IHVDeploySolutionMgr* copy) { copy->Release(); });
  if (clone == nullptr || Written(static_cast<CHVDeploySolutionMgr&>(*clone)) != first) std::abort();
  return 0;
}
