// The host's own answers to a person's keys, in the core so that every
// front end shares them: Enter on a row, the command line's prefix, leaving
// a plug-in panel, reading panels again; with the real module loaded by its
// exports (in folders that are not working copies, so no cvs runs).
#include <unistd.h>

#include "core/host_core.hpp"
#include "test_support.hpp"

namespace {

using testsupport::ModuleTest;

class PanelActionsTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    testsupport::MakeDirs(dir / "inner");
    testsupport::WriteFile(dir / "a.txt", "a");
    ASSERT_TRUE(host.ShowFolder(0, dir.Path()));
    ASSERT_TRUE(host.ShowFolder(1, dir.Path()));
  }
  testsupport::ScopedCwd cwd;
  testsupport::TempDir dir;
};

TEST_F(PanelActionsTest, EnterGoesIntoFoldersAndBackOntoTheFolderLeft) {
  hostcore::PanelModel &panel = host.Panels[0];
  panel.CurrentItem = testsupport::RowIndex(panel, "inner");
  ASSERT_TRUE(host.EnterCurrentRow());
  EXPECT_EQ(dir / "inner", panel.CurDir);
  char here[4096];
  ASSERT_NE(nullptr, getcwd(here, sizeof here));
  EXPECT_EQ(dir / "inner", here);  // the module's relative names start there
  panel.CurrentItem = 0;           // ".."
  ASSERT_TRUE(host.EnterCurrentRow());
  EXPECT_EQ(dir.Path(), panel.CurDir);
  EXPECT_EQ("inner", panel.Rows[static_cast<size_t>(panel.CurrentItem)].Name);
  // Enter on a file changes nothing.
  panel.CurrentItem = testsupport::RowIndex(panel, "a.txt");
  ASSERT_TRUE(host.EnterCurrentRow());
  EXPECT_EQ(dir.Path(), panel.CurDir);
  // A folder that went away says so and shows no rows of its own.
  panel.CurrentItem = testsupport::RowIndex(panel, "inner");
  testsupport::Shell("rmdir " + testsupport::ShellQuote(dir / "inner"));
  EXPECT_FALSE(host.EnterCurrentRow());
}

TEST_F(PanelActionsTest, TheModulesPrefixOpensItsPanelAndShiftEscLeavesIt) {
  EXPECT_FALSE(host.RunPrefixedCommand("ls -l"));
  EXPECT_FALSE(host.RunPrefixedCommand("cvs status"));
  EXPECT_FALSE(host.Panels[0].Plugin);
  ASSERT_TRUE(host.RunPrefixedCommand("  CVS:"));
  hostcore::PanelModel &panel = host.Panels[0];
  ASSERT_TRUE(panel.Plugin);
  EXPECT_EQ(dir.Path(), panel.CurDir);
  ASSERT_NE(nullptr, panel.Described.PanelTitle);
  EXPECT_EQ("CVS:" + dir.Path(), panel.Described.PanelTitle);
  EXPECT_NE(-1, testsupport::RowIndex(panel, "a.txt"));
  // The prefix again replaces the open panel instead of stacking a second.
  ASSERT_TRUE(host.RunPrefixedCommand("cvs:"));
  EXPECT_TRUE(panel.Plugin);
  host.LeavePanel();
  EXPECT_FALSE(panel.Plugin);
  EXPECT_EQ(dir.Path(), panel.CurDir);
  EXPECT_NE(-1, testsupport::RowIndex(panel, "inner"));
  // On a file panel it reads the folder again.
  testsupport::WriteFile(dir / "b.txt", "b");
  host.LeavePanel();
  EXPECT_NE(-1, testsupport::RowIndex(panel, "b.txt"));
}

TEST_F(PanelActionsTest, TheRootKeyAndViewModesOfAFilePanel) {
  host.SetViewMode(3);
  EXPECT_EQ(3, host.Panels[0].ViewMode);
  EXPECT_EQ(3, host.Panels[0].FileViewMode);
  host.SetViewMode(12);  // no such mode
  EXPECT_EQ(3, host.Panels[0].ViewMode);
  host.GoToRoot();
  EXPECT_EQ("/", host.Panels[0].CurDir);
  EXPECT_NE(-1, testsupport::RowIndex(host.Panels[0], "tmp"));
  // The plug-in panel keeps the file panel's mode for when it closes.
  host.Active = 1;
  ASSERT_TRUE(host.RunPrefixedCommand("cvs:"));
  host.SetViewMode(5);
  EXPECT_EQ(5, host.Panels[1].ViewMode);
  host.LeavePanel();
  EXPECT_EQ(2, host.Panels[1].ViewMode);
}

TEST_F(PanelActionsTest, AfterAModuleCallTheFilePanelsAreReadAgain) {
  testsupport::WriteFile(dir / "made-meanwhile.txt", "x");
  // Esc in the plug-ins menu's command menu: the module ran nothing.
  host.OpenModule(OPEN_PLUGINSMENU, 0);
  EXPECT_FALSE(host.Panels[0].Plugin);
  EXPECT_NE(-1, testsupport::RowIndex(host.Panels[0], "made-meanwhile.txt"));
  EXPECT_NE(-1, testsupport::RowIndex(host.Panels[1], "made-meanwhile.txt"));
  ASSERT_EQ(1u, host.Menus.size());
  EXPECT_EQ("CVS: Current Dir", host.Menus[0].Title);
}

}  // namespace
