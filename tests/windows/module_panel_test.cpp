// The status panel through Quillet.dll's exports on C:\ paths: the listing
// with the states that cvs.exe replays from the real client's reports,
// navigation (a folder, "..", the root key to the drive), and the panel's
// keys (F3 log and diff through the run dialog, Ctrl+Enter, Shift+Esc).
#include <string.h>

#include <string>
#include <vector>

#include "replay_module.hpp"

namespace {

class ModulePanel : public wintest::ReplayModuleTest {
 protected:
  std::string Title() {
    const char *title = host.ActivePanel().Described.PanelTitle;
    return title != nullptr ? title : "(none)";
  }
  std::string Description(const std::string &name) {
    const PluginPanelItem *item = Items()[name];
    return item != nullptr && item->Description != nullptr ? item->Description : "(none)";
  }
  char Letter(const std::string &name) {
    const PluginPanelItem *item = Items()[name];
    return item != nullptr ? static_cast<char>(item->UserData) : '-';
  }
};

TEST_F(ModulePanel, TheListingCarriesTheStatesCvsReportsOnDrivePaths) {
  host.ActivePanel().ViewMode = 3;
  ASSERT_NE(OpenPanel(copy), INVALID_HANDLE_VALUE);
  const std::string drive = copy.substr(0, 2);
  ASSERT_EQ(drive, "C:");
  EXPECT_EQ(Title(), "CVS:" + copy);
  EXPECT_EQ(host.ActivePanel().CurDir, copy);
  EXPECT_EQ(host.ActivePanel().ViewMode, 3);
  EXPECT_EQ(host.ActivePanel().Described.Flags, 0x2Eu);

  // Full paths with backslashes; the CVS folder is not listed.
  std::map<std::string, const PluginPanelItem *> items = Items();
  ASSERT_EQ(items.size(), 8u);  // with ".#conflict.c.1.1.1.1", kept by the merge
  EXPECT_EQ(items.count("CVS"), 0u);
  EXPECT_EQ(std::string(items["modified.c"]->FindData.cFileName), copy + "\\modified.c");
  EXPECT_EQ(std::string(items["sub"]->FindData.cFileName), copy + "\\sub");
  EXPECT_TRUE(items["sub"]->FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);

  EXPECT_EQ(Letter("modified.c"), 'M');
  EXPECT_EQ(Description("modified.c"), "Modified");
  EXPECT_EQ(Column(*items["modified.c"], 1), "1.1.1.1");
  EXPECT_EQ(Column(*items["modified.c"], 3), "<null>");
  EXPECT_TRUE(items["modified.c"]->FindData.dwFileAttributes & FILE_ATTRIBUTE_COMPRESSED);
  EXPECT_EQ(Letter("added.c"), 'A');
  EXPECT_EQ(Column(*items["added.c"], 1), "New");  // the first word, as "%s" reads it
  EXPECT_EQ(Letter("needs-patch.c"), 'U');
  EXPECT_EQ(Column(*items["needs-patch.c"], 2), "1.2");
  EXPECT_TRUE(items["needs-patch.c"]->FindData.dwFileAttributes & 0x40);
  EXPECT_EQ(Letter("conflict.c"), 'c');
  EXPECT_EQ(Description("conflict.c"), "Unresolved Conflict");
  EXPECT_EQ(Letter("up-to-date.c"), ' ');
  EXPECT_EQ(Column(*items["up-to-date.c"], 0), " ");
  EXPECT_EQ(Letter("unknown.txt"), '?');
  EXPECT_EQ(Description("unknown.txt"), "Unknown");
  EXPECT_EQ(Column(*items["sub"], 0), "<none>");

  // The info panel names the working copy's root.
  const OpenPluginInfo &described = host.ActivePanel().Described;
  ASSERT_EQ(described.InfoLinesNumber, 3);
  std::string root = described.InfoLines[2].Data;
  EXPECT_EQ(root.substr(root.size() - 11), "/repository") << root;
  EXPECT_STREQ(described.InfoLines[1].Data, "not defined");

  // cvs.exe ran once, in the panel's folder, under the run dialog that its
  // watcher thread closed.
  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{copy + ":[-q][status][-l]"}));
  ASSERT_EQ(CvsRuns(), 1);
  EXPECT_EQ(host.Dialogs[0].Result, 2);
  EXPECT_EQ(host.Dialogs[0].ProcMessages, (std::vector<int>{DN_INITDIALOG, DN_CLOSE}));
}

TEST_F(ModulePanel, EnteringAFolderGoingUpAndTheRootKeyToTheDrive) {
  ASSERT_NE(OpenPanel(copy), INVALID_HANDLE_VALUE);
  host.EnterRow(copy + "\\sub");
  EXPECT_EQ(host.ActivePanel().CurDir, copy + "\\sub");
  EXPECT_EQ(Title(), "CVS:" + copy + "\\sub");
  ASSERT_EQ(host.PluginItemsNumber, 1);
  EXPECT_EQ(std::string(host.PluginItems[0].FindData.cFileName), copy + "\\sub\\inner.c");
  EXPECT_EQ(Description("inner.c"), "Up-to-date");
  EXPECT_EQ(CvsCalls().back(), copy + "\\sub:[-q][status][-l]");

  // ".." comes back with the cursor on the folder it left; a bare name
  // enters as well.
  host.EnterRow("..");
  EXPECT_EQ(host.ActivePanel().CurDir, copy);
  EXPECT_EQ(host.ActivePanel().Rows[static_cast<size_t>(host.ActivePanel().CurrentItem)].Name,
            copy + "\\sub");
  host.EnterRow("sub");
  EXPECT_EQ(host.ActivePanel().CurDir, copy + "\\sub");

  // The root key: the drive alone, where ".." stays; no CVS folder there,
  // so no cvs runs.
  ForgetCvsCalls();
  host.EnterRoot();
  EXPECT_EQ(host.ActivePanel().CurDir, "C:");
  EXPECT_EQ(Title(), "CVS:C:");
  ASSERT_EQ(Items().count("windows"), 1u);
  EXPECT_EQ(std::string(Items()["windows"]->FindData.cFileName), "C:\\windows");
  host.EnterRow("..");
  EXPECT_EQ(host.ActivePanel().CurDir, "C:");
  host.EnterRow("windows");
  EXPECT_EQ(host.ActivePanel().CurDir, "C:\\windows");
  EXPECT_TRUE(CvsCalls().empty());
}

TEST_F(ModulePanel, F3ShowsLogAndDiffOfTheCurrentFileThroughTheRunDialog) {
  ASSERT_NE(OpenPanel(copy), INVALID_HANDLE_VALUE);
  PutCursorOn("modified.c");
  host.script.Menu.push_back(standin::Choose(1));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(host.Menus[0].Title, "View modified.c");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Title, "CVS log");
  EXPECT_TRUE(host.Editors[0].LockKeyPosted);
  EXPECT_NE(host.Editors[0].Content.find("Working file: modified.c\r\n"), std::string::npos)
      << host.Editors[0].Content;
  EXPECT_EQ(CvsCalls().back(), copy + ":[log][modified.c]");

  // cvs diff ends with 1 on a changed file; its output comes without the
  // failure box.
  host.script.Menu.push_back(standin::Choose(2));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_NE(host.Editors[1].Content.find("> locally modified"), std::string::npos)
      << host.Editors[1].Content;
  EXPECT_EQ(CvsCalls().back(), copy + ":[diff][modified.c]");
  // The listing's run and the two of F3, each closed by the watcher.
  ASSERT_EQ(CvsRuns(), 3);
  for (const standin::DialogCall &dialog : host.Dialogs) EXPECT_EQ(dialog.Result, 2);
}

TEST_F(ModulePanel, CtrlEnterPutsTheNameOnTheCommandLineAndShiftEscCloses) {
  ASSERT_NE(OpenPanel(copy), INVALID_HANDLE_VALUE);
  PutCursorOn("needs-patch.c");
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 1);
  EXPECT_EQ(host.CommandLine, "needs-patch.c ");
  PutCursorOn("sub");
  EXPECT_EQ(host.PressKey(VK_RETURN, PKF_CONTROL), 1);
  EXPECT_EQ(host.CommandLine, "needs-patch.c sub ");

  // Shift+Esc closes the panel into a file panel on the folder it showed.
  host.EnterRow(copy + "\\sub");
  HANDLE panel = host.ActivePanel().PluginHandle;
  EXPECT_EQ(host.PressKey(VK_ESCAPE, PKF_SHIFT), 1);
  ASSERT_FALSE(host.Controls.empty());
  EXPECT_EQ(host.Controls.back().Command, FCTL_CLOSEPLUGIN);
  EXPECT_EQ(host.Controls.back().Plugin, panel);
  EXPECT_EQ(host.Controls.back().Text, copy + "\\sub");
  EXPECT_FALSE(host.ActivePanel().Plugin);
  EXPECT_EQ(host.ActivePanel().CurDir, copy + "\\sub");
  std::vector<std::string> rows;
  for (const standin::PanelRow &row : host.ActivePanel().Rows) rows.push_back(row.Name);
  EXPECT_EQ(rows, (std::vector<std::string>{"..", "CVS", "inner.c"}));
}

}  // namespace
