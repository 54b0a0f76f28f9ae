#include "application_entry.h"

#include "launcher/runtime_entry.h"
#include "platform/message_box.h"
#include "runtime_locator.h"

namespace launcher {

int wWinMain(void* instance, void* previous_instance, const platform::WString& command_tail, int show_window) {
  LocatedRuntime located = LocateAndLoadRuntime();
  if (!located.runtime) {
    platform::ShowMessageBox(u"Error", located.error);
    return 0;
  }
  const bool debug = command_tail.find(kDebugToken) != platform::WString::npos;
  const auto entry = located.runtime->Function<TqvmEntry>(debug ? kDebugEntryName : kRunEntryName);
  if (entry == nullptr) return -1;
  const int result = entry(instance, previous_instance, command_tail.c_str(), show_window, kEntryReserved1000,
                           kEntryReserved0);
  located.runtime.reset();
  return result;
}

}  // namespace launcher
