// Mark on the status panel: the states are on its rows, so it selects by
// their letters with no cvs run, and it selects what Mark on the file panel
// selects on the same working copy, state by state.
#include <set>

#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

const char *const kClasses[] = {"Modified", "Conflicts", "Out-of-date", "Not in repository"};

class PanelMarkTest : public PanelCvsTest {
 protected:
  // Every state the panel shows in one folder: those of MakeStates, a file
  // deleted by hand (lost), a file cvs ignores, and a removed file.
  void MakeEveryState() {
    MakeStates();
    Shell("rm 'two words.c'", wc);
    WriteFile(wc + "/build.o", "object\n");
  }
  // Mark > `entry` from the plug-ins menu, in the working copy.
  void Mark(int entry) {
    const Command kMarks[] = {Command::MarkModified, Command::MarkConflicts, Command::MarkOutOfDate,
                              Command::MarkUnknown};
    ChooseCommand(kMarks[entry]);
    ScopedCwd in(wc);
    module.OpenPlugin(OPEN_PLUGINSMENU, 0);
  }
  std::set<std::string> Selected() {
    std::set<std::string> names;
    for (const standin::PanelRow &row : host.ActivePanel().Rows) {
      if (!row.Selected) continue;
      const size_t slash = row.Name.rfind('/');
      names.insert(slash == std::string::npos ? row.Name : row.Name.substr(slash + 1));
    }
    return names;
  }
  // A file panel of the host on `dir` holding a row for every name (the
  // status panel's rows, those without a file too), nothing selected.
  void ShowFilePanel(const std::set<std::string> &names, const std::set<std::string> &folders) {
    standin::PanelModel &panel = host.ActivePanel();
    panel = standin::PanelModel();
    panel.CurDir = wc;
    standin::PanelRow up;
    up.Name = "..";
    up.Attributes = FILE_ATTRIBUTE_DIRECTORY;
    panel.Rows.push_back(up);
    for (const std::string &name : names) {
      standin::PanelRow row;
      row.Name = name;
      row.Attributes = folders.count(name) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
      panel.Rows.push_back(row);
    }
  }
};

}  // namespace

TEST_F(PanelMarkTest, EachClassSelectsWhatTheFilePanelsQuerySelects) {
  MakeEveryState();
  OpenPanel(wc);
  std::set<std::string> names, folders;
  for (const auto &item : Items()) {
    names.insert(item.first);
    if (item.second->FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      folders.insert(item.first);
  }
  // The rows that only the status panel can show are among them.
  ASSERT_EQ(names.count("removed.c"), 1u);
  ASSERT_EQ(names.count("two words.c"), 1u);
  ASSERT_STREQ(Items()["build.o"]->Description, "Ignored");
  host.ClosePluginPanel(0);

  for (int entry = 0; entry < 4; ++entry) {
    SCOPED_TRACE(kClasses[entry]);
    ShowFilePanel(names, folders);
    Mark(entry);
    const std::set<std::string> byCvs = Selected();
    EXPECT_FALSE(byCvs.empty());

    host.ClosePluginPanel(0);
    OpenPanel(wc);
    WriteFile(wrapperLog, "");
    Mark(entry);
    // A file that needs a merge is out of date by its status; the dry run
    // of the file panel forecasts the merge instead and names it as
    // conflicting (or modified, where the merge would go through).
    std::set<std::string> byLetters = Selected();
    EXPECT_EQ(byLetters.erase("needs-merge.c"), entry == 2 ? 1u : 0u);
    std::set<std::string> expected = byCvs;
    expected.erase("needs-merge.c");
    EXPECT_EQ(byLetters, expected);
    // The panel's own letters were enough.
    EXPECT_TRUE(CvsCalls().empty());
    for (const auto &m : host.Messages) ADD_FAILURE() << m.Lines[0] << " / " << (m.Lines.size() > 1 ? m.Lines[1] : "");
    host.ClosePluginPanel(0);
  }
}
