// The console host's drawing on a terminal-less screen (ncurses on
// /dev/null), read back cell by cell: a plug-in panel whose module leaves
// optional fields null, the two highlight colours, names that are not
// valid UTF-8, and the info view.
#include <curses.h>
#include <gtest/gtest.h>

#include <locale.h>
#include <string.h>
#include <wchar.h>

#include "console/file_panel.hpp"
#include "console/panel_view.hpp"
#include "console/plugin_panel.hpp"
#include "console/terminal.hpp"
#include "core/screen_text.hpp"

namespace {

console::Terminal &Screen() {
  static console::Terminal term;
  static bool opened = [] {
    // The console host draws in a UTF-8 locale.
    setlocale(LC_CTYPE, "C.UTF-8");
    std::string error;
    bool ok = term.OpenHeadless(100, 30, error);
    EXPECT_TRUE(ok) << error;
    return ok;
  }();
  (void)opened;
  return term;
}

// The text of screen row `y`, as UTF-8.
std::string Row(int y) {
  std::string text;
  for (int x = 0; x < COLS; ++x) {
    cchar_t cell;
    wchar_t chars[CCHARW_MAX + 1] = {0};
    attr_t attrs;
    short pair;
    if (mvin_wch(y, x, &cell) == ERR || getcchar(&cell, chars, &attrs, &pair, nullptr) == ERR)
      continue;
    for (int i = 0; chars[i] != 0; ++i) text += hostcore::Utf8Of(static_cast<uint32_t>(chars[i]));
    if (chars[0] != 0 && wcwidth(chars[0]) == 2) ++x;  // its second cell holds it again
  }
  return text;
}

std::string AllRows() {
  std::string text;
  for (int y = 0; y < LINES; ++y) text += Row(y) + "\n";
  return text;
}

// The colour pair of the cell where `text` starts on the screen.
short PairAt(const std::string &text) {
  for (int y = 0; y < LINES; ++y) {
    std::string row = Row(y);
    size_t at = row.find(text);
    if (at == std::string::npos) continue;
    int x = hostcore::TextWidth(row.substr(0, at));
    cchar_t cell;
    wchar_t chars[CCHARW_MAX + 1];
    attr_t attrs;
    short pair = -1;
    mvin_wch(y, x, &cell);
    getcchar(&cell, chars, &attrs, &pair, nullptr);
    return pair;
  }
  return -1;
}

// The line of `screen` that holds `text`.
std::string LineOf(const std::string &screen, const std::string &text) {
  size_t at = screen.find(text);
  if (at == std::string::npos) return "";
  size_t start = screen.rfind('\n', at);
  start = start == std::string::npos ? 0 : start + 1;
  return screen.substr(start, screen.find('\n', at) - start);
}

short PairOf(console::Role role) {
  return static_cast<short>(PAIR_NUMBER(static_cast<attr_t>(console::RoleAttribute(role))));
}

hostcore::PanelRow RowNamed(const std::string &name, DWORD attributes = 0) {
  hostcore::PanelRow row;
  row.Name = name;
  row.Attributes = attributes;
  return row;
}

TEST(ConsoleDrawingTest, APluginPanelWithNullOptionalFieldsDrawsFromTheHostsOwn) {
  console::Terminal &term = Screen();
  hostcore::PanelModel panel;
  panel.Plugin = true;
  panel.CurDir = "/work/proj";
  panel.Rect = RECT{0, 0, 49, 27};
  // A mode with columns but no titles and no status columns, no title, no
  // info lines, items without descriptions or custom columns.
  static char types[] = "N,C0,Z";
  PanelMode mode;
  memset(&mode, 0, sizeof(mode));
  mode.ColumnTypes = types;
  panel.Described.PanelModesArray = &mode;
  panel.Described.PanelModesNumber = 1;
  panel.Described.InfoLinesNumber = 3;  // but no array
  panel.ViewMode = 0;
  panel.Rows = {RowNamed("..", FILE_ATTRIBUTE_DIRECTORY), RowNamed("/work/proj/a.c")};
  term.Clear();
  console::DrawPanel(term, panel, console::PluginPanelLook(panel, true));
  console::DrawInfoPanel(term, RECT{50, 0, 99, 27}, panel);
  std::string screen = AllRows();
  EXPECT_NE(std::string::npos, Row(0).find(" /work/proj ")) << screen;  // the folder as title
  EXPECT_NE(std::string::npos, Row(1).find("Name")) << screen;          // the host's title
  EXPECT_NE(std::string::npos, screen.find("/work/proj/a.c")) << screen;
  EXPECT_NE(std::string::npos, Row(0).find(" Info ")) << screen;
  // A mode the module does not describe falls back to the host's.
  panel.ViewMode = 4;
  term.Clear();
  console::DrawPanel(term, panel, console::PluginPanelLook(panel, true));
  EXPECT_NE(std::string::npos, Row(1).find("Size")) << AllRows();
}

TEST(ConsoleDrawingTest, TheTwoHighlightBitsTheSelectionAndTheCursorHaveTheirColours) {
  console::Terminal &term = Screen();
  hostcore::PanelModel panel;
  panel.Plugin = true;
  panel.CurDir = "/w";
  panel.Rect = RECT{0, 0, 49, 27};
  panel.Described.Flags = OPIF_USEHIGHLIGHTING;
  panel.Rows = {RowNamed("cursor.c"),         RowNamed("changed.c", FILE_ATTRIBUTE_COMPRESSED),
                RowNamed("incoming.c", 0x40), RowNamed("plain.c"),
                RowNamed("picked.c", 0x40),   RowNamed("folder", FILE_ATTRIBUTE_DIRECTORY)};
  panel.Rows[4].Selected = true;
  panel.ViewMode = 0;
  term.Clear();
  console::DrawPanel(term, panel, console::PluginPanelLook(panel, true));
  EXPECT_EQ(PairOf(console::Role::PanelCursor), PairAt("cursor.c"));
  EXPECT_EQ(PairOf(console::Role::PanelChanged), PairAt("changed.c"));
  EXPECT_EQ(PairOf(console::Role::PanelIncoming), PairAt("incoming.c"));
  EXPECT_EQ(PairOf(console::Role::PanelText), PairAt("plain.c"));
  EXPECT_EQ(PairOf(console::Role::PanelSelected), PairAt("picked.c"));
  EXPECT_EQ(PairOf(console::Role::PanelFolder), PairAt("folder"));
  EXPECT_NE(PairOf(console::Role::PanelChanged), PairOf(console::Role::PanelIncoming));
  // Without the module's highlighting flag the bits mean nothing.
  panel.Described.Flags = 0;
  term.Clear();
  console::DrawPanel(term, panel, console::PluginPanelLook(panel, true));
  EXPECT_EQ(PairOf(console::Role::PanelText), PairAt("changed.c"));
  // The passive panel shows no cursor.
  term.Clear();
  console::DrawPanel(term, panel, console::PluginPanelLook(panel, false));
  EXPECT_EQ(PairOf(console::Role::PanelText), PairAt("cursor.c"));
}

TEST(ConsoleDrawingTest, NamesNotUtf8OrWideShowEscapedOrInTwoCellsAndKeepTheColumns) {
  console::Terminal &term = Screen();
  hostcore::PanelModel panel;
  panel.CurDir = "/w";
  panel.Rect = RECT{0, 0, 49, 27};
  panel.ViewMode = 0;  // name, size, date, time
  const std::string kWide = "\xE5\x90\x8D\xE5\x89\x8D";  // two CJK characters
  panel.Rows = {RowNamed("caf\xE9.txt"), RowNamed(kWide + ".txt"), RowNamed("ok.txt")};
  panel.Rows[0].Size = 1234;
  panel.Rows[1].Size = 4321;
  panel.Rows[2].Size = 5678;
  term.Clear();
  console::DrawPanel(term, panel, console::FilePanelLook(panel, true));
  std::string screen = AllRows();
  std::string bad = LineOf(screen, "caf");
  std::string wide = LineOf(screen, kWide);
  std::string good = LineOf(screen, "ok.txt");
  EXPECT_NE(std::string::npos, bad.find("caf\\xE9.txt")) << screen;
  // The sizes stand in the same cells on every row.
  int cell = hostcore::TextWidth(good.substr(0, good.find("5678")));
  EXPECT_EQ(cell, hostcore::TextWidth(bad.substr(0, bad.find("1234")))) << screen;
  EXPECT_EQ(cell, hostcore::TextWidth(wide.substr(0, wide.find("4321")))) << screen;
}

}  // namespace
