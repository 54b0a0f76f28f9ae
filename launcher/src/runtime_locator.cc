#include "runtime_locator.h"

#include "app_xml_file.h"
#include "library_file.h"
#include "launcher/runtime_entry.h"
#include "missing_dependency.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/process.h"
#include "runtime_registry.h"
#include "search_path.h"

namespace launcher {
namespace {

class RuntimeLocator {
 public:
  LocatedRuntime Locate();

 private:
  LocatedRuntime LoadBesideExecutable(const platform::WString& path);
  LocatedRuntime LoadByName();
  bool UseRegisteredRuntime(platform::WStringView version);
  void InstallRuntimeFolder(platform::WString folder);
  LocatedRuntime Failure(platform::WString error) const { return {nullptr, std::move(error)}; }
  platform::WString BuildLoadError(platform::WStringView tried_library) const;

  const platform::WString lowest_version_ = kLowestSupportedVersion;
  const SearchPath inherited_ = SearchPath::FromEnvironment();
  SearchPath composed_ = inherited_;   // behind the development environment's folder
  SearchPath effective_ = inherited_;  // what LD_LIBRARY_PATH holds
  platform::WString runtime_folder_;   // the folder last read, "" when none
};

LocatedRuntime RuntimeLocator::Locate() {
  composed_.Prepend(DevelopmentEnvironmentFolder());
  const platform::WString executable = platform::ExecutablePath();
  if (!executable.empty()) {
    const platform::WString folder = platform::ParentFolder(executable);
    const platform::WString beside = platform::JoinPath(folder, kRuntimeLibraryName);
    if (IsLibraryForThisMachine(beside)) return LoadBesideExecutable(beside);
    if (const std::optional<platform::WString> path = ReadRuntimePath(XmlFilePath(executable))) {
      if (path->empty()) return Failure(u"The path specified in the XML file is incorrect!");
      InstallRuntimeFolder(platform::JoinPath(folder, *path));  // an absolute path stands as it is
      return LoadByName();
    }
  }
  if (!UseRegisteredRuntime(lowest_version_)) {
    if (const std::optional<platform::WString> version =
            ChooseRegisteredVersion(RegisteredRuntimeVersions(), lowest_version_)) {
      UseRegisteredRuntime(*version);
    }
  }
  return LoadByName();
}

LocatedRuntime RuntimeLocator::LoadBesideExecutable(const platform::WString& path) {
  if (std::unique_ptr<platform::Module> runtime = LoadCompleteLibrary(path)) return {std::move(runtime), {}};
  runtime_folder_ = path;
  return Failure(BuildLoadError(path));
}

LocatedRuntime RuntimeLocator::LoadByName() {
  for (const platform::WString& folder : effective_.folders()) {
    const platform::WString candidate = platform::JoinPath(folder, kRuntimeLibraryName);
    if (!IsLibraryForThisMachine(candidate)) continue;
    if (std::unique_ptr<platform::Module> runtime = LoadCompleteLibrary(candidate)) return {std::move(runtime), {}};
    return Failure(BuildLoadError(candidate));
  }
  if (std::unique_ptr<platform::Module> runtime = platform::Module::Load(kRuntimeLibraryName)) {
    return {std::move(runtime), {}};
  }
  return Failure(BuildLoadError(u""));
}

bool RuntimeLocator::UseRegisteredRuntime(platform::WStringView version) {
  if (version.size() != kVersionLength) return false;
  runtime_folder_ = RegisteredRuntimeLocation(version);
  if (runtime_folder_.empty()) return false;
  if (!platform::IsRegularFile(platform::JoinPath(runtime_folder_, kRuntimeLibraryName))) return false;
  InstallRuntimeFolder(runtime_folder_);
  return true;
}

void RuntimeLocator::InstallRuntimeFolder(platform::WString folder) {
  runtime_folder_ = std::move(folder);
  effective_ = composed_;
  effective_.Prepend(runtime_folder_);
  effective_.Export();
}

platform::WString RuntimeLocator::BuildLoadError(platform::WStringView tried_library) const {
  if (runtime_folder_.empty()) {
    return platform::Format(u"There is currently no matching version,Lowest Supported Version:%s", {lowest_version_});
  }
  if (!platform::PathExists(runtime_folder_)) {
    return platform::Format(u"Runtime path not exist, path: %s!", {runtime_folder_});
  }
  if (!tried_library.empty()) {
    if (const std::optional<platform::WString> missing = FirstMissingDependency(tried_library)) {
      return platform::Format(u"The program can't start because %s is missing from your computer.", {*missing});
    }
  }
  return platform::Format(u"Load library failed! dll name: tqvm.dll, runtime path:%s", {runtime_folder_});
}

}  // namespace

LocatedRuntime LocateAndLoadRuntime() { return RuntimeLocator().Locate(); }

}  // namespace launcher
