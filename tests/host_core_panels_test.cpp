// The host core's panels: the file panel's order and cursor, the plug-in
// panel read from the module, Control as the module uses it, and the
// editor's protocol around the posted lock key.
#include <string.h>

#include "core/host_core.hpp"
#include "test_support.hpp"

namespace {

using testsupport::ModuleTest;

std::vector<std::string> Names(const hostcore::PanelModel &panel) {
  std::vector<std::string> names;
  for (const hostcore::PanelRow &row : panel.Rows) names.push_back(row.Name);
  return names;
}

class FilePanelTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    for (const char *name : {"b.txt", "A.txt", "c", ".hidden"})
      testsupport::WriteFile(dir / name, "x");
    testsupport::MakeDirs(dir / "Zeta");
    testsupport::MakeDirs(dir / "alpha");
    testsupport::WriteFile(dir / "alpha/inner", "12345");
  }
  testsupport::TempDir dir;
};

TEST_F(FilePanelTest, FoldersFirstThenFilesEachByNameWithoutCase) {
  ASSERT_TRUE(host.ShowFolder(0, dir.Path()));
  EXPECT_EQ((std::vector<std::string>{"..", "alpha", "Zeta", ".hidden", "A.txt", "b.txt", "c"}),
            Names(host.Panels[0]));
  const hostcore::PanelRow &file = host.Panels[0].Rows[4];
  EXPECT_EQ(1u, file.Size);
  EXPECT_NE(0u, file.WriteTime);
  EXPECT_TRUE(host.Panels[0].Rows[1].Attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(host.Panels[0].Rows[3].Attributes & FILE_ATTRIBUTE_HIDDEN);
  // The root has no "..".
  ASSERT_TRUE(host.ShowFolder(1, "/"));
  EXPECT_NE("..", host.Panels[1].Rows.front().Name);
  // A folder that cannot be read shows ".." alone and says so.
  EXPECT_FALSE(host.ShowFolder(1, dir / "missing"));
  EXPECT_EQ((std::vector<std::string>{".."}), Names(host.Panels[1]));
}

TEST_F(FilePanelTest, TheCursorStaysOnItsNameAndComesBackToTheFolderLeft) {
  ASSERT_TRUE(host.ShowFolder(0, dir.Path()));
  hostcore::PanelModel &panel = host.Panels[0];
  panel.CurrentItem = 5;  // b.txt
  panel.Rows[4].Selected = true;
  testsupport::WriteFile(dir / "a1", "new");  // lands between A.txt and b.txt
  ASSERT_TRUE(host.RereadFolder(0));
  EXPECT_EQ(
      (std::vector<std::string>{"..", "alpha", "Zeta", ".hidden", "A.txt", "a1", "b.txt", "c"}),
      Names(panel));
  EXPECT_EQ(6, panel.CurrentItem);
  // The selection stays on its name too.
  EXPECT_TRUE(panel.Rows[4].Selected);
  EXPECT_FALSE(panel.Rows[5].Selected);
  ASSERT_TRUE(host.ShowFolder(0, dir / "alpha"));
  EXPECT_EQ(0, panel.CurrentItem);
  ASSERT_TRUE(host.ShowFolder(0, dir.Path()));
  EXPECT_EQ("alpha", panel.Rows[static_cast<size_t>(panel.CurrentItem)].Name);
}

TEST_F(FilePanelTest, ControlReportsAndChangesThePanelsAndTheCommandLine) {
  ASSERT_TRUE(host.ShowFolder(0, dir.Path()));
  ASSERT_TRUE(host.ShowFolder(1, dir / "alpha"));
  host.Active = 1;
  PluginStartupInfo info = host.StartupInfo();
  PanelInfo panel;
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_GETANOTHERPANELINFO, &panel));
  EXPECT_STREQ(dir.Path().c_str(), panel.CurDir);
  EXPECT_EQ(7, panel.ItemsNumber);
  EXPECT_EQ(0, panel.Focus);
  EXPECT_STREQ("N,N", panel.ColumnTypes);
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, &panel));
  EXPECT_EQ(1, panel.Focus);
  EXPECT_EQ(40, panel.PanelRect.left);
  ASSERT_EQ(2, panel.ItemsNumber);
  EXPECT_EQ(5u, panel.PanelItems[1].FindData.nFileSizeLow);

  // Selection on the passive panel, as the Mark command sets it.
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_GETANOTHERPANELINFO, &panel));
  panel.PanelItems[5].Flags |= PPIF_SELECTED;
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_SETANOTHERSELECTION, &panel));
  EXPECT_TRUE(host.Panels[0].Rows[5].Selected);
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_GETANOTHERPANELINFO, &panel));
  ASSERT_EQ(1, panel.SelectedItemsNumber);
  EXPECT_STREQ("b.txt", panel.SelectedItems[0].FindData.cFileName);

  int mode = 5;
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_SETANOTHERVIEWMODE, &mode));
  EXPECT_EQ(5, host.Panels[0].ViewMode);
  mode = 12;
  EXPECT_EQ(0, info.Control(INVALID_HANDLE_VALUE, FCTL_SETVIEWMODE, &mode));
  std::string zeta = dir / "Zeta";
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_SETANOTHERPANELDIR, &zeta[0]));
  EXPECT_EQ(zeta, host.Panels[0].CurDir);

  char text[] = "cvs -n update ";
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_SETCMDLINE, text));
  char name[] = "a.c ";
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_INSERTCMDLINE, name));
  char line[1024];
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_GETCMDLINE, line));
  EXPECT_STREQ("cvs -n update a.c ", line);
  EXPECT_EQ(0, info.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, nullptr));
  EXPECT_EQ(0, info.Control(INVALID_HANDLE_VALUE, 99, nullptr));
  // Each refused call breaks the host's contract as well.
  EXPECT_EQ((std::vector<std::string>{"Control Command 12", "Control Command 1", "Control Command"}),
            testsupport::TakeHostBreaches());

  // An update asked for during a module call is done when the call returns.
  testsupport::WriteFile(dir / "alpha/later", "");
  ASSERT_EQ(1, info.Control(INVALID_HANDLE_VALUE, FCTL_UPDATEPANEL, nullptr));
  EXPECT_EQ(2u, host.Panels[1].Rows.size());
  host.CarryOutRequests();
  EXPECT_EQ((std::vector<std::string>{"..", "inner", "later"}), Names(host.Panels[1]));
}

TEST_F(FilePanelTest, APluginPanelIsSortedAndGoesBackToTheFolderItCameFrom) {
  host.ActivePanel().CurDir = dir / "alpha";
  HANDLE handle = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  ASSERT_NE(INVALID_HANDLE_VALUE, handle);
  host.OpenPluginPanel(module, handle);
  ASSERT_TRUE(host.ActivePanel().Plugin);
  EXPECT_EQ("..", host.ActivePanel().Rows.front().Name);
  host.EnterRow("..");
  EXPECT_EQ(dir.Path(), host.ActivePanel().CurDir);
  std::vector<std::string> rows = Names(host.ActivePanel());
  ASSERT_EQ(7u, rows.size());
  EXPECT_EQ(dir / "alpha", rows[1]);
  EXPECT_EQ(dir / "Zeta", rows[2]);
  EXPECT_EQ(dir / ".hidden", rows[3]);
  EXPECT_EQ(1, host.ActivePanel().CurrentItem);
  // Shift+Esc: the module asks to close; the file panel shows its folder.
  EXPECT_EQ(1, host.PressKey(VK_ESCAPE, PKF_SHIFT));
  EXPECT_FALSE(host.ActivePanel().Plugin);
  EXPECT_EQ(dir.Path(), host.ActivePanel().CurDir);
  EXPECT_EQ(7u, host.ActivePanel().Rows.size());
  EXPECT_EQ(nullptr, host.PluginItems);
}

TEST_F(FilePanelTest, APluginPanelKeepsItsSelectionByNameAcrossARereadNotAcrossFolders) {
  host.ActivePanel().CurDir = dir.Path();
  HANDLE handle = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  ASSERT_NE(INVALID_HANDLE_VALUE, handle);
  host.OpenPluginPanel(module, handle);
  hostcore::PanelModel &panel = host.ActivePanel();
  ASSERT_EQ(dir / "b.txt", panel.Rows[5].Name);
  panel.Rows[4].Selected = panel.Rows[6].Selected = true;  // A.txt and c
  panel.CurrentItem = 5;
  // b.txt goes: the module hands fresh items, the host selects them again
  // by name and leaves the cursor where b.txt was.
  ASSERT_EQ(0, remove((dir / "b.txt").c_str()));
  host.RereadPanel(host.Active);
  ASSERT_EQ(6u, panel.Rows.size());
  EXPECT_TRUE(panel.Rows[4].Selected);
  EXPECT_TRUE(panel.Rows[5].Selected);
  EXPECT_EQ(dir / "c", panel.Rows[5].Name);
  EXPECT_EQ(5, panel.CurrentItem);
  // Another folder starts with nothing selected, and so does the way back.
  host.EnterRow(dir / "alpha");
  host.EnterRow("..");
  for (const hostcore::PanelRow &row : panel.Rows) EXPECT_FALSE(row.Selected) << row.Name;
}

class EditorProtocolTest : public ModuleTest {
 protected:
  int Editor(const std::string &path) {
    PluginStartupInfo info = host.StartupInfo();
    return info.Editor(path.c_str(), "CVS log", 0, 0, -1, -1, 0, 0, 0);
  }
  void PostKeys(std::vector<DWORD> keys) {
    PluginStartupInfo info = host.StartupInfo();
    KeySequence sequence = {0, static_cast<int>(keys.size()), keys.data()};
    ASSERT_EQ(1, info.AdvControl(info.ModuleNumber, ACTL_POSTKEYSEQUENCE, &sequence));
  }
  testsupport::TempDir dir;
};

TEST_F(EditorProtocolTest, ModifiedOnlyWhenAChangedFileWasSavedInAnUnlockedEditor) {
  std::string file = dir / "message.txt";
  testsupport::WriteFile(file, "template\n");
  host.script.Editor.push_back(standin::AppendAndSave("typed\n"));
  EXPECT_EQ(EEC_MODIFIED, Editor(file));
  EXPECT_EQ("template\ntyped\n", testsupport::ReadFile(file));

  host.script.Editor.push_back(standin::LeaveEditor());
  EXPECT_EQ(EEC_NOT_MODIFIED, Editor(file));

  // The lock key posted first: read-only, whatever the user tries.
  PostKeys({hostcore::kLockKey});
  host.script.Editor.push_back(standin::AppendAndSave("more\n"));
  EXPECT_EQ(EEC_NOT_MODIFIED, Editor(file));
  EXPECT_EQ("template\ntyped\n", testsupport::ReadFile(file));
  PostKeys({hostcore::kLockKey});
  host.script.Editor.push_back(
      [](standin::EditorCall &) { return static_cast<int>(EEC_MODIFIED); });
  EXPECT_EQ(EEC_NOT_MODIFIED, Editor(file));
  ASSERT_EQ(4u, host.Editors.size());
  EXPECT_FALSE(host.Editors[1].LockKeyPosted);
  EXPECT_TRUE(host.Editors[2].LockKeyPosted);
  EXPECT_EQ("template\ntyped\n", host.Editors[2].Content);

  // The lock is read once; other posted keys wait for whoever reads next.
  PostKeys({KEY_CTRL | 'R'});
  host.script.Editor.push_back(standin::AppendAndSave("x"));
  EXPECT_EQ(EEC_MODIFIED, Editor(file));
  EXPECT_EQ(std::deque<DWORD>{KEY_CTRL | 'R'}, host.PostedKeys);

  EXPECT_EQ(EEC_OPEN_ERROR, Editor(dir / "missing.txt"));
  EXPECT_EQ(6u, host.Editors.size());
}

}  // namespace
