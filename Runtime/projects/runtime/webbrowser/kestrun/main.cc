// Kestrun: the browser control's helper process.
#include "helper_process.h"

int main(int argc, char* argv[]) {
  return Kestrun::RunHelperProcess(argc, argv);
}
