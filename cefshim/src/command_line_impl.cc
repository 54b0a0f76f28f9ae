// CefCommandLine over a map of switches.
#include <map>
#include <string>
#include <string_view>

#include "cef_command_line.h"

namespace {

class CefCommandLineImpl : public CefCommandLine {
 public:
  bool IsValid() override { return true; }
  void InitFromArgv(int argc, const char* const* argv) override;
  bool HasSwitch(const CefString& name) override { return switches_.count(name.ToString()) > 0; }
  CefString GetSwitchValue(const CefString& name) override;

 private:
  // Adds `argument` when it is a switch; other arguments are not kept.
  void AddSwitch(std::string_view argument);

  // Names and values as given (UTF-8), so that names compare byte for byte.
  std::map<std::string, std::string, std::less<>> switches_;

  IMPLEMENT_REFCOUNTING(CefCommandLineImpl);
};

void CefCommandLineImpl::InitFromArgv(int argc, const char* const* argv) {
  switches_.clear();
  for (int i = 1; i < argc && argv && argv[i]; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    AddSwitch(argument);
  }
}

void CefCommandLineImpl::AddSwitch(std::string_view argument) {
  std::size_t prefix = 0;
  if (argument.substr(0, 2) == "--") {
    prefix = 2;
  } else if (argument.substr(0, 1) == "-") {
    prefix = 1;
  }
  const std::string_view body = argument.substr(prefix);
  const std::size_t equals = body.find('=');
  const std::string_view name = body.substr(0, equals);
  if (prefix == 0 || name.empty()) return;
  const std::string_view value = equals == std::string_view::npos ? std::string_view() : body.substr(equals + 1);
  switches_.insert_or_assign(std::string(name), std::string(value));
}

CefString CefCommandLineImpl::GetSwitchValue(const CefString& name) {
  const auto found = switches_.find(name.ToString());
  return found != switches_.end() ? CefString(found->second) : CefString();
}

}  // namespace

CefRefPtr<CefCommandLine> CefCommandLine::CreateCommandLine() {
  return new CefCommandLineImpl();
}
