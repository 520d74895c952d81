// How drawing a panel costs with the number of rows the panel holds: a
// panel of 10, 100 and 100,000 rows scrolled a page at a time and drawn
// on a terminal-less screen (ncurses on /dev/null), with the module's
// column layout (name, custom columns, description, date).  Drawing
// should cost what the visible rows cost: 100 and 100,000 rows fill the
// window alike and should match; 10 rows fill a third of it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "console/file_panel.hpp"
#include "console/panel_view.hpp"
#include "console/plugin_panel.hpp"
#include "console/terminal.hpp"
#include "core/panel_cursor.hpp"

namespace {

const char *kTitles[] = {"Name", "Opt", "WRev", "Status", "Date"};
char kTypes[] = "NOM,C3,C1,Z,D";
char kWidths[] = "0,3,4,0,5";
char kStatusTypes[] = "NOR,Z";
char kStatusWidths[] = "0,0";

console::Terminal &Screen() {
  static console::Terminal term;
  static bool opened = [] {
    std::string error;
    return term.OpenHeadless(100, 40, error);
  }();
  (void)opened;
  return term;
}

hostcore::PanelModel StatusPanel(int rows, PanelMode &mode) {
  mode = PanelMode();
  mode.ColumnTypes = kTypes;
  mode.ColumnWidths = kWidths;
  mode.ColumnTitles = const_cast<char **>(kTitles);
  mode.StatusColumnTypes = kStatusTypes;
  mode.StatusColumnWidths = kStatusWidths;
  hostcore::PanelModel panel;
  panel.Plugin = true;
  panel.CurDir = "/work/project";
  panel.Described.Flags = OPIF_USEHIGHLIGHTING | OPIF_ADDDOTS;
  panel.Described.PanelModesArray = &mode;
  panel.Described.PanelModesNumber = 1;
  panel.ViewMode = 0;
  panel.Rect = RECT{0, 0, 49, 37};
  const char *states[] = {"Up-to-date", "Locally Modified", "Needs Patch", "Unknown"};
  for (int i = 0; i < rows; ++i) {
    hostcore::PanelRow row;
    row.Name = "/work/project/file" + std::to_string(i) + ".c";
    row.Description = states[i % 4];
    row.CustomColumns = {"M", "1." + std::to_string(i % 50), "1.9", "-kb"};
    row.WriteTime = 133000000000000000ull + static_cast<uint64_t>(i);
    row.Attributes = i % 4 == 1 ? FILE_ATTRIBUTE_COMPRESSED : 0;
    panel.Rows.push_back(row);
  }
  return panel;
}

void ScrollAndDraw(benchmark::State &state) {
  console::Terminal &term = Screen();
  PanelMode mode;
  hostcore::PanelModel panel = StatusPanel(static_cast<int>(state.range(0)), mode);
  console::PanelLook look = console::PluginPanelLook(panel, true);
  hostcore::PanelWindow window = console::PanelWindowOf(panel);
  hostcore::KeyPress pageDown;
  pageDown.Vk = hostcore::vk::Next;
  for (auto _ : state) {
    if (panel.CurrentItem + 1 >= static_cast<int>(panel.Rows.size()))
      hostcore::CursorToFirst(panel, window);
    else
      hostcore::MovePanelCursor(panel, pageDown, window);
    term.Clear();
    console::DrawPanel(term, panel, look);
    term.Show();
  }
  state.counters["rows"] = static_cast<double>(panel.Rows.size());
}
BENCHMARK(ScrollAndDraw)->Arg(10)->Arg(100)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
