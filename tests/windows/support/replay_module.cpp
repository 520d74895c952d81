// The module on a replayed working copy.
#include "replay_module.hpp"

namespace wintest {

void ReplayModuleTest::SetUp() {
  ModuleTest::SetUp();
  streams = CurrentStreams();
  copy = dir / "wc";
  CopyTree(TestsSourceDir() + "\\data\\replay\\workcopy", copy);
  programs = ProgramPath("cvs");
  programs.erase(programs.find_last_of('\\'));
  tools = dir / "bin";
  MakeDirs(tools);
  MakeDirs(dir / "tmp");
  MakeDirs(dir / "home");
  env.Set("PATH", programs + ";" + tools);
  env.Set("QUILLET_REPLAY", TestsSourceDir() + "\\data\\replay");
  env.Set("QUILLET_REPLAY_LOG", dir / "cvs.log");
  env.Unset("QUILLET_REPLAY_WAIT_MS");
  env.Unset("QUILLET_REPLAY_PID");
  env.Set("TMP", dir / "tmp");
  env.Set("HOME", dir / "home");
  // The module's state folder (a kept commit message) is the test's own.
  MakeDirs(dir / "appdata");
  env.Set("APPDATA", dir / "appdata");
  env.Unset("CVSROOT");
}

void ReplayModuleTest::TearDown() {
  ModuleTest::TearDown();
  EXPECT_EQ(CurrentStreams(), streams);
  EXPECT_EQ(ListDir(dir / "tmp"), std::vector<std::string>()) << "files left in TMP";
  EXPECT_EQ(ListDir(dir / "home"), std::vector<std::string>()) << "files left in HOME";
}

HANDLE ReplayModuleTest::OpenPanel(const std::string &folder) {
  ForgetCvsCalls();
  host.ActivePanel().CurDir = folder;
  HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  EXPECT_NE(panel, INVALID_HANDLE_VALUE);
  if (panel != INVALID_HANDLE_VALUE) host.OpenPluginPanel(module, panel);
  return panel;
}

void ReplayModuleTest::ShowFolder(const std::string &folder) {
  EXPECT_TRUE(host.ShowFolder(host.Active, folder)) << folder;
  EXPECT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
}

}  // namespace wintest
