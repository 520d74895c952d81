// Group selection in the host core: masks as file-manager users type them,
// + and - and * on a panel of files and folders, Shift with the cursor
// keys, and the summary of what is selected.
#include <gtest/gtest.h>

#include "core/panel_selection.hpp"

namespace {

namespace vk = hostcore::vk;

hostcore::PanelModel Panel(const std::vector<std::string> &folders,
                           const std::vector<std::string> &files) {
  hostcore::PanelModel panel;
  hostcore::PanelRow up;
  up.Name = "..";
  up.Attributes = FILE_ATTRIBUTE_DIRECTORY;
  panel.Rows.push_back(up);
  for (const std::string &name : folders) {
    hostcore::PanelRow row;
    row.Name = name;
    row.Attributes = FILE_ATTRIBUTE_DIRECTORY;
    panel.Rows.push_back(row);
  }
  for (const std::string &name : files) {
    hostcore::PanelRow row;
    row.Name = name;
    row.Size = 1000;
    panel.Rows.push_back(row);
  }
  return panel;
}

std::string Selected(const hostcore::PanelModel &panel) {
  std::string names;
  for (const hostcore::PanelRow &row : panel.Rows)
    if (row.Selected) names += (names.empty() ? "" : " ") + row.Name;
  return names;
}

TEST(MaskTest, WildcardsSetsListsAndTheAnyExtensionRule) {
  struct Case {
    const char *name, *masks;
    bool matches;
  } cases[] = {
      {"hello.c", "*.c", true},
      {"HELLO.C", "*.c", true},            // case does not matter
      {"hello.cc", "*.c", false},
      {"Makefile", "*.*", true},           // x.* takes a name without a dot
      {"README", "READ*.*", true},
      {"a.h", "*.c;*.h", true},
      {"a.h", " *.c , *.h ", true},        // blanks around masks
      {"b.txt", "[a-c].txt", true},
      {"b.txt", "[!a-c].txt", false},
      {"d.txt", "[^a-c].txt", true},
      {"[x", "[x", true},                  // an unclosed set is a bracket
      {"\xE6\xBC\xA2\xE5\xAD\x97.txt", "??.txt", true},  // ? is a character, not a byte
      {"\xE6\xBC\xA2\xE5\xAD\x97.txt", "?.txt", false},
      {"abcabd", "*ab?", true},            // a star tries again further on
      {"ab", "", false},
      {"ab", ",;", false},
  };
  for (const Case &c : cases)
    EXPECT_EQ(c.matches, hostcore::MatchesMask(c.name, c.masks)) << c.name << " / " << c.masks;
}

TEST(GroupSelectionTest, PlusTakesFilesMinusAlsoFoldersStarInvertsFiles) {
  hostcore::PanelModel panel = Panel({"src.c"}, {"a.c", "b.h", "/wc/full.c"});
  EXPECT_EQ(2, hostcore::SelectByMask(panel, "*.c"));
  EXPECT_EQ("a.c /wc/full.c", Selected(panel));  // full paths match by their name part
  panel.Rows[1].Selected = true;                 // the folder, by Insert
  EXPECT_EQ(2, hostcore::UnselectByMask(panel, "src*,a*"));
  EXPECT_EQ("/wc/full.c", Selected(panel));
  hostcore::InvertFileSelection(panel);
  EXPECT_EQ("a.c b.h", Selected(panel));
  EXPECT_EQ("2,000 bytes in 2 selected files", hostcore::SelectionSummary(panel));
  panel.Rows[3].Selected = false;
  EXPECT_EQ("1,000 bytes in 1 selected file", hostcore::SelectionSummary(panel));
  hostcore::UnselectByMask(panel, "*");
  EXPECT_EQ("", hostcore::SelectionSummary(panel));
}

TEST(GroupSelectionTest, ShiftWithTheCursorKeysSweepsTheRowsLeft) {
  hostcore::PanelModel panel = Panel({}, {"f1", "f2", "f3", "f4"});
  hostcore::PanelWindow window{10, 1};
  // From "..", which is never selected, two rows down; then to the end,
  // where the last row changes too; back up, the selection goes.
  for (int vk : {vk::Down, vk::Down, vk::End, vk::Up})
    EXPECT_TRUE(hostcore::SelectWhileMoving(panel, hostcore::KeyOf(vk, PKF_SHIFT), window));
  EXPECT_EQ("f1 f2 f3", Selected(panel));
  EXPECT_EQ(3, panel.CurrentItem);
  EXPECT_FALSE(hostcore::SelectWhileMoving(panel, hostcore::KeyOf(vk::Down), window));
}

}  // namespace
