// The core's key handling for a screen front end: key presses and posted
// host key codes, panel cursor moves over a visible window and selection,
// dialog hot keys, the module's command prefixes and the locale's language.
#include <gtest/gtest.h>

#include <string.h>

#include "core/dialog_keys.hpp"
#include "core/keys.hpp"
#include "core/language.hpp"
#include "core/module_entry.hpp"
#include "core/panel_cursor.hpp"
#include "far/field_text.hpp"

namespace {

using hostcore::KeyPress;
namespace vk = hostcore::vk;

hostcore::PanelModel PanelOf(int rows) {
  hostcore::PanelModel panel;
  hostcore::PanelRow up;
  up.Name = "..";
  up.Attributes = FILE_ATTRIBUTE_DIRECTORY;
  panel.Rows.push_back(up);
  for (int i = 1; i < rows; ++i) {
    hostcore::PanelRow row;
    row.Name = "file" + std::to_string(i);
    panel.Rows.push_back(row);
  }
  return panel;
}

TEST(KeysTest, CharactersGetTheirKeyCodesAndPostedCodesBecomeKeys) {
  EXPECT_EQ('A', hostcore::CharacterKey('a').Vk);
  EXPECT_EQ(0u, hostcore::CharacterKey('a').Mods);
  EXPECT_EQ(static_cast<unsigned>(PKF_SHIFT), hostcore::CharacterKey('A').Mods);
  EXPECT_EQ(vk::OemMinus, hostcore::CharacterKey('-').Vk);
  EXPECT_TRUE(hostcore::TypesText(hostcore::CharacterKey(0x439)));  // a Cyrillic letter
  EXPECT_FALSE(hostcore::TypesText(hostcore::CharacterKey('l', PKF_CONTROL)));
  KeyPress lock = hostcore::KeyOfHostCode(KEY_CTRL | 'L');
  EXPECT_TRUE(hostcore::Is(lock, 'L', PKF_CONTROL));
  EXPECT_FALSE(hostcore::TypesText(lock));
  EXPECT_TRUE(hostcore::Is(hostcore::KeyOfHostCode(KEY_SHIFT | vk::Escape), vk::Escape, PKF_SHIFT));
  EXPECT_EQ("Ctrl+Enter", hostcore::KeyName(hostcore::KeyOf(vk::Return, PKF_CONTROL)));
  EXPECT_EQ("Shift+Esc", hostcore::KeyName(hostcore::KeyOf(vk::Escape, PKF_SHIFT)));
  EXPECT_EQ("Alt+F7", hostcore::KeyName(hostcore::KeyOf(vk::F(7), PKF_ALT)));
  EXPECT_EQ("\xC3\xA9", hostcore::Utf8Of(0xE9));
  EXPECT_EQ("\xF0\x9F\x98\x80", hostcore::Utf8Of(0x1F600));
}

TEST(PanelCursorTest, MovesStopAtTheEndsAndTheWindowFollows) {
  hostcore::PanelModel panel = PanelOf(100);
  hostcore::PanelWindow window{10, 1};
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Up), window);
  EXPECT_EQ(0, panel.CurrentItem);
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Next), window);
  EXPECT_EQ(9, panel.CurrentItem);
  EXPECT_EQ(0, panel.TopItem);
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Down), window);
  EXPECT_EQ(10, panel.CurrentItem);
  EXPECT_EQ(1, panel.TopItem);
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::End), window);
  EXPECT_EQ(99, panel.CurrentItem);
  EXPECT_EQ(90, panel.TopItem);
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Prior), window);
  EXPECT_EQ(90, panel.CurrentItem);
  EXPECT_EQ(90, panel.TopItem);
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Home), window);
  EXPECT_EQ(0, panel.TopItem);
  EXPECT_FALSE(hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Down, PKF_CONTROL), window));
  EXPECT_FALSE(hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Insert), window));
}

TEST(PanelCursorTest, StripesSideBySideAndAWindowLargerThanThePanel) {
  hostcore::PanelModel panel = PanelOf(25);
  hostcore::PanelWindow window{10, 2};  // two stripes of ten rows
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Right), window);
  EXPECT_EQ(10, panel.CurrentItem);
  EXPECT_EQ(0, panel.TopItem);
  EXPECT_EQ(10, hostcore::RowAt(panel, window, 1, 0));
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Right), window);
  EXPECT_EQ(20, panel.CurrentItem);
  EXPECT_EQ(1, panel.TopItem);
  hostcore::MovePanelCursor(panel, hostcore::KeyOf(vk::Left), window);
  EXPECT_EQ(10, panel.CurrentItem);
  hostcore::PanelModel small = PanelOf(3);
  small.TopItem = 2;
  hostcore::KeepCursorVisible(small, window);
  EXPECT_EQ(0, small.TopItem);
  EXPECT_EQ(-1, hostcore::RowAt(small, window, 0, 3));
  hostcore::PanelModel empty;
  hostcore::MovePanelCursor(empty, hostcore::KeyOf(vk::Down), window);
  EXPECT_EQ(0, empty.CurrentItem);
  EXPECT_EQ("", hostcore::CurrentRowName(empty));
}

TEST(PanelCursorTest, InsertSelectsAndMovesButNeverSelectsTheUpRow) {
  hostcore::PanelModel panel = PanelOf(4);
  hostcore::PanelWindow window{10, 1};
  hostcore::ToggleCurrent(panel, window);  // ".."
  EXPECT_FALSE(panel.Rows[0].Selected);
  EXPECT_EQ(1, panel.CurrentItem);
  hostcore::ToggleCurrent(panel, window);
  hostcore::ToggleCurrent(panel, window);
  EXPECT_TRUE(panel.Rows[1].Selected);
  EXPECT_TRUE(panel.Rows[2].Selected);
  panel.CurrentItem = 1;
  hostcore::ToggleCurrent(panel, window);
  EXPECT_FALSE(panel.Rows[1].Selected);
  // The last row stays current after it is toggled.
  panel.CurrentItem = 3;
  hostcore::ToggleCurrent(panel, window);
  EXPECT_TRUE(panel.Rows[3].Selected);
  EXPECT_EQ(3, panel.CurrentItem);
}

TEST(PanelCursorTest, RowPathsJoinTheFolderUnlessTheNameIsFull) {
  hostcore::PanelModel panel;
  panel.CurDir = "/work/proj";
  hostcore::PanelRow row;
  row.Name = "a.c";
  EXPECT_EQ("/work/proj/a.c", hostcore::RowPath(panel, row));
  row.Name = "/elsewhere/b.c";  // plug-in rows carry full paths
  EXPECT_EQ("/elsewhere/b.c", hostcore::RowPath(panel, row));
}

TEST(DialogKeysTest, HotKeysReachButtonsCheckBoxesAndTheItemAfterALabel) {
  FarDialogItem items[5];
  memset(items, 0, sizeof(items));
  items[0].Type = DI_TEXT;
  CopyToField(items[0].Data, "&Module:");
  items[1].Type = DI_EDIT;
  items[2].Type = DI_CHECKBOX;
  CopyToField(items[2].Data, "R&ecursive");
  items[3].Type = DI_BUTTON;
  CopyToField(items[3].Data, "&OK");
  items[4].Type = DI_BUTTON;
  CopyToField(items[4].Data, "Cancel");
  hostcore::HistoryStore histories;
  hostcore::DialogModel dialog =
      hostcore::NewDialog(0, -1, -1, 40, 10, nullptr, items, 5, histories);
  EXPECT_EQ(1, hostcore::DialogHotKeyItem(dialog, 'M'));
  EXPECT_EQ(2, hostcore::DialogHotKeyItem(dialog, 'e'));
  EXPECT_EQ(-1, hostcore::DialogHotKeyItem(dialog, 'c'));  // "Cancel" marks no key
  EXPECT_EQ(hostcore::kDialogStaysOpen, hostcore::PressDialogHotKey(dialog, 2));
  EXPECT_EQ(1, dialog.Items[2].Selected);
  EXPECT_EQ(2, dialog.Focus);
  EXPECT_EQ(hostcore::kDialogStaysOpen, hostcore::PressDialogHotKey(dialog, 1));
  EXPECT_EQ(1, dialog.Focus);
  EXPECT_EQ(3, hostcore::PressDialogHotKey(dialog, hostcore::DialogHotKeyItem(dialog, 'o')));
}

TEST(ModuleEntryTest, CommandLinesGoToTheModuleByItsPrefix) {
  std::vector<std::string> prefixes = {"cvs", "svn"};
  std::string rest;
  ASSERT_TRUE(hostcore::SplitPrefixedCommand("cvs:", prefixes, rest));
  EXPECT_EQ("", rest);
  ASSERT_TRUE(hostcore::SplitPrefixedCommand("  CVS:update -A", prefixes, rest));
  EXPECT_EQ("update -A", rest);
  ASSERT_TRUE(hostcore::SplitPrefixedCommand("svn:x", prefixes, rest));
  EXPECT_EQ("x", rest);
  EXPECT_FALSE(hostcore::SplitPrefixedCommand("cvs status", prefixes, rest));
  EXPECT_FALSE(hostcore::SplitPrefixedCommand("cvsx:", prefixes, rest));
  EXPECT_FALSE(hostcore::SplitPrefixedCommand("cv", prefixes, rest));
  EXPECT_FALSE(hostcore::SplitPrefixedCommand("", prefixes, rest));
}

TEST(LanguageTest, TheFirstLocaleVariableSetDecides) {
  EXPECT_EQ("Russian", hostcore::LanguageForLocale(nullptr, nullptr, "ru_RU.UTF-8"));
  EXPECT_EQ("Russian", hostcore::LanguageForLocale("ru", nullptr, "en_US.UTF-8"));
  EXPECT_EQ("English", hostcore::LanguageForLocale("C.UTF-8", nullptr, "ru_RU.UTF-8"));
  EXPECT_EQ("Russian", hostcore::LanguageForLocale("", "ru_UA.KOI8-U", "en_GB"));
  EXPECT_EQ("English", hostcore::LanguageForLocale(nullptr, nullptr, nullptr));
  EXPECT_EQ("English", hostcore::LanguageForLocale(nullptr, nullptr, "rust"));
}

}  // namespace
