// The status panel on drive-letter paths: its title, the root key to the
// drive alone, "..", the listing from FindFirstFileA with full paths, and
// the states of a working copy as the cvs stand-in replays a report that
// the real client printed.
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "panel/cvs_panel.hpp"
#include "win_support.hpp"

namespace {

// The rows of one listing by bare name: letter, description, columns.
struct Row {
  std::string FullName;
  DWORD Attributes = 0;
  char Letter = 0;
  std::string Description;
  std::vector<std::string> Columns;
};

std::map<std::string, Row> List(CvsPanel &panel, std::vector<std::string> *order = nullptr) {
  PluginPanelItem *items = nullptr;
  int count = -1;
  EXPECT_EQ(panel.GetFindData(&items, &count), 1);
  std::map<std::string, Row> rows;
  for (int i = 0; i < count; ++i) {
    const PluginPanelItem &item = items[i];
    Row row;
    row.FullName = item.FindData.cFileName;
    row.Attributes = item.FindData.dwFileAttributes;
    row.Letter = static_cast<char>(item.UserData);
    if (item.Description != nullptr) row.Description = item.Description;
    for (int c = 0; c < item.CustomColumnNumber; ++c) {
      const char *text = item.CustomColumnData[c];
      row.Columns.push_back(text != nullptr ? text : "");
    }
    std::string bare = row.FullName.substr(row.FullName.find_last_of('\\') + 1);
    if (order != nullptr) order->push_back(bare);
    rows[bare] = row;
  }
  FreeFindItems(items, count);
  return rows;
}

class WindowsPanel : public wintest::HostTest {
 protected:
  // Opens a panel as the host would, on the file panel's folder `dir`.
  CvsPanel *Open(const std::string &folder, int viewMode) {
    host.ActivePanel().PanelType = PTYPE_FILEPANEL;
    host.ActivePanel().ViewMode = viewMode;
    host.ActivePanel().CurDir = folder;
    HANDLE handle = CreatePanel();
    EXPECT_NE(handle, INVALID_HANDLE_VALUE);
    return handle == INVALID_HANDLE_VALUE ? nullptr : static_cast<CvsPanel *>(handle);
  }

  std::string Title(CvsPanel &panel) {
    OpenPluginInfo described;
    memset(&described, 0, sizeof described);
    panel.DescribePanel(&described);
    return described.PanelTitle != nullptr ? described.PanelTitle : "(none)";
  }

  wintest::TempDir dir;
  wintest::ScopedEnv env;
};

TEST_F(WindowsPanel, TitleRootKeyAndParentOnDriveLetterPaths) {
  std::string folder = dir / "work\\proj";
  wintest::MakeDirs(folder + "\\sub");
  CvsPanel *panel = Open(folder, 3);
  ASSERT_NE(panel, nullptr);
  OpenPluginInfo described;
  memset(&described, 0, sizeof described);
  panel->DescribePanel(&described);
  EXPECT_EQ(std::string(described.PanelTitle), "CVS:" + folder);
  EXPECT_EQ(std::string(described.CurDir), folder);
  EXPECT_EQ(described.StartPanelMode, '3');

  // A listed folder comes back as its full path.
  EXPECT_EQ(panel->SetDirectory((folder + "\\sub").c_str()), 1);
  EXPECT_EQ(panel->Directory, folder + "\\sub");
  EXPECT_EQ(panel->SetDirectory(".."), 1);
  EXPECT_EQ(panel->Directory, folder);
  EXPECT_EQ(panel->SetDirectory("sub"), 1);
  EXPECT_EQ(panel->Directory, folder + "\\sub");
  EXPECT_EQ(panel->SetDirectory(".."), 1);
  EXPECT_EQ(panel->SetDirectory(".."), 1);
  EXPECT_EQ(panel->Directory, dir / "work");

  // The root key goes to the drive alone; there ".." and the root key
  // change nothing.
  const std::string drive = folder.substr(0, 2);
  ASSERT_EQ(drive[1], ':');
  EXPECT_EQ(panel->SetDirectory("\\"), 1);
  EXPECT_EQ(panel->Directory, drive);
  EXPECT_EQ(Title(*panel), "CVS:" + drive);
  EXPECT_EQ(panel->SetDirectory(".."), 1);
  EXPECT_EQ(panel->Directory, drive);
  EXPECT_EQ(panel->SetDirectory(nullptr), 1);
  EXPECT_EQ(panel->Directory, drive);

  // The drive alone lists the drive's root, with full paths under it.
  std::map<std::string, Row> rows = List(*panel);
  ASSERT_FALSE(rows.empty());
  for (const auto &entry : rows) {
    EXPECT_EQ(entry.second.FullName, drive + "\\" + entry.first);
  }
  EXPECT_EQ(rows.count("windows"), 1u);
  delete panel;
}

TEST_F(WindowsPanel, OutsideAWorkingCopyFilesAreUnknownAndNamesFullPaths) {
  wintest::WriteFile(dir / "a.c", "x");
  wintest::WriteFile(dir / "Makefile", "x");
  wintest::WriteFile(dir / "two words.c", "x");
  wintest::MakeDirs(dir / "folder");
  CvsPanel *panel = Open(dir.Path(), 0);
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->InWorkingCopy);
  std::vector<std::string> order;
  std::map<std::string, Row> rows = List(*panel, &order);
  // Byte order puts capitals first.
  EXPECT_EQ(order, (std::vector<std::string>{"Makefile", "a.c", "folder", "two words.c"}));
  EXPECT_EQ(rows["a.c"].FullName, dir / "a.c");
  EXPECT_EQ(rows["two words.c"].Description, "Unknown");
  EXPECT_EQ(rows["two words.c"].Letter, '?');
  EXPECT_EQ(rows["two words.c"].Columns, (std::vector<std::string>{"?"}));
  EXPECT_EQ(rows["folder"].Letter, 0);
  EXPECT_TRUE(rows["folder"].Description.empty());
  EXPECT_TRUE(rows["folder"].Columns.empty());
  delete panel;
}

// The working copy recorded by tests/record_replay_reports.sh, listed on C:
// with cvs.exe replaying the real client's status report.
TEST_F(WindowsPanel, AWorkingCopyShowsTheStatesThatCvsReports) {
  std::string copy = dir / "wc";
  wintest::CopyTree(wintest::TestsSourceDir() + "\\data\\replay\\workcopy", copy);
  std::string programs = wintest::ProgramPath("cvs");
  programs = programs.substr(0, programs.find_last_of('\\'));
  env.Set("PATH", programs);
  env.Set("QUILLET_REPLAY", wintest::TestsSourceDir() + "\\data\\replay");
  env.Set("QUILLET_REPLAY_LOG", dir / "cvs.log");
  env.Set("TMP", dir.Path());
  wintest::ScopedCwd cwd(dir.Path());

  CvsPanel *panel = Open(copy, 2);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->InWorkingCopy);
  EXPECT_EQ(panel->CvsRoot.find("/repository"), panel->CvsRoot.size() - strlen("/repository"))
      << panel->CvsRoot;
  std::map<std::string, Row> rows = List(*panel);
  EXPECT_EQ(rows.count("CVS"), 0u);
  EXPECT_EQ(rows["modified.c"].Letter, 'M');
  EXPECT_EQ(rows["modified.c"].Columns[1], "1.1.1.1");
  EXPECT_EQ(rows["added.c"].Letter, 'A');
  EXPECT_EQ(rows["needs-patch.c"].Letter, 'U');
  EXPECT_EQ(rows["needs-patch.c"].Columns[2], "1.2");
  EXPECT_EQ(rows["conflict.c"].Letter, 'c');
  EXPECT_EQ(rows["up-to-date.c"].Letter, ' ');
  EXPECT_EQ(rows["up-to-date.c"].Description, "Up-to-date");
  EXPECT_EQ(rows["unknown.txt"].Letter, '?');
  EXPECT_EQ(rows["sub"].Letter, 0);
  EXPECT_EQ(rows["modified.c"].FullName, copy + "\\modified.c");

  // cvs ran once, in the panel's folder, and its output file is gone.
  EXPECT_EQ(wintest::ReadLines(dir / "cvs.log"),
            (std::vector<std::string>{copy + ":[-q][status][-l]"}));
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Result, 2);
  std::vector<std::string> left = wintest::ListDir(dir.Path());
  EXPECT_EQ(left, (std::vector<std::string>{"cvs.log", "wc"}));
  delete panel;
}

}  // namespace
