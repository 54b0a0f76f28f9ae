// Every RPC test process works in a folder of its own: the sandbox sets
// LUMARINE_IPC_DIR to a fresh folder under /dev/shm before the first test
// (the peers it starts inherit it) and removes the folder after the last.
#pragma once

#include <string>

#include "platform/text_types.h"

namespace rpc_test {

// The sandbox folder.
std::string IpcFolder();

// A name no other test of this process uses: `stem` + a counter.
platform::WString UniqueName(const std::string& stem);

// Files in the sandbox folder now (named objects with a live or dead file).
int CountObjectFiles();

}  // namespace rpc_test
