// A fixture for the status panel against the real cvs: a repository, two
// working copies with a file in each state, a recording cvs wrapper first
// on PATH, and helpers to open the panel and read its rows.
#ifndef QUILLET_PANEL_FIXTURE_HPP
#define QUILLET_PANEL_FIXTURE_HPP

#include <string.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace testsupport {

class PanelCvsTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    wrapperLog = tools / "cvs-calls.log";
    WriteRecordingCvs(tools.Path(), wrapperLog, true);
    const char *old = getenv("PATH");
    env.Set("PATH", tools.Path() + ":" + (old != nullptr ? old : "/usr/bin:/bin"));
  }
  void TearDown() override {
    ModuleTest::TearDown();
    // Every temporary file of the module is gone by now.
    EXPECT_EQ(ListDir(sandbox.Tmp()), std::vector<std::string>()) << "files left in TMP";
  }

  // The repository holds module "proj"; "wc" is brought into every state
  // with the help of a second copy, "other".
  void MakeStates() {
    sandbox.Import("proj", {{"Makefile", "all:\n"},
                            {"up-to-date.c", "one\ntwo\nthree\n"},
                            {"modified.c", "one\ntwo\nthree\n"},
                            {"needs-patch.c", "one\ntwo\nthree\n"},
                            {"needs-merge.c", "one\ntwo\nthree\n"},
                            {"conflict.c", "one\ntwo\nthree\n"},
                            {"conflict-edited.c", "one\ntwo\nthree\n"},
                            {"removed.c", "one\n"},
                            {"tagged.c", "one\n"},
                            {"two words.c", "one\n"},
                            {"sub/inner.c", "inner\n"}});
    wc = sandbox.Checkout("proj", "wc");
    other = sandbox.Checkout("proj", "other");
    WriteFile(wc + "/binary.dat", std::string("bin\0ary\n", 8));
    sandbox.MustCvs("-Q add -kb binary.dat", wc);
    sandbox.MustCvs("-Q commit -m binary binary.dat", wc);

    for (const char *name : {"needs-patch.c", "needs-merge.c", "conflict.c", "conflict-edited.c"}) {
      WriteFile(other + "/" + name, "one\nchanged in other\nthree\n");
    }
    sandbox.MustCvs("-Q commit -m other", other);

    WriteFile(wc + "/modified.c", "one\ntwo\nthree\nlocal\n");
    WriteFile(wc + "/needs-merge.c", "one\ntwo\nthree changed here\n");
    for (const char *name : {"conflict.c", "conflict-edited.c"}) {
      WriteFile(wc + "/" + name, "one\nchanged here\nthree\n");
      sandbox.Cvs(std::string("-Q update ") + name, wc);
    }
    WriteFile(wc + "/conflict-edited.c",
              ReadFile(wc + "/conflict-edited.c") + "edited after the merge\n");
    Shell("rm removed.c", wc);
    sandbox.MustCvs("-Q remove removed.c", wc);
    WriteFile(wc + "/added.c", "new\n");
    sandbox.MustCvs("-Q add added.c", wc);
    sandbox.MustCvs("-Q tag rel-1 tagged.c", wc);
    sandbox.MustCvs("-Q update -r rel-1 tagged.c", wc);
    WriteFile(wc + "/unknown.txt", "not in cvs\n");
    MakeDirs(wc + "/cvs");
    MakeDirs(wc + "/notes");
  }

  // Opens the panel on `dir` as the command-line prefix does.
  // The wrapper's log starts afresh: the fixture's own runs are not counted.
  HANDLE OpenPanel(const std::string &dir) {
    WriteFile(wrapperLog, "");
    host.ActivePanel().CurDir = dir;
    HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
    EXPECT_NE(panel, INVALID_HANDLE_VALUE);
    if (panel != INVALID_HANDLE_VALUE) host.OpenPluginPanel(module, panel);
    return panel;
  }

  // The runs the wrapper saw ("dir:[a][b]").
  std::vector<std::string> CvsCalls() { return ReadLines(wrapperLog); }

  CvsSandbox sandbox;
  ScopedEnv env;
  ScopedCwd cwd;
  TempDir tools;
  std::string wrapperLog;
  std::string wc, other;
};

}  // namespace testsupport

#endif
