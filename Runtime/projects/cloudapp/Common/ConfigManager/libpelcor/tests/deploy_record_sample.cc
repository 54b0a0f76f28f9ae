#include "deploy_record_sample.h"

#include <cstdint>

#include "record_text.h"

namespace pelcor_test {
namespace {

template <typename Node>
Node* List(std::initializer_list<const char16_t*> names) {
  Node* head = nullptr;
  Node** tail = &head;
  for (const char16_t* name : names) {
    *tail = new Node{};
    Put((*tail)->Name, name);
    tail = &(*tail)->Next;
  }
  return head;
}

// Every text field of the project document gets a text of its own.
void FillTexts(DeployProjectRecord& r) {
  SigningSettings& g = r.Signing;
  char16_t letter = u'a';
  for (char16_t* field :
       {r.ResourceName, r.Arguments, r.DeployVersion, r.MinimumValidVersion, r.ServerProfile, r.AppShortcutName,
        r.AppShortcutImage, r.TQCParams, r.RuntimeVersion, r.ProductName, r.CompanyName, r.Description, r.Copyright,
        r.ProductVersion, r.FileVersion, r.RunHost, r.RunArguments, r.LauncherPath, r.LauncherName,
        r.PackageOutputPath, g.CustomScript, g.SignTool, g.PfxFile, g.PfxPassword, g.Algorithm, g.TimeStamp}) {
    field[0] = letter++;
  }
  Put(r.AppName, u"Shop \u00E9\U0001F600 \"q\"\n");
  Put(r.OnlineTime, u"2024-2-29 1:2:3");
  Put(r.OfflineTime, u"2034-2-28 1:2:3");
  Put(r.PreloadEventCommands, std::u16string(4095, u'p'));
  Put(r.RunPort, u"8443");
}

void FillNumbers(DeployProjectRecord& r) {
  r.PromptOverwrite = r.WindowsClassicStyle = r.FullBuild = r.EnableDebugSymbol = r.EncryptTqdFiles = 1;
  r.CheckLauncherValid = r.FullDownload = r.IsVerOffCheck = r.CheckTqdValidaty = r.RunCommandAsAdmin = 1;
  r.AllowAccessSystemUI = r.RunWithHttps = r.GeneratePackage = r.PackageLauncher = 1;
  r.CreateStartMenuShortcut = 1;  // and the other shortcuts 0
  r.AppType = -3;
  r.StartMode = 1;
  r.LauncherMode = 4;
  r.RuntimePlatform = 3;
  r.UploadStrategyWhenExist = 5;
  r.DeployWebPage = 7;
  r.GenerateOption = 1;
  r.ExecutionLevel = 3;
  std::uint16_t part = 65535;
  for (std::uint16_t* number : {&r.ProductVersionMajor, &r.ProductVersionMinor, &r.ProductVersionBuild,
                                &r.ProductVersionRevision, &r.FileVersionMajor, &r.FileVersionMinor,
                                &r.FileVersionBuild, &r.FileVersionRevision}) {
    *number = part--;
  }
  r.ServerType = 2;
  r.RuntimeFileType = 5;
}

void FillServerSettings(ICloudConfigManager& manager, ServerSettingsRecord& s) {
  char16_t letter = u'A';
  for (char16_t* field : {s.webapiurl, s.webapihost, s.webapipath, s.srvsrcoutdir, s.srvsrcoutdiradditiondir,
                          s.modelname, s.TemplateTypeName, s.TargetFramework, s.EnvironmentType}) {
    field[0] = letter++;
  }
  s.webapiport = 8443;
  s.iswebapihttps = 1;
  s.generateopts = 1;
  s.bBuildSolution = 1;
  manager.SetString(&s.dbconfig, u"Server=db;Database=shop");
}

void FillLists(DeployProjectRecord& r) {
  r.Libraries = new LibraryNode{new LibraryNode{}};
  Put(r.Libraries->TqdName, u"core");
  Put(r.Libraries->TqdLocalPath, u"lib/core.tqd");
  r.BuildLibraries = new LibraryNode{};
  Put(r.BuildLibraries->TqdName, u"build");
  Put(r.BuildLibraries->TqdLocalPath, u"build.tqr");
  r.PredownloadPackages = List<PackageNode>({u"media.zip", u"empty.zip"});
  r.PredownloadPackages->Files = List<FileNameNode>({u"a.png", u"b.png"});
  r.PredownloadFiles = List<FileNameNode>({u"main.tqd", u"help.chm"});
  r.InstantDownloadFiles = List<FileNameNode>({u"video.mp4"});
  r.RegisterFiles = List<FileNameNode>({u"ocx/grid.ocx", u"x.dll"});
  r.IniConfigFiles = new IniFileNode{new IniFileNode{}};
  Put(r.IniConfigFiles->FileName, u"app.ini");
  r.IniConfigFiles->UpdateType = 1;
  Put(r.IniConfigFiles->Next->FileName, u"user.ini");
  r.IniConfigFiles->Next->UpdateType = 3;
  r.RuntimeModules = List<ModuleNode>({u"Grid", u"TX TextControl ActiveX"});
}

}  // namespace

void FillDeployRecord(ICloudConfigManager& manager, DeployProjectRecord& record) {
  FillTexts(record);
  FillNumbers(record);
  FillServerSettings(manager, record.ServerSettings);
  FillLists(record);
}

}  // namespace pelcor_test
