// A fixture for the plug-ins menu commands: a real cvs repository with a
// working copy, a recording wrapper for cvs first on PATH, the host's active
// file panel on the working copy, and helpers to script the user.
#ifndef QUILLET_COMMANDS_FIXTURE_HPP
#define QUILLET_COMMANDS_FIXTURE_HPP

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "commands/commands.hpp"
#include "test_support.hpp"

namespace testsupport {

// The index of the item named `name` in the array the host receives for
// `dialog`; fails the test when the dialog has none of that name.
inline int ItemOf(const DialogDeclaration &dialog, const char *name) {
  const int index = dialog.IndexOf(name);
  EXPECT_GE(index, 0) << "no dialog item " << name;
  return index;
}

class CommandTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    wrapperLog = tools / "cvs-calls.log";
    WriteRecordingCvs(tools.Path(), wrapperLog, false);
  }

  // Imports `files` as module "proj", checks it out as "wc" and points the
  // active panel and the current folder at it.
  std::string MakeWorkingCopy(const std::map<std::string, std::string> &files) {
    sandbox.Import("proj", files);
    wc = sandbox.Checkout("proj", "wc");
    EnterFolder(wc);
    return wc;
  }

  // The active panel shows `dir` (rows read from disk) and the process's
  // current folder follows it, as the host keeps it.
  void EnterFolder(const std::string &dir) {
    cwd.reset();
    cwd.reset(new ScopedCwd(dir));
    standin::PanelModel &panel = host.ActivePanel();
    panel = standin::PanelModel();
    panel.CurDir = dir;
    panel.Rows.clear();
    standin::PanelRow up;
    up.Name = "..";
    up.Attributes = 0x10;
    panel.Rows.push_back(up);
    for (const std::string &name : ListDir(dir)) {
      standin::PanelRow row;
      row.Name = name;
      row.Attributes = Shell("test -d " + ShellQuote(dir + "/" + name)) == 0 ? 0x10 : 0x20;
      panel.Rows.push_back(row);
    }
    panel.CurrentItem = 0;
  }

  std::vector<std::string> SelectedRows() {
    std::vector<std::string> names;
    for (const standin::PanelRow &row : host.ActivePanel().Rows)
      if (row.Selected) names.push_back(row.Name);
    return names;
  }

  // Picks `command` in the plug-ins menu, by the text of its row, and runs
  // the plug-ins menu entry of the module.
  HANDLE Run(Command command) {
    ChooseCommand(command);
    return OpenFromMenu();
  }
  // The plug-ins menu entry, its command menu left with Esc.
  HANDLE RunAndLeave() {
    host.script.Menu.push_back(standin::Choose(-1));
    return OpenFromMenu();
  }
  // The plug-ins menu entry, with the recording cvs (and whatever else the
  // test put into `tools`) first on PATH for the module's runs only.
  HANDLE OpenFromMenu() {
    ScopedEnv path;
    const char *old = getenv("PATH");
    path.Set("PATH", tools.Path() + ":" + (old != nullptr ? old : "/usr/bin:/bin"));
    return module.OpenPlugin(OPEN_PLUGINSMENU, 0);
  }

  // The command dialogs shown, without the "CVS Running..." ones.
  std::vector<standin::DialogCall> CommandDialogs() {
    std::vector<standin::DialogCall> dialogs;
    for (const standin::DialogCall &call : host.Dialogs)
      if (!call.Ex) dialogs.push_back(call);
    return dialogs;
  }

  // The cvs runs seen by the wrapper, one line of "[arg]" groups per run.
  std::vector<std::string> CvsCalls() { return ReadLines(wrapperLog); }
  std::string LastCvsCall() {
    std::vector<std::string> calls = CvsCalls();
    return calls.empty() ? "" : calls.back();
  }
  void ForgetCvsCalls() { WriteFile(wrapperLog, ""); }

  // Text typed into a dialog edit, as the user would.
  static void Type(FarDialogItem &item, const std::string &text) {
    snprintf(item.Data, sizeof item.Data, "%s", text.c_str());
  }

  // Nothing of the module may be left in the temporary folder.
  void ExpectNoTempFiles() {
    EXPECT_EQ(ListDir(sandbox.Tmp()), std::vector<std::string>()) << "files left in TMP";
    EXPECT_EQ(ListDir(sandbox.Home()), std::vector<std::string>()) << "files left in HOME";
  }

  std::string Revision(const std::string &file, const std::string &dir) {
    std::string output;
    sandbox.Cvs("-Q status " + ShellQuote(file), dir, &output);
    size_t at = output.find("Working revision:");
    if (at == std::string::npos) return "";
    at = output.find_first_not_of(" \t", at + 17);
    return output.substr(at, output.find_first_of(" \t\n", at) - at);
  }

  ScopedEnv env;
  CvsSandbox sandbox;
  TempDir tools;
  std::string wrapperLog;
  std::string wc;
  std::unique_ptr<ScopedCwd> cwd;
};

}  // namespace testsupport

#endif
