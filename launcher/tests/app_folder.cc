#include "app_folder.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace launcher_testing {
namespace {

namespace fs = std::filesystem;

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

AppFolder::AppFolder(const std::string& executable)
    : root_(fs::canonical(temp_.native_path()).string()), executable_(Path(executable)) {
  fs::create_directories(fs::path(executable_).parent_path());
  fs::copy_file(LAUNCHER_EXECUTABLE, executable_);
}

void AppFolder::InstallRuntime(const std::string& folder, const std::string& runtime) const {
  fs::create_directories(folder);
  fs::copy_file(runtime, folder + "/libtqvm.so", fs::copy_options::overwrite_existing);
}

void AppFolder::Write(const std::string& relative, const std::string& bytes) const {
  fs::create_directories(fs::path(Path(relative)).parent_path());
  std::ofstream(Path(relative), std::ios::binary) << bytes;
}

void AppFolder::WriteRegistry(const std::string& sections) const {
  Write("registry.reg", "Windows Registry Editor Version 5.00\r\n\r\n" + sections);
}

Outcome AppFolder::Run(const std::vector<std::string>& arguments) const {
  fs::remove(Path("record.txt"));
  std::string command = "env -u LD_LIBRARY_PATH LUMARINE_REGISTRY=" + ShellQuoted(Path("registry.reg")) +
                        " TQVM_RECORD_FILE=" + ShellQuoted(Path("record.txt")) +
                        " TQVM_EXIT_CODE=" + std::to_string(runtime_result);
  if (library_path) command += " LD_LIBRARY_PATH=" + ShellQuoted(*library_path);
  command += " " + ShellQuoted(executable_);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  std::FILE* errors = ::popen((command + " 2>&1 >/dev/null").c_str(), "r");
  Outcome outcome;
  if (errors == nullptr) return outcome;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, errors)) > 0;) outcome.errors.append(buffer, n);
  const int status = ::pclose(errors);
  outcome.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

std::map<std::string, std::string> AppFolder::Record() const {
  std::map<std::string, std::string> record;
  std::ifstream in(Path("record.txt"));
  for (std::string line; std::getline(in, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) record[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return record;
}

}  // namespace launcher_testing
