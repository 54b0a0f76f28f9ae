// The scalar members of the project object and of its "halvern" object, in
// the order the writer emits them, with their defaults. Visitors: those of
// record_members.h, plus, for the project object:
//   Format(name, text field)       "Format": read as text, written "1.0"
//   CacheFolder(name, field, app)  "OutputDir": written, never read
// (record fields are const when the record is). The reader and the writer
// of deploy_project_document.cc run these lists, so they agree member for
// member.
#pragma once

// The version resource of the built executable; DbConfig's
// "ExecutionFileVersion" carries the same members.
template <typename Record, typename Visitor>
void VisitExecutableVersion(Record& r, Visitor& v) {
  v.Text(u"ProductName", r.ProductName);
  v.Text(u"CompanyName", r.CompanyName);
  v.Text(u"Description", r.Description);
  v.Text(u"Copyright", r.Copyright);
  v.Text(u"ProductVersion", r.ProductVersion);
  v.Text(u"FileVersion", r.FileVersion);
}

template <typename Record, typename Visitor>
void VisitProjectScalars(Record& r, Visitor& v) {
  v.Format(u"Format", r.Format);
  v.Int(u"AppType", r.AppType, 0);
  v.Text(u"AppName", r.AppName);
  v.CacheFolder(u"OutputDir", r.OutputDir, r.AppName);
  v.Text(u"ResourceName", r.ResourceName);
  v.Text(u"Arguments", r.Arguments);
  v.Text(u"DeployVersion", r.DeployVersion);
  v.Text(u"MinimumValidVersion", r.MinimumValidVersion);
  v.Text(u"OnlineTime", r.OnlineTime);
  v.Text(u"OfflineTime", r.OfflineTime);

  v.Flag(u"PromptOverwrite", r.PromptOverwrite, 0);
  v.Flag(u"WindowsClassicStyle", r.WindowsClassicStyle, 0);
  v.Flag(u"FullBuild", r.FullBuild, 0);
  v.Flag(u"EnableDebugSymbol", r.EnableDebugSymbol, 0);
  v.Flag(u"EncryptTqdFiles", r.EncryptTqdFiles, 0);
  v.Flag(u"Is32Bit", r.Is32Bit, 1);
  v.Flag(u"CheckLauncherValid", r.CheckLauncherValid, 0);
  v.Flag(u"LocalServer", r.LocalServer, 1);
  v.Text(u"ServerProfile", r.ServerProfile);

  v.Flag(u"GeneratePackage", r.GeneratePackage, 0);
  v.Flag(u"PackageOutputExe", r.PackageOutputExe, 1);
  v.Flag(u"PackageLauncher", r.PackageLauncher, 0);
  v.Flag(u"DefaultLauncher", r.DefaultLauncher, 1);
  v.Text(u"LauncherPath", r.LauncherPath);
  v.Int(u"LauncherMode", r.LauncherMode, 0);
  v.Int(u"RuntimePlatform", r.RuntimePlatform, 0);
  v.Text(u"LauncherName", r.LauncherName);
  v.Text(u"PackageOutputPath", r.PackageOutputPath);
  v.Flag(u"UploadOrPackageLauncherFiles", r.UploadOrPackageLauncherFiles, 1);
  v.Int(u"UploadStrategyWhenExist", r.UploadStrategyWhenExist, 0);
  v.Flag(u"FullDownload", r.FullDownload, 0);
  v.Int(u"DeployWebPage", r.DeployWebPage, 1);

  v.Flag(u"CreateDesktopShortcut", r.CreateDesktopShortcut, 1);
  v.Flag(u"CreateStartMenuShortcut", r.CreateStartMenuShortcut, 1);
  v.Flag(u"CreateAppUninstallShortcut", r.CreateAppUninstallShortcut, 1);
  v.Text(u"AppShortcutName", r.AppShortcutName);
  v.Text(u"AppShortcutImage", r.AppShortcutImage);
  v.Flag(u"ShowStartAnimatedWindow", r.ShowStartAnimatedWindow, 1);
  v.Flag(u"CheckTqdValidaty", r.CheckTqdValidaty, 0);
  v.Int(u"StartMode", r.StartMode, 2);
  v.Flag(u"IsVerOffCheck", r.IsVerOffCheck, 0);

  v.Text(u"TQCParams", r.TQCParams);
  v.Text(u"RuntimeVersion", r.RuntimeVersion);
  v.Text(u"PreloadEventCommands", r.PreloadEventCommands);
  v.Flag(u"RunCommandAsAdmin", r.RunCommandAsAdmin, 0);
  v.Flag(u"AlwaysRunCommand", r.AlwaysRunCommand, 0);
  VisitExecutableVersion(r, v);

  v.UShort(u"ProductVersionMajor", r.ProductVersionMajor);
  v.UShort(u"ProductVersionMinor", r.ProductVersionMinor);
  v.UShort(u"ProductVersionBuild", r.ProductVersionBuild);
  v.UShort(u"ProductVersionRevision", r.ProductVersionRevision);
  v.UShort(u"FileVersionMajor", r.FileVersionMajor);
  v.UShort(u"FileVersionMinor", r.FileVersionMinor);
  v.UShort(u"FileVersionBuild", r.FileVersionBuild);
  v.UShort(u"FileVersionRevision", r.FileVersionRevision);
  v.Int(u"GenerateOption", r.GenerateOption, 2);
  v.Int(u"ExecutionLevel", r.ExecutionLevel, 2);
  v.Flag(u"AllowAccessSystemUI", r.AllowAccessSystemUI, 0);
  v.Flag(u"RunWithHttps", r.RunWithHttps, 0);
  v.Flag(u"RunWithShellApp", r.RunWithShellApp, 1);
  v.Text(u"RunArguments", r.RunArguments);
  v.Text(u"RunHost", r.RunHost);
  v.Text(u"RunPort", r.RunPort);
}

// "halvern" without its "dbconfig", which the reader and the writer handle
// on their own (it is written last, and only when set).
template <typename Part, typename Visitor>
void VisitServerSettings(Part& p, Visitor& v) {
  v.Text(u"webapiurl", p.webapiurl);
  v.Text(u"webapihost", p.webapihost);
  v.Text(u"webapipath", p.webapipath);
  v.Uint(u"webapiport", p.webapiport);
  v.Flag(u"iswebapihttps", p.iswebapihttps, 0);
  v.Text(u"srvsrcoutdir", p.srvsrcoutdir);
  v.Text(u"srvsrcoutdiradditiondir", p.srvsrcoutdiradditiondir);
  v.Text(u"modelname", p.modelname);
  v.Int(u"generateopts", p.generateopts, 0);
  v.Text(u"TemplateTypeName", p.TemplateTypeName);
  v.Text(u"TargetFramework", p.TargetFramework);
  v.Flag(u"bBuildSolution", p.bBuildSolution, 0);
  v.Text(u"EnvironmentType", p.EnvironmentType);
}
