// ./quillet decides whether to build before it starts the console host: a
// copy of the launcher in a small tree of its own, with stand-ins for cmake
// and the console host that log their runs, shows which starts build and
// which go straight to the host, and when the TkDiff launcher is put on PATH.
#include "test_support.hpp"

namespace testsupport {

namespace {

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char *folder : {"cmake", "src", "hosts", "lang", "ship", "tools", "bin", "work"})
      MakeDirs(tree + "/" + folder);
    ASSERT_EQ(0, Shell("cp " + ShellQuote(TestsSourceDir() + "/../quillet") + " " +
                       ShellQuote(tree + "/quillet")));
    WriteFile(tree + "/CMakeLists.txt", "project(x)\n");
    WriteFile(tree + "/src/module.cpp", "int x;\n");
    // The stand-in cmake "builds" by making the two programs; the console
    // logs its start and the PATH it was given.
    WriteScript(tree + "/bin/cmake", "echo cmake >>" + ShellQuote(log) +
                                         "\nmkdir -p \"$QUILLET_BUILD_DIR/hosts/console\"\n"
                                         "touch \"$QUILLET_BUILD_DIR/libquillet.so\"\n"
                                         "cp \"$CONSOLE\" \"$QUILLET_BUILD_DIR/hosts/console/\"\n");
    WriteScript(dir / "quillet-console", "echo \"console PATH=$PATH\" >>" + ShellQuote(log));
    // Every package counts as installed: no start here may call apt-get.
    WriteScript(tree + "/bin/dpkg-query", "printf 'install ok installed'");
  }
  // Runs ./quillet on a folder; returns what the stand-ins logged.
  std::string Start(const std::string &pathFront = "") {
    WriteFile(log, "");
    std::string output;
    int status = Shell("env QUILLET_BUILD_DIR=" + ShellQuote(dir / "build") +
                           " CONSOLE=" + ShellQuote(dir / "quillet-console") +
                           " PATH=" + ShellQuote(pathFront + tree + "/bin" + ":/usr/bin:/bin") +
                           " " + ShellQuote(tree + "/quillet") + " " + ShellQuote(tree + "/work"),
                       "", &output);
    EXPECT_EQ(0, status) << output;
    return ReadFile(log);
  }
  TempDir dir;
  std::string tree = dir / "tree", log = dir / "log";
};

TEST_F(LauncherTest, OnlyAStartWhoseSourcesOrProgramsChangedBuilds) {
  const struct {
    const char *Before;  // shell command run in the tree first
    bool Builds;
  } kStarts[] = {
      {"true", true},  // the first start
      {"true", false},
      {"touch -d '2001-01-01' src/module.cpp", true},
      {"true", false},
      {"echo 'int y;' >lang/new.lng", true},
      {"rm ../build/hosts/console/quillet-console", true},
      {"echo 'x' >../build/quillet-sources.stamp", true},
      {"true", false},
  };
  for (const auto &start : kStarts) {
    ASSERT_EQ(0, Shell(start.Before, tree)) << start.Before;
    std::string logged = Start();
    EXPECT_EQ(start.Builds, logged.find("cmake\n") != std::string::npos)
        << start.Before << ": " << logged;
    EXPECT_NE(std::string::npos, logged.find("console PATH=")) << start.Before << ": " << logged;
  }
}

TEST_F(LauncherTest, TheTkDiffLauncherIsOnPathWhereTkDiffIsInstalled) {
  std::string ship = "PATH=" + tree + "/ship:";
  EXPECT_EQ(std::string::npos, Start().find(ship));
  MakeDirs(dir / "tk");
  WriteScript(dir / "tk/tkdiff", "true");
  EXPECT_NE(std::string::npos, Start(dir / "tk:").find(ship));
}

}  // namespace

}  // namespace testsupport
