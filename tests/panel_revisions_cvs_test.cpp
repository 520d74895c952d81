// Revisions and sticky tags of a real working copy as the hosts draw them:
// a branch revision never shows as another revision of the same file, and
// a branch tag is told from an ordinary tag.
#include "core/column_layout.hpp"
#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

TEST_F(PanelCvsTest, BranchRevisionsFitWhereTheModeHasRoomAndAreMarkedWhereNot) {
  sandbox.Import("proj", {{"branched.c", "1\n"}, {"tagged.c", "1\n"}, {"vendor.c", "1\n"}});
  wc = sandbox.Checkout("proj", "wc");
  // branched.c gets 1.17.2.1, vendor.c (branched from 1.1.1.1) 1.1.1.1.2.1.
  WriteFile(wc + "/branched.c", "2\n");
  sandbox.MustCvs("-Q commit -r 1.17 -m two branched.c", wc);
  sandbox.MustCvs("-Q tag -b fix branched.c vendor.c", wc);
  sandbox.MustCvs("-Q update -r fix branched.c vendor.c", wc);
  Shell("echo 3 >branched.c && echo 3 >vendor.c", wc);
  sandbox.MustCvs("-Q commit -m three branched.c vendor.c", wc);
  sandbox.MustCvs("-Q tag rel-1 tagged.c", wc);
  sandbox.MustCvs("-Q update -r rel-1 tagged.c", wc);
  OpenPanel(wc);
  EXPECT_STREQ(Items()["branched.c"]->Description, "Up-to-date STag: fix (branch)");
  EXPECT_STREQ(Items()["tagged.c"]->Description, "Up-to-date STag: rel-1");

  // Each revision column of the six modes (and status lines), on an
  // 80-column screen: half of it, all of it for the full-screen mode 5.
  int seen = 0;
  for (int mode = 0; mode < 6; ++mode) {
    host.ActivePanel().ViewMode = mode;
    const hostcore::ModeColumns columns = hostcore::PanelModeColumns(host.ActivePanel());
    for (const auto &list : {hostcore::ParseColumns(columns.Types, columns.Widths),
                             hostcore::ParseColumns(columns.StatusTypes, columns.StatusWidths)}) {
      for (const hostcore::PlacedColumn &column :
           hostcore::LayOutColumns(list, mode == 5 ? 78 : 38).Columns) {
        if (column.Format.Custom != 1 && column.Format.Custom != 2) continue;
        SCOPED_TRACE("mode " + std::to_string(mode) + " " + column.Format.Type);
        ++seen;
        const hostcore::PanelRow &branched = host.ActivePanel().Rows[RowIndex("branched.c")];
        const std::string shown = CellText(column.Format, branched, column.Width);
        EXPECT_EQ(shown.substr(0, shown.find_last_not_of(' ') + 1), "1.17.2.1");
        // Longer than any revision column: cut, and marked so.
        const hostcore::PanelRow &vendor = host.ActivePanel().Rows[RowIndex("vendor.c")];
        EXPECT_EQ(CellText(column.Format, vendor, column.Width),
                  std::string("1.1.1.1.2.1").substr(0, column.Width - 1) + "}");
      }
    }
  }
  EXPECT_EQ(seen, 8);
}

}  // namespace
