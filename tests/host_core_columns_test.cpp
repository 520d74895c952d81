// Column layout of the module's six panel modes, read from the module
// itself, at a few widths; and the text of cells.
#include <locale.h>
#include <stdlib.h>
#include <time.h>

#include "core/column_layout.hpp"
#include "test_support.hpp"

namespace {

// Cells are measured as the console host measures them, in a UTF-8 locale.
[[maybe_unused]] const bool kUtf8Locale = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;

class ColumnLayoutTest : public testsupport::ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    host.ActivePanel().CurDir = folder.Path();
    HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
    ASSERT_NE(panel, INVALID_HANDLE_VALUE);
    host.OpenPluginPanel(module, panel);
    ASSERT_EQ(6, host.ActivePanel().Described.PanelModesNumber);
  }
  hostcore::ColumnLayout Layout(int mode, int width) {
    host.ActivePanel().ViewMode = mode;
    hostcore::ModeColumns columns = hostcore::PanelModeColumns(host.ActivePanel());
    return hostcore::LayOutColumns(
        hostcore::ParseColumns(columns.Types, columns.Widths, columns.Titles), width);
  }
  static std::vector<int> Widths(const hostcore::ColumnLayout &layout) {
    std::vector<int> widths;
    for (const hostcore::PlacedColumn &column : layout.Columns) widths.push_back(column.Width);
    return widths;
  }
  testsupport::TempDir folder;
};

TEST_F(ColumnLayoutTest, EveryModeFillsTheWidthWithOneCellBetweenColumns) {
  for (int mode = 0; mode < 6; ++mode) {
    for (int width : {20, 38, 78, 158}) {
      SCOPED_TRACE("mode " + std::to_string(mode) + " width " + std::to_string(width));
      hostcore::ColumnLayout layout = Layout(mode, width);
      ASSERT_FALSE(layout.Columns.empty());
      int x = 0, smallestShare = width, largestShare = 0;
      for (size_t i = 0; i < layout.Columns.size(); ++i) {
        const hostcore::PlacedColumn &column = layout.Columns[i];
        EXPECT_EQ(x, column.Left);
        x += column.Width + 1;
        bool last = i + 1 == layout.Columns.size();
        if (column.Format.Width > 0 && !last) {
          EXPECT_EQ(column.Format.Width, column.Width);
        }
        if (column.Format.Width == 0 && !last) {
          smallestShare = std::min(smallestShare, column.Width);
          largestShare = std::max(largestShare, column.Width);
        }
      }
      EXPECT_EQ(width + 1, x);
      if (largestShare > 0) {
        EXPECT_GE(smallestShare, hostcore::kMinSharedWidth);
        EXPECT_LE(largestShare - smallestShare, 1);
      }
    }
  }
}

TEST_F(ColumnLayoutTest, HalfScreenModesShareWhatTheFixedColumnsLeave) {
  // Mode 0: "NOM,C3,C1,Z,D" with "0,3,8,0,5" in 38 cells.
  hostcore::ColumnLayout mode0 = Layout(0, 38);
  EXPECT_EQ((std::vector<int>{9, 3, 8, 9, 5}), Widths(mode0));
  EXPECT_EQ("Name", mode0.Columns[0].Format.Title);
  EXPECT_EQ("Status", mode0.Columns[3].Format.Title);
  EXPECT_TRUE(mode0.Columns[0].Format.Marks);
  EXPECT_TRUE(mode0.Columns[0].Format.NoPath);
  EXPECT_EQ(hostcore::ColumnKind::Custom, mode0.Columns[1].Format.Kind);
  EXPECT_EQ(3, mode0.Columns[1].Format.Custom);
  EXPECT_EQ(hostcore::ColumnKind::Date, mode0.Columns[4].Format.Kind);
  EXPECT_EQ(1, mode0.Stripes);
  // Modes 1 and 2 are three and two stripes of name and letter.
  hostcore::ColumnLayout mode1 = Layout(1, 38);
  EXPECT_EQ((std::vector<int>{10, 1, 10, 1, 10, 1}), Widths(mode1));
  EXPECT_EQ(3, mode1.Stripes);
  EXPECT_EQ(2, Layout(2, 38).Stripes);
  EXPECT_EQ((std::vector<int>{17, 1, 16, 1}), Widths(Layout(2, 38)));
  EXPECT_EQ((std::vector<int>{8, 10, 8, 3, 5}), Widths(Layout(3, 38)));
  EXPECT_EQ((std::vector<int>{1, 27, 8}), Widths(Layout(4, 38)));
  EXPECT_EQ(1, Layout(4, 38).Stripes);
}

TEST_F(ColumnLayoutTest, AModeTooWideForItsPanelDropsColumnsFromTheRight) {
  // Mode 5 ("NO,Z,S,DM,C1,C2,C3", "0,0,6,14,10,10,3") is a full-screen
  // mode: in 78 cells everything fits.
  host.ActivePanel().ViewMode = 5;
  EXPECT_TRUE(hostcore::PanelModeColumns(host.ActivePanel()).FullScreen);
  EXPECT_EQ((std::vector<int>{15, 14, 6, 14, 10, 10, 3}), Widths(Layout(5, 78)));
  // In half a screen the fixed widths leave nothing for Name and Status:
  // the revisions and the option go, Name and Status share the rest.
  hostcore::ColumnLayout half = Layout(5, 38);
  EXPECT_EQ((std::vector<int>{8, 7, 6, 14}), Widths(half));
  EXPECT_EQ(hostcore::ColumnKind::Modified, half.Columns[3].Format.Kind);
  EXPECT_EQ((std::vector<int>{6, 6, 6}), Widths(Layout(5, 20)));
  // Too narrow for anything but the first column: it takes all there is.
  EXPECT_EQ((std::vector<int>{4}), Widths(Layout(0, 4)));
  EXPECT_EQ((std::vector<int>{0}), Widths(Layout(4, 0)));
}

TEST_F(ColumnLayoutTest, StatusLineColumnsComeFromTheModeToo) {
  host.ActivePanel().ViewMode = 3;
  hostcore::ModeColumns mode = hostcore::PanelModeColumns(host.ActivePanel());
  hostcore::ColumnLayout status =
      hostcore::LayOutColumns(hostcore::ParseColumns(mode.StatusTypes, mode.StatusWidths), 38);
  // "C0,NOR,D,T" with "1,0,0,5": the name and the date share 38-1-5-3.
  EXPECT_EQ((std::vector<int>{1, 15, 14, 5}), Widths(status));
  EXPECT_TRUE(status.Columns[1].Format.RightAlign);
}

TEST_F(ColumnLayoutTest, ModesTheModuleDoesNotDescribeShowNamesThatCanBeToldApart) {
  // The module's items carry whole paths; the host's own modes 6 to 9 show
  // their name parts, in the columns and on the status line.
  hostcore::PanelRow row;
  row.Name = folder.Path() + "/conflict.txt";
  for (int mode = 6; mode <= 9; ++mode) {
    host.ActivePanel().ViewMode = mode;
    hostcore::ModeColumns columns = hostcore::PanelModeColumns(host.ActivePanel());
    EXPECT_EQ(hostcore::HostModeColumns(mode).Widths, columns.Widths);
    for (const std::string &types : {columns.Types, columns.StatusTypes}) {
      hostcore::ColumnFormat name = hostcore::ParseColumns(types, "12")[0];
      EXPECT_EQ("conflict.txt", hostcore::CellText(name, row, 12)) << mode << ": " << types;
    }
  }
}

TEST(CellText, NamesAreCutWithAMarkAndNumbersFlushRight) {
  hostcore::ColumnFormat name = hostcore::ParseColumns("NO", "0")[0];
  hostcore::PanelRow row;
  row.Name = "/work/proj/a-very-long-file-name.c";
  EXPECT_EQ("a-very-lo}", hostcore::CellText(name, row, 10));
  EXPECT_EQ("a-very-long-file-name.c  ", hostcore::CellText(name, row, 25));
  hostcore::ColumnFormat full = hostcore::ParseColumns("NR", "0")[0];
  EXPECT_EQ("   " + row.Name, hostcore::CellText(full, row, static_cast<int>(row.Name.size()) + 3));
  hostcore::ColumnFormat marked = hostcore::ParseColumns("NOM", "0")[0];
  row.Selected = true;
  EXPECT_EQ("*a-very-long-file-name.c", hostcore::CellText(marked, row, 24));
  // A name with letters beyond ASCII is cut by characters, not bytes.
  row.Name = "/w/\xd1\x84\xd0\xb0\xd0\xb9\xd0\xbb.txt";
  EXPECT_EQ("\xd1\x84\xd0\xb0\xd0\xb9}", hostcore::CellText(name, row, 4));
  EXPECT_EQ(8, hostcore::TextWidth(hostcore::CellText(name, row, 8)));

  hostcore::ColumnFormat size = hostcore::ParseColumns("S", "6")[0];
  row.Size = 4096;
  EXPECT_EQ("  4096", hostcore::CellText(size, row, 6));
  row.Size = 123456789;
  EXPECT_EQ("  118M", hostcore::CellText(size, row, 6));
  row.Attributes = FILE_ATTRIBUTE_DIRECTORY;
  EXPECT_EQ(" <DIR>", hostcore::CellText(size, row, 6));

  hostcore::ColumnFormat custom = hostcore::ParseColumns("C1", "4")[0];
  row.CustomColumns = {"M", "1.2"};
  EXPECT_EQ("1.2 ", hostcore::CellText(custom, row, 4));
  // A cut revision is marked: "1.17" would be another revision of the file.
  row.CustomColumns = {"M", "1.17.2.1"};
  EXPECT_EQ("1.1}", hostcore::CellText(custom, row, 4));
  hostcore::ColumnFormat missing = hostcore::ParseColumns("C7", "2")[0];
  EXPECT_EQ("  ", hostcore::CellText(missing, row, 2));
}

TEST(CellText, DatesAndTimesInLocalTime) {
  testsupport::ScopedEnv env;
  env.Set("TZ", "UTC");
  tzset();
  hostcore::PanelRow row;
  // 2024-03-05 14:07:00 UTC as FILETIME ticks.
  row.WriteTime = (1709647620ULL + 11644473600ULL) * 10000000ULL;
  std::vector<hostcore::ColumnFormat> columns = hostcore::ParseColumns("D,T,DM", "8,5,14");
  EXPECT_EQ("05.03.24", hostcore::CellText(columns[0], row, 8));
  EXPECT_EQ("14:07", hostcore::CellText(columns[1], row, 5));
  EXPECT_EQ("05.03.24 14:07", hostcore::CellText(columns[2], row, 14));
  row.WriteTime = 0;
  EXPECT_EQ("     ", hostcore::CellText(columns[1], row, 5));
}

}  // namespace

TEST(CellText, DescriptionsCutToTheirColumnCarryTheMark) {
  hostcore::ColumnFormat status = hostcore::ParseColumns("Z", "0")[0];
  hostcore::PanelRow row;
  row.Description = "Up-to-date STag: zlib-1_2_5-fixes (branch)";
  EXPECT_EQ("Up-to-date STag: zlib-1_2_5}", hostcore::CellText(status, row, 28));
  EXPECT_EQ(row.Description + " ", hostcore::CellText(status, row, 43));
  row.Description = "Needs Checkout";
  EXPECT_EQ("Needs Che}", hostcore::CellText(status, row, 10));
}
