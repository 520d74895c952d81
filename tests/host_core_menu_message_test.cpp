// The host core's menu (hot keys, auto-highlight, wrap-around, separators,
// the start row, the result, its place on screen) and message box (both
// forms of the call, buttons, flags, place).
#include <locale.h>
#include <string.h>

#include "core/menu_model.hpp"
#include "core/message_model.hpp"
#include "far/field_text.hpp"
#include "test_support.hpp"

namespace {

// Cells are measured as the console host measures them, in a UTF-8 locale.
[[maybe_unused]] const bool kUtf8Locale = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;

FarMenuItem Row(const char *text, bool separator = false, bool selected = false) {
  FarMenuItem item;
  memset(&item, 0, sizeof(item));
  CopyToField(item.Text, text);
  item.Separator = separator ? 1 : 0;
  item.Selected = selected ? 1 : 0;
  return item;
}

hostcore::MenuModel Menu(const std::vector<FarMenuItem> &rows, DWORD flags,
                         const char *title = "CVS") {
  return hostcore::NewMenu(1, -1, -1, 0, flags, title, nullptr, nullptr, rows.data(),
                           static_cast<int>(rows.size()));
}

// Rows like the module's command menu: hot keys from "&", a separator.
std::vector<FarMenuItem> CommandRows() {
  return {Row("&Update..."), Row("&Commit..."), Row("Light commit..."), Row("", true),
          Row("&Log"),       Row("Stat"),       Row("", true)};
}

TEST(MenuHotKeys, AmpersandMarksTheKeyAndIsNotShown) {
  hostcore::MenuModel menu = Menu(CommandRows(), FMENU_WRAPMODE);
  EXPECT_EQ("Update...", menu.Labels[0].Text);
  EXPECT_EQ(0, menu.Labels[0].HotKeyAt);
  EXPECT_EQ(0, hostcore::MenuRowForKey(menu, 'u'));
  EXPECT_EQ(1, hostcore::MenuRowForKey(menu, 'C'));
  EXPECT_EQ(4, hostcore::MenuRowForKey(menu, 'l'));
  // Without auto-highlight, rows without "&" have no key.
  EXPECT_EQ(-1, hostcore::MenuRowForKey(menu, 's'));
  EXPECT_EQ(-1, hostcore::MenuRowForKey(menu, 'i'));
  // "&&" is a plain ampersand; with FMENU_SHOWAMPERSAND nothing is a key.
  hostcore::MenuModel plain = Menu({Row("Save && &quit")}, 0);
  EXPECT_EQ("Save & quit", plain.Labels[0].Text);
  EXPECT_EQ(0, hostcore::MenuRowForKey(plain, 'q'));
  hostcore::MenuModel shown = Menu({Row("&Update")}, FMENU_SHOWAMPERSAND);
  EXPECT_EQ("&Update", shown.Labels[0].Text);
  EXPECT_EQ(-1, hostcore::MenuRowForKey(shown, 'u'));
}

TEST(MenuHotKeys, AutoHighlightGivesTheOtherRowsAFreeLetter) {
  hostcore::MenuModel menu = Menu(CommandRows(), FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT);
  // "Light commit..." cannot have L (taken by &Log) and takes i; "Stat" takes s.
  EXPECT_EQ(2, hostcore::MenuRowForKey(menu, 'i'));
  EXPECT_EQ(1, menu.Labels[2].HotKeyAt);
  EXPECT_EQ(5, hostcore::MenuRowForKey(menu, 's'));
  EXPECT_EQ(4, hostcore::MenuRowForKey(menu, 'l'));
  EXPECT_EQ(0, menu.HotKeys[3]);  // separators never get one
}

TEST(MenuHotKeys, RussianRowsAreChosenByTheirLetterInEitherCase) {
  // UTF-8, as the console host converts the language file: "&Журнал",
  // "По&метить >", and a Latin row beside them.
  hostcore::MenuModel menu = Menu(
      {Row("&\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB"),
       Row("\xD0\x9F\xD0\xBE&\xD0\xBC\xD0\xB5\xD1\x82\xD0\xB8\xD1\x82\xD1\x8C >"), Row("&CVS")},
      FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT);
  EXPECT_EQ(0, hostcore::MenuRowForKey(menu, 0x436));  // ж
  EXPECT_EQ(0, hostcore::MenuRowForKey(menu, 0x416));  // Ж
  EXPECT_EQ(1, hostcore::MenuRowForKey(menu, 0x43C));  // м
  EXPECT_EQ(1, hostcore::MenuRowForKey(menu, 0x41C));  // М
  EXPECT_EQ(2, hostcore::MenuRowForKey(menu, 'c'));
  // Only the letter marked: п (the first letter of row 1) chooses nothing,
  // and no byte of a UTF-8 letter is a key of its own.
  EXPECT_EQ(-1, hostcore::MenuRowForKey(menu, 0x43F));
  EXPECT_EQ(-1, hostcore::MenuRowForKey(menu, 0xD0));
}

TEST(MenuMoves, SkipSeparatorsAndWrapOnlyInWrapMode) {
  hostcore::MenuModel menu = Menu(CommandRows(), FMENU_WRAPMODE);
  EXPECT_EQ(0, menu.Current);
  hostcore::MoveMenuHighlight(menu, 1);
  hostcore::MoveMenuHighlight(menu, 1);
  EXPECT_EQ(2, menu.Current);
  hostcore::MoveMenuHighlight(menu, 1);
  EXPECT_EQ(4, menu.Current);  // over the separator
  hostcore::MoveMenuHighlight(menu, 1);
  hostcore::MoveMenuHighlight(menu, 1);
  EXPECT_EQ(0, menu.Current);  // past the trailing separator, round to the top
  hostcore::MoveMenuHighlight(menu, -1);
  EXPECT_EQ(5, menu.Current);

  hostcore::MenuModel fixed = Menu(CommandRows(), 0);
  hostcore::MoveMenuHighlight(fixed, -1);
  EXPECT_EQ(0, fixed.Current);
  hostcore::MenuEnd(fixed);
  EXPECT_EQ(5, fixed.Current);
  hostcore::MoveMenuHighlight(fixed, 1);
  EXPECT_EQ(5, fixed.Current);
}

TEST(MenuStart, OnTheSelectedRowUnlessItIsASeparator) {
  std::vector<FarMenuItem> rows = CommandRows();
  rows[4].Selected = 1;
  EXPECT_EQ(4, Menu(rows, 0).Current);
  rows[4].Selected = 0;
  rows[3].Selected = 1;
  EXPECT_EQ(0, Menu(rows, 0).Current);
  hostcore::MenuModel separators = Menu({Row("", true), Row("", true)}, FMENU_WRAPMODE);
  EXPECT_EQ(-1, separators.Current);
  hostcore::MoveMenuHighlight(separators, 1);
  EXPECT_EQ(-1, separators.Current);
}

TEST(MenuResult, TheRowWithSeparatorsCountedElseMinusOne) {
  hostcore::MenuModel menu = Menu(CommandRows(), 0);
  EXPECT_EQ(4, hostcore::MenuResult(menu, 4));
  EXPECT_EQ(-1, hostcore::MenuResult(menu, 3));
  EXPECT_EQ(-1, hostcore::MenuResult(menu, 7));
  EXPECT_EQ(-1, hostcore::MenuResult(menu, -1));

  // Through the service table the scripted user's choice is checked alike.
  standin::Host &host = standin::Host::Get();
  host.Reset();
  PluginStartupInfo info = host.StartupInfo();
  std::vector<FarMenuItem> rows = CommandRows();
  int breakCode = 5;
  host.script.Menu.push_back(standin::Choose(3));
  host.script.Menu.push_back(standin::Choose(5));
  EXPECT_EQ(
      -1, info.Menu(info.ModuleNumber, -1, -1, 0, 0, "CVS", nullptr, nullptr, nullptr, &breakCode, rows.data(), 7));
  EXPECT_EQ(-1, breakCode);
  EXPECT_EQ(5,
            info.Menu(info.ModuleNumber, -1, -1, 0, 0, "CVS", nullptr, nullptr, nullptr, nullptr, rows.data(), 7));
  ASSERT_EQ(2u, host.Menus.size());
  EXPECT_EQ(-1, host.Menus[0].Result);
  EXPECT_EQ(5, host.Menus[1].Result);
  host.Reset();
}

TEST(MenuPlace, CentredAndAsWideAsTheLongestRowOrTheTitle) {
  hostcore::MenuModel menu = Menu(CommandRows(), 0);
  hostcore::MenuBox box = hostcore::PlaceMenu(menu, 80, 25);
  EXPECT_EQ(19, box.Width);  // "Light commit..." and frame and margins
  EXPECT_EQ(9, box.Height);
  EXPECT_EQ(7, box.VisibleRows);
  EXPECT_EQ((80 - 19) / 2, box.Left);
  EXPECT_EQ((25 - 9) / 2, box.Top);
  hostcore::MenuModel titled = Menu(CommandRows(), 0, "A title longer than every row");
  EXPECT_EQ(33, hostcore::PlaceMenu(titled, 80, 25).Width);
  // A short screen or MaxHeight shows fewer rows, scrolled to the highlight.
  hostcore::MenuModel tall =
      hostcore::NewMenu(1, 2, 3, 4, 0, "", nullptr, nullptr, CommandRows().data(), 7);
  hostcore::MenuBox limited = hostcore::PlaceMenu(tall, 80, 25);
  EXPECT_EQ(4, limited.VisibleRows);
  EXPECT_EQ(2, limited.Left);
  EXPECT_EQ(3, limited.Top);
  hostcore::MenuEnd(tall);
  EXPECT_EQ(2, hostcore::MenuScrollTop(tall, limited, 0));
  hostcore::MenuHome(tall);
  EXPECT_EQ(0, hostcore::MenuScrollTop(tall, limited, 2));
}

TEST(MenuPlace, WidthsCountScreenCellsNotBytes) {
  // A translated menu: Cyrillic letters take two bytes each but one cell.
  hostcore::MenuModel russian =
      Menu({Row("&\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xB8\xD1\x82\xD1\x8C")}, 0, "");
  hostcore::MenuModel english = Menu({Row("&Updating")}, 0, "");  // as many letters
  EXPECT_EQ(hostcore::PlaceMenu(english, 80, 25).Width, hostcore::PlaceMenu(russian, 80, 25).Width);
  const char *line = "\xD0\x9A\xD0\xBE\xD0\xB4 1\n";  // a title and one line of three cells
  const char *same = "Cod 1\n";
  EXPECT_EQ(hostcore::PlaceMessage(
                hostcore::NewMessage(1, FMSG_ALLINONE | FMSG_MB_OK, nullptr,
                                     reinterpret_cast<const char *const *>(same), 0, 0),
                80, 25)
                .Width,
            hostcore::PlaceMessage(
                hostcore::NewMessage(1, FMSG_ALLINONE | FMSG_MB_OK, nullptr,
                                     reinterpret_cast<const char *const *>(line), 0, 0),
                80, 25)
                .Width);
}

TEST(MessageForms, AllInOneTextIsSplitTitleFirst) {
  const char *text = "Error\nThe first line\n\nafter a blank\nOK";
  hostcore::MessageModel box = hostcore::NewMessage(
      1, FMSG_WARNING | FMSG_ALLINONE, nullptr, reinterpret_cast<const char *const *>(text), 0, 1);
  EXPECT_EQ("Error", box.Title);
  EXPECT_EQ((std::vector<std::string>{"The first line", "", "after a blank"}), box.Lines);
  EXPECT_EQ((std::vector<std::string>{"OK"}), box.Buttons);
  EXPECT_EQ(5u, box.AllLines.size());
  EXPECT_TRUE(box.Warning);
  EXPECT_FALSE(box.LeftAlign);
}

TEST(MessageForms, ItemsWithTheLastOnesAsButtons) {
  const char *items[] = {"CVS", "cvs ended with exit code 1", "Show output", "Close"};
  hostcore::MessageModel box = hostcore::NewMessage(1, FMSG_LEFTALIGN, nullptr, items, 4, 2);
  EXPECT_EQ("CVS", box.Title);
  EXPECT_EQ((std::vector<std::string>{"cvs ended with exit code 1"}), box.Lines);
  EXPECT_EQ((std::vector<std::string>{"Show output", "Close"}), box.Buttons);
  EXPECT_TRUE(box.LeftAlign);
  EXPECT_EQ(1, hostcore::MessageResult(box, 1));
  EXPECT_EQ(-1, hostcore::MessageResult(box, 2));
  EXPECT_EQ(-1, hostcore::MessageResult(box, -1));
}

TEST(MessageForms, StandardButtonsReplaceTheCount) {
  const char *text = "Commit\nCommit 2 files?";
  hostcore::MessageModel okCancel =
      hostcore::NewMessage(1, FMSG_ALLINONE | FMSG_MB_OKCANCEL, nullptr,
                           reinterpret_cast<const char *const *>(text), 0, 0);
  EXPECT_EQ((std::vector<std::string>{"OK", "Cancel"}), okCancel.Buttons);
  EXPECT_EQ((std::vector<std::string>{"Commit 2 files?"}), okCancel.Lines);
  EXPECT_EQ(1, hostcore::MessageResult(okCancel, 1));
  const char *items[] = {"Title", "line"};
  hostcore::MessageModel ok = hostcore::NewMessage(1, FMSG_MB_OK, nullptr, items, 2, 0);
  EXPECT_EQ((std::vector<std::string>{"OK"}), ok.Buttons);
  EXPECT_EQ(-1, hostcore::MessageResult(ok, 1));
  // No buttons: the box does not wait, whatever is pressed.
  hostcore::MessageModel none = hostcore::NewMessage(1, 0, nullptr, items, 2, 0);
  EXPECT_TRUE(none.Buttons.empty());
  EXPECT_EQ(-1, hostcore::MessageResult(none, 0));
}

TEST(MessagePlace, WideEnoughForTheLongestLineAndTheButtons) {
  const char *items[] = {"T", "a line of twenty-two c", "Yes", "No"};
  hostcore::MessageModel box = hostcore::NewMessage(1, 0, nullptr, items, 4, 2);
  hostcore::MessageBox place = hostcore::PlaceMessage(box, 80, 25);
  EXPECT_EQ(32, place.Width);
  EXPECT_EQ(7, place.Height);
  EXPECT_EQ(24, place.Left);
  EXPECT_EQ(9, place.Top);
  const char *wide[] = {"T", "x", "A rather long button", "Another long button"};
  EXPECT_EQ(59,
            hostcore::PlaceMessage(hostcore::NewMessage(1, 0, nullptr, wide, 4, 2), 80, 25).Width);
}

}  // namespace
