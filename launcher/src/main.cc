// The launcher executable: enters the Lumarine runtime with this process's
// command line.
#include "application_entry.h"
#include "command_line_tail.h"
#include "library_file.h"
#include "launcher/runtime_entry.h"

int main(int argc, char** argv) {
  const platform::WString tail = launcher::CommandLineTail(argc, argv);
  return launcher::wWinMain(const_cast<void*>(launcher::OwnImage()), nullptr, tail, launcher::kShowWindowDefault);
}
