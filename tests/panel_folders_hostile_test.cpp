// Folders the panel cannot read or enter: the user is told, and cvs never
// reports on another folder in their place.  Root may read and enter any
// folder, so these cases run as a user without privileges.
#include <sys/stat.h>

#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

class UnreadableFolders : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    sandbox.Import("proj", {{"a.c", "a\n"}, {"b.c", "b\n"}});
    wc = sandbox.Checkout("proj", "wc");
  }
  const standin::MessageCall &LastBox() { return host.Messages.back(); }
};

TEST_F(UnreadableFolders, AFolderThatCannotBeListedIsSaidNotShownEmpty) {
  if (!RunsUnprivileged()) return;
  OpenPanel(wc);
  ASSERT_TRUE(host.Messages.empty());
  chmod(wc.c_str(), 0);
  WriteFile(wrapperLog, "");
  host.RefreshPluginPanel();
  chmod(wc.c_str(), 0755);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(LastBox().Flags & FMSG_WARNING, DWORD(FMSG_WARNING));
  EXPECT_EQ(LastBox().Lines[0], "Error");
  EXPECT_EQ(LastBox().Lines[1], "Cannot read the folder " + wc);
  EXPECT_EQ(host.PluginItemsNumber, 0);
  EXPECT_TRUE(CvsCalls().empty());

  // A folder that is not there at all, entered by name.
  host.EnterRow(wc + "/gone");
  EXPECT_EQ(LastBox().Lines[1], "Cannot read the folder " + wc + "/gone");
}

TEST_F(UnreadableFolders, AFolderThatCannotBeEnteredRunsNoCvsAndSaysSo) {
  if (!RunsUnprivileged()) return;
  OpenPanel(wc);
  host.ActivePanel().Rows[RowIndex("a.c")].Selected = true;
  // Listed but not entered: cvs would report on whatever folder is current.
  Shell("cd / && chmod 0444 " + ShellQuote(wc));
  ScopedCwd away(sandbox.Root());
  WriteFile(wrapperLog, "");
  host.Dialogs.clear();
  host.script.Menu.push_back(standin::Choose(4));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(LastBox().Lines[0], "Error");
  EXPECT_EQ(LastBox().Lines[1], "Cannot enter the folder " + wc);

  host.RefreshPluginPanel();
  Shell("chmod 0755 " + ShellQuote(wc));
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(LastBox().Lines[1], "Cannot enter the folder " + wc + ", so cvs cannot report on it");
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_TRUE(CvsCalls().empty());
  for (int i = 0; i < host.PluginItemsNumber; ++i)
    EXPECT_STRNE(host.PluginItems[i].Description, "Up-to-date");
}

}  // namespace
