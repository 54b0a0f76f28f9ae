// Where the launcher finds the runtime, what it puts on the search path, and
// the start-up error of each route that fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app_folder.h"
#include "platform/unicode.h"
#include "testing/fifo_open_watch.h"

namespace launcher_testing {
namespace {

constexpr char kNoVersion[] = "Error: There is currently no matching version,Lowest Supported Version:22.0.0.1878\n";

std::string LoadFailed(const std::string& path) {
  return "Error: Load library failed! dll name: tqvm.dll, runtime path:" + path + "\n";
}

// Registry sections: the runtimes' key with its versions and a "Location"
// for each; the development environment's key.
std::string RuntimeKeys(const std::string& versions, const std::map<std::string, std::string>& locations) {
  std::ostringstream text;
  text << "[HKEY_LOCAL_MACHINE\\Software\\Corvana\\Lumarine Runtime]\r\n\"RuntimeVersion\"=\"" << versions << "\"\r\n";
  for (const auto& [version, folder] : locations) {
    text << "[HKEY_LOCAL_MACHINE\\Software\\Corvana\\Lumarine Runtime\\" << version << "]\r\n\"Location\"=\"" << folder
         << "\"\r\n";
  }
  return text.str();
}

std::string DevelopmentEnvironmentKey(const std::string& location, const std::string& name) {
  return "[HKEY_LOCAL_MACHINE\\Software\\Corvana\\Lumarine\\22.0]\r\n\"Location\"=\"" + location +
         "\"\r\n\"IPS Name\"=\"" + name + "\"\r\n";
}

// The ELF header of a library for 32-bit x86 or for 64-bit ARM.
std::string ForeignElfHeader(bool elf32) {
  std::string header(64, '\0');
  header.replace(0, 7, elf32 ? "\x7f" "ELF\x01\x01\x01" : "\x7f" "ELF\x02\x01\x01");
  header[18] = elf32 ? 3 : static_cast<char>(183);
  return header;
}

class Discovery : public ::testing::Test {
 protected:
  // A working runtime registered as the lowest supported version.
  void RegisterFallback(const std::string& extra_sections = "") {
    app_.InstallRuntime(app_.Path("registered"), RECORDING_RUNTIME);
    app_.WriteRegistry(RuntimeKeys("22.0.0.1878,", {{"22.0.0.1878", app_.Path("registered")}}) + extra_sections);
  }
  void ExpectEntered(const std::string& library, const std::vector<std::string>& arguments = {}) {
    EXPECT_EQ(app_.Run(arguments).errors, "");
    EXPECT_EQ(app_.Record()["library"], library);
  }

  AppFolder app_;
};

TEST_F(Discovery, RuntimeBesideTheExecutableWinsAndLeavesTheSearchPathAlone) {
  RegisterFallback();
  app_.InstallRuntime(app_.Path("app"), RECORDING_RUNTIME);
  app_.InstallRuntime(app_.Path("xml"), RECORDING_RUNTIME);
  app_.Write("app/myapp.xml", "<Application><RuntimePath>../xml</RuntimePath></Application>");
  app_.library_path = "/inherited";
  ExpectEntered(app_.Path("app/libtqvm.so"));
  EXPECT_EQ(app_.Record()["ld_library_path"], "/inherited");
}

TEST_F(Discovery, FileBesideThatIsNoLibraryForThisMachineCountsAsAbsent) {
  RegisterFallback();
  for (const std::string& content : {ForeignElfHeader(true), ForeignElfHeader(false), std::string("MZ not ELF")}) {
    app_.Write("app/libtqvm.so", content);
    ExpectEntered(app_.Path("registered/libtqvm.so"));
  }
}

TEST_F(Discovery, UnloadableLibraryBesideTheExecutableStopsTheSearch) {
  RegisterFallback();
  app_.InstallRuntime(app_.Path("app"), RECORDING_RUNTIME);
  std::filesystem::resize_file(app_.Path("app/libtqvm.so"), 4096);  // headers intact, segments cut off
  const Outcome outcome = app_.Run();
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(outcome.errors, LoadFailed(app_.Path("app/libtqvm.so")));
  EXPECT_TRUE(app_.Record().empty());
}

TEST(DiscoveryByXml, RuntimePathGoesFirstOnTheSearchPath) {
  AppFolder app("app.v2/my.app");  // a "." in a folder's name is no extension
  app.InstallRuntime(app.Path("runtime"), RECORDING_RUNTIME);
  app.Write("app.v2/my.xml", "<?xml version=\"1.0\"?>\n<Application>\n <RuntimePath> ../runtime </RuntimePath>\n</Application>");
  app.WriteRegistry(DevelopmentEnvironmentKey("/opt/dev", "Lumarine 22"));
  app.library_path = "::/inherited:";
  EXPECT_EQ(app.Run().errors, "");
  EXPECT_EQ(app.Record()["library"], app.Path("app.v2/../runtime/libtqvm.so"));
  EXPECT_EQ(app.Record()["ld_library_path"], app.Path("app.v2/../runtime") + ":/opt/dev/Lumarine 22/IDE:/inherited");

  // Absolute, longer than 260 characters, and unfit for LD_LIBRARY_PATH (":").
  const std::string folder = app.Path(std::string(150, 'r') + "/" + std::string(150, 's') + "/x:y");
  app.InstallRuntime(folder, RECORDING_RUNTIME);
  app.Write("app.v2/my.xml", "<Application><RuntimePath>" + folder + "</RuntimePath></Application>");
  app.library_path.reset();
  EXPECT_EQ(app.Run().errors, "");
  EXPECT_EQ(app.Record()["library"], folder + "/libtqvm.so");
  EXPECT_EQ(app.Record()["ld_library_path"], "/opt/dev/Lumarine 22/IDE");
}

TEST_F(Discovery, XmlRouteFailuresAndFallThrough) {
  RegisterFallback();
  const std::pair<const char*, std::string> failures[] = {
      {"<Application><RuntimePath></RuntimePath></Application>",
       "Error: The path specified in the XML file is incorrect!\n"},
      {"<Application><RuntimePath>missing</RuntimePath></Application>",
       "Error: Runtime path not exist, path: " + app_.Path("app/missing") + "!\n"},
      {"<Application><RuntimePath>.</RuntimePath></Application>", LoadFailed(app_.Path("app/."))},
  };
  for (const auto& [xml, error] : failures) {
    app_.Write("app/myapp.xml", xml);
    EXPECT_EQ(app_.Run().errors, error);
    EXPECT_TRUE(app_.Record().empty());
  }
  // A file that does not parse, or lacks either element, leaves it to the registry.
  for (const char* xml : {"<Application><RuntimePath>x", "<Other><RuntimePath>x</RuntimePath></Other>", "<Application/>"}) {
    app_.Write("app/myapp.xml", xml);
    ExpectEntered(app_.Path("registered/libtqvm.so"));
  }
}

// A FIFO is no file to read and is never opened (opening it would wait for
// a writer for ever): as the XML file, or as the library beside the
// executable, it is passed over and the registry route runs; as the
// registry file it reads as an empty registry.
TEST_F(Discovery, FifosAreUnusableFilesThatTheLauncherNeverWaitsOn) {
  using lumarine_testing::FifoOpenWatch;
  RegisterFallback();
  {
    FifoOpenWatch xml(platform::Utf8ToUtf16(app_.Path("app/myapp.xml")));
    FifoOpenWatch beside(platform::Utf8ToUtf16(app_.Path("app/libtqvm.so")));
    ExpectEntered(app_.Path("registered/libtqvm.so"));
    EXPECT_FALSE(xml.Stop()) << "the XML file was opened";
    EXPECT_FALSE(beside.Stop()) << "the library beside the executable was opened";
  }
  std::filesystem::remove(app_.Path("app/myapp.xml"));
  std::filesystem::remove(app_.Path("registry.reg"));
  FifoOpenWatch registry(platform::Utf8ToUtf16(app_.Path("registry.reg")));
  const Outcome outcome = app_.Run();
  EXPECT_EQ(outcome.exit_code, 0);
  EXPECT_EQ(outcome.errors, kNoVersion);
  EXPECT_FALSE(registry.Stop()) << "the registry file was opened";
}

TEST(DiscoveryByRegistry, VersionSelection) {
  struct {
    const char* name;
    const char* registered;  // each version gets a folder as its "Location"
    std::vector<std::string> installed;
    const char* entered;  // "" for the no-version error
  } const cases[] = {
      {"lowest supported first", "22.0.0.1900,22.0.0.1878,", {"22.0.0.1900", "22.0.0.1878"}, "22.0.0.1878"},
      {"unsorted", "22.0.0.2100,22.0.0.1900,22.0.0.2000,", {"22.0.0.2100", "22.0.0.1900", "22.0.0.2000"}, "22.0.0.1900"},
      {"duplicates", "22.0.0.1900,22.0.0.1700,22.0.0.1900,", {"22.0.0.1900", "22.0.0.1700"}, "22.0.0.1900"},
      {"no trailing comma", "22.0.0.1700,22.0.0.1900", {"22.0.0.1700", "22.0.0.1900"}, "22.0.0.1900"},
      {"text order, not numbers", "22.0.9.1000,22.0.10.100,", {"22.0.9.1000", "22.0.10.100"}, "22.0.10.100"},
      {"lowest supported without library", "22.0.0.1878,22.0.0.1900,", {"22.0.0.1900"}, "22.0.0.1900"},
      {"20 characters are no version", "22.0.0.1879000000000,22.0.0.2000,", {"22.0.0.2000"}, "22.0.0.2000"},
      {"first above has 12 characters", "22.0.0.18790,22.0.0.1900,", {"22.0.0.18790", "22.0.0.1900"}, ""},
      {"only older versions", "22.0.0.1700,21.0.0.9999,", {"22.0.0.1700", "21.0.0.9999"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppFolder app;
    std::map<std::string, std::string> locations;
    std::istringstream registered(c.registered);
    for (std::string version; std::getline(registered, version, ',');) {
      locations[version] = app.Path(version);
      std::filesystem::create_directories(app.Path(version));
    }
    for (const std::string& version : c.installed) app.InstallRuntime(app.Path(version), RECORDING_RUNTIME);
    app.WriteRegistry(RuntimeKeys(c.registered, locations));
    const Outcome outcome = app.Run();
    EXPECT_EQ(outcome.errors, *c.entered ? "" : kNoVersion);
    EXPECT_EQ(app.Record()["library"], *c.entered ? app.Path(c.entered) + "/libtqvm.so" : "");
    EXPECT_EQ(app.Record()["ld_library_path"], *c.entered ? app.Path(c.entered) : "");
  }
}

TEST_F(Discovery, RegistryRouteFailures) {
  EXPECT_EQ(app_.Run().errors, kNoVersion);
  app_.WriteRegistry(RuntimeKeys("22.0.0.1900,", {{"22.0.0.1900", app_.Path("gone")}}));
  EXPECT_EQ(app_.Run().errors, "Error: Runtime path not exist, path: " + app_.Path("gone") + "!\n");
  // The folder read for the lowest supported version stays the runtime folder.
  std::filesystem::create_directories(app_.Path("empty"));
  app_.WriteRegistry(RuntimeKeys("22.0.0.1878,", {{"22.0.0.1878", app_.Path("empty")}}));
  EXPECT_EQ(app_.Run().errors, LoadFailed(app_.Path("empty")));
  EXPECT_TRUE(app_.Record().empty());
}

TEST_F(Discovery, MissingDependencyOfTheRuntimeIsNamed) {
  app_.InstallRuntime(app_.Path("registered"), RECORDING_RUNTIME_WITH_DEPENDENCY);
  app_.WriteRegistry(RuntimeKeys("22.0.0.1878,", {{"22.0.0.1878", app_.Path("registered")}}));
  const std::string dependency = std::filesystem::path(TEST_DEPENDENCY).filename();
  EXPECT_EQ(app_.Run().errors,
            "Error: The program can't start because " + dependency + " is missing from your computer.\n");
  std::filesystem::copy_file(TEST_DEPENDENCY, app_.Path("registered/" + dependency));
  ExpectEntered(app_.Path("registered/libtqvm.so"));
}

TEST_F(Discovery, RuntimeOnTheInheritedSearchPathIsFoundByName) {
  app_.Write("foreign/libtqvm.so", ForeignElfHeader(false));
  app_.InstallRuntime(app_.Path("good"), RECORDING_RUNTIME);
  app_.library_path = app_.Path("foreign") + ":" + app_.Path("good");
  ExpectEntered(app_.Path("good/libtqvm.so"));
  EXPECT_EQ(app_.Record()["ld_library_path"], *app_.library_path);
}

}  // namespace
}  // namespace launcher_testing
