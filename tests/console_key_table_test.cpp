// The console host's key table and what is made from it: no key means two
// things on one screen, the key bars and the help come from the same
// entries the keys are looked up in, and the host's texts fill in their
// values in either language.
#include <gtest/gtest.h>

#include <locale.h>

#include <map>
#include <set>

#include "console/hex_view.hpp"
#include "console/key_table.hpp"
#include "console/terminal.hpp"
#include "core/host_texts.hpp"
#include "core/screen_text.hpp"

namespace {

// The host draws UTF-8 (it sets this locale where the user's is not); the
// Russian texts are measured in screen cells under it.
[[maybe_unused]] const bool kUtf8Locale = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;

using console::Action;
using console::FindKey;
using console::Place;
using hostcore::KeyOf;
namespace vk = hostcore::vk;

// Every key a terminal can send, as the decoder hands them over.
std::vector<hostcore::KeyPress> AllKeys() {
  std::vector<hostcore::KeyPress> keys;
  const std::vector<int> codes = {
      vk::Back, vk::Tab,  vk::Return, vk::Escape, vk::Space, vk::Prior,  vk::Next,   vk::End,
      vk::Home, vk::Left, vk::Up,     vk::Right,  vk::Down,  vk::Insert, vk::Delete, vk::Oem5};
  std::vector<int> all = codes;
  for (int f = 1; f <= 12; ++f) all.push_back(vk::F(f));
  for (int c = 'A'; c <= 'Z'; ++c) all.push_back(c);
  for (int c = '0'; c <= '9'; ++c) all.push_back(c);
  for (int code : all) {
    for (unsigned mods : {0u, unsigned(PKF_SHIFT), unsigned(PKF_CONTROL), unsigned(PKF_ALT)})
      keys.push_back(KeyOf(code, mods));
  }
  for (char c : std::string("+-*/n")) keys.push_back(hostcore::CharacterKey(c));
  return keys;
}

TEST(KeyTableTest, NoKeyMeansTwoThingsOnOneScreen) {
  const std::vector<console::KeyBinding> &table = console::KeyTable();
  for (Place place : {Place::Panels, Place::StatusPanel, Place::CommandLine, Place::Viewer,
                      Place::Editor, Place::Help}) {
    for (const hostcore::KeyPress &key : AllKeys()) {
      for (bool writable : {true, false}) {
        // FindKey returns the first match: a second binding for the key
        // with another action would never be reached.
        std::set<Action> matching;
        for (const console::KeyBinding &binding : table) {
          if (binding.Where != place || binding.What == Action::None) continue;
          if (!writable && (binding.Flags & console::kWritableOnly)) continue;
          if (writable && (binding.Flags & console::kLockedOnly)) continue;
          bool matches = binding.Family != nullptr ? binding.Family(key)
                         : binding.Char != 0
                             ? key.Char == binding.Char && (key.Mods & (PKF_CONTROL | PKF_ALT)) == 0
                             : binding.Vk == key.Vk && binding.Mods == key.Mods;
          if (matches) matching.insert(binding.What);
        }
        EXPECT_LE(matching.size(), 1u)
            << hostcore::KeyName(key) << " on screen " << static_cast<int>(place);
      }
    }
  }
}

TEST(KeyTableTest, TheFileManagersKeysAndWhatTypingLeavesToTheCommandLine) {
  struct Case {
    hostcore::KeyPress Key;
    Action Expected;
  };
  for (const Case &c :
       {Case{KeyOf(vk::F(5)), Action::Copy}, Case{KeyOf(vk::F(6)), Action::Move},
        Case{KeyOf('O', PKF_CONTROL), Action::UserScreen}, Case{KeyOf(vk::F(1)), Action::Help},
        Case{KeyOf('7', PKF_CONTROL), Action::ViewMode}}) {
    const console::KeyBinding *binding = FindKey(Place::Panels, c.Key);
    ASSERT_NE(nullptr, binding) << hostcore::KeyName(c.Key);
    EXPECT_EQ(c.Expected, binding->What) << hostcore::KeyName(c.Key);
  }
  // While a command is typed, "+" and Left are the line's; Up still moves.
  EXPECT_EQ(nullptr, FindKey(Place::Panels, hostcore::CharacterKey('+'), true));
  EXPECT_EQ(nullptr, FindKey(Place::Panels, KeyOf(vk::Left), true));
  EXPECT_EQ(nullptr, FindKey(Place::Panels, KeyOf(vk::Home, PKF_SHIFT), true));
  ASSERT_NE(nullptr, FindKey(Place::Panels, KeyOf(vk::Up), true));
  EXPECT_EQ(Action::MoveCursor, FindKey(Place::Panels, KeyOf(vk::Up), true)->What);
  // In the editor Ctrl+Y deletes a line only where the text may change, and
  // "n" searches again only where it cannot (it types elsewhere).
  EXPECT_EQ(Action::DeleteLine, FindKey(Place::Editor, KeyOf('Y', PKF_CONTROL))->What);
  EXPECT_EQ(nullptr, FindKey(Place::Editor, KeyOf('Y', PKF_CONTROL), false, false));
  EXPECT_EQ(nullptr, FindKey(Place::Editor, hostcore::CharacterKey('n'), false, true));
  EXPECT_EQ(Action::SearchAgain,
            FindKey(Place::Editor, hostcore::CharacterKey('n'), false, false)->What);
  EXPECT_EQ(Action::HexView, FindKey(Place::Viewer, KeyOf(vk::F(4)))->What);
}

TEST(KeyTableTest, KeyBarsAndHelpComeFromTheEntriesTheKeysAreFoundIn) {
  std::vector<std::string> panels = console::KeyBarLabels(Place::Panels);
  ASSERT_EQ(12u, panels.size());
  for (int f = 1; f <= 12; ++f) {
    // A label on the bar is a key that does something there, and back.
    const console::KeyBinding *binding = FindKey(Place::Panels, KeyOf(vk::F(f)));
    EXPECT_EQ(binding != nullptr && binding->Label != console::kNoText,
              !panels[static_cast<size_t>(f - 1)].empty())
        << "F" << f;
  }
  EXPECT_EQ("Copy", panels[4]);
  EXPECT_EQ("Save", console::KeyBarLabels(Place::Editor, true)[1]);
  EXPECT_EQ("", console::KeyBarLabels(Place::Editor, false)[1]);  // a locked text is not saved
  // Every key the table lists is named in the help, beside its line.
  std::vector<std::string> help = console::HelpLines();
  std::string text;
  for (const std::string &line : help) text += line + "\n";
  for (const console::KeyBinding &binding : console::KeyTable()) {
    std::string shown = console::KeyShown(binding);
    EXPECT_NE(std::string::npos, text.find(shown)) << shown;
    if (binding.HelpLine != console::kNoText) {
      EXPECT_NE(std::string::npos, text.find(hostcore::Say(binding.HelpLine))) << shown;
    }
  }
  auto line = [&](const std::string &start) {
    for (const std::string &each : help)
      if (each.compare(0, start.size(), start) == 0) return each;
    return std::string();
  };
  EXPECT_NE(std::string::npos, line("  F5 ").find("copy the selection"));
  EXPECT_NE(std::string::npos, line("  F11 ").find("(or Ctrl+P)"));
  // Keys of one action share a line: the viewer leaves with Esc, F3 or F10.
  EXPECT_NE(std::string::npos, line("  Esc, F3, F10 ").find("leave"));
  // The help is read on the smallest screen the host draws on.
  for (const std::string &each : help)
    EXPECT_LE(hostcore::TextWidth(each), console::kMinWidth) << each;
}

// In Russian the same table gives Russian labels and help lines, and the
// longer words still leave the help readable on the smallest screen.
TEST(KeyTableTest, RussianKeyBarsAndHelpComeFromTheTableAndFitTheScreen) {
  hostcore::SetHostLanguage("Russian");
  std::vector<std::string> panels = console::KeyBarLabels(Place::Panels);
  std::vector<std::string> viewer = console::KeyBarLabels(Place::Viewer);
  std::vector<std::string> help = console::HelpLines();
  hostcore::SetHostLanguage("English");
  EXPECT_EQ("Копир", panels[4]);
  EXPECT_EQ("Перен", panels[5]);
  EXPECT_EQ("Код", viewer[3]);
  std::string text;
  for (const std::string &line : help) {
    text += line + "\n";
    EXPECT_LE(hostcore::TextWidth(line), console::kMinWidth) << line;
  }
  EXPECT_NE(std::string::npos, text.find("Панели\n"));
  EXPECT_NE(std::string::npos, text.find("копировать помеченное или текущее на другую панель"));
  EXPECT_NE(std::string::npos, text.find("(или Ctrl+P)"));
  // Keys named by words (a typed command, the mouse) are named in Russian.
  EXPECT_NE(std::string::npos, text.find("  cd ПАПКА Enter "));
  EXPECT_NE(std::string::npos, text.find("  двойной щелчок "));
  EXPECT_EQ(std::string::npos, text.find("copy the selection")) << text;
}

// Keys held back while a busy box is up come out in order once every hold
// is let go, before anything the terminal sends later, and not before.
TEST(HeldKeysTest, HeldKeysWaitForTheLastHoldAndKeepTheirOrder) {
  console::Terminal term;
  std::string error;
  ASSERT_TRUE(term.OpenHeadless(80, 24, error)) << error;
  console::Event f11, enter;
  f11.Press = KeyOf(vk::F(11));
  enter.Press = KeyOf(vk::Return);
  term.BeginHolding();
  term.BeginHolding();
  term.Hold(f11);
  term.Hold(enter);
  // Held: the widget that holds them reads only the terminal (here at its
  // end: /dev/null).
  EXPECT_EQ(console::Event::Closed, term.Next(0).What);
  term.EndHolding();
  EXPECT_EQ(console::Event::Closed, term.Next(0).What);
  term.EndHolding();
  console::Event first = term.Next(0), second = term.Next(0);
  EXPECT_EQ(console::Event::Key, first.What);
  EXPECT_TRUE(hostcore::Is(first.Press, vk::F(11)));
  EXPECT_TRUE(hostcore::Is(second.Press, vk::Return));
  EXPECT_EQ(console::Event::Closed, term.Next(0).What);
}

TEST(HexViewTest, RowsShowOffsetBytesAndCharacters) {
  std::string row = console::HexRow(0x20, std::string("Hi\x00\xff", 4) + "0123456789ab");
  EXPECT_EQ("0000000020  48 69 00 ff 30 31 32 33  34 35 36 37 38 39 61 62  Hi..0123456789ab", row);
  // A short last row keeps the character column where it is.
  std::string last = console::HexRow(0x30, "ab");
  EXPECT_EQ(row.find("Hi.."), last.find("ab"));
}

}  // namespace
