// The console host's key decoder: what terminals and tmux send for each
// key, including the extended forms that carry Ctrl+Enter, Shift+Esc and
// Ctrl+digits, and the alternatives for keys a terminal cannot send.
#include <gtest/gtest.h>

#include "console/key_decoder.hpp"

namespace {

using console::Decoded;
using hostcore::KeyPress;
namespace vk = hostcore::vk;

// Decodes every key of `bytes`, as the terminal does when nothing more comes.
std::vector<std::string> Names(const std::string &bytes) {
  std::vector<std::string> names;
  std::string rest = bytes;
  while (!rest.empty()) {
    Decoded decoded = console::DecodeKey(rest, true);
    if (decoded.What == Decoded::Key) names.push_back(hostcore::KeyName(decoded.Press));
    if (decoded.What == Decoded::Skip) names.push_back("-");
    rest.erase(0, std::max<size_t>(decoded.Used, 1));
  }
  return names;
}

std::string One(const std::string &bytes) {
  std::vector<std::string> names = Names(bytes);
  return names.size() == 1 ? names[0] : "(" + std::to_string(names.size()) + " keys)";
}

TEST(KeyDecoderTest, PlainKeysAndControlCharacters) {
  EXPECT_EQ((std::vector<std::string>{"a", "B", "Enter", "Tab", "Backspace", "Backspace"}),
            Names("aB\r\t\x7f\x08"));
  EXPECT_EQ("Ctrl+L", One("\x0c"));
  EXPECT_EQ("Ctrl+J", One("\n"));  // not Enter: a raw terminal sends CR for Enter
  EXPECT_EQ("Ctrl+Q", One("\x11"));
  EXPECT_EQ("\xD0\xB6", One("\xD0\xB6"));  // a Cyrillic letter arrives as one key
  EXPECT_EQ("-", One("\xFF"));             // a stray byte makes no key
}

TEST(KeyDecoderTest, XtermAndTmuxSequences) {
  EXPECT_EQ((std::vector<std::string>{"Up", "Down", "Right", "Left"}),
            Names("\x1b[A\x1b[B\x1b[C\x1b[D"));
  EXPECT_EQ((std::vector<std::string>{"Up", "Home", "End", "F1", "F4"}),
            Names("\x1bOA\x1bOH\x1bOF\x1bOP\x1bOS"));
  EXPECT_EQ((std::vector<std::string>{"Home", "Ins", "Del", "End", "PgUp", "PgDn"}),
            Names("\x1b[1~\x1b[2~\x1b[3~\x1b[4~\x1b[5~\x1b[6~"));
  EXPECT_EQ((std::vector<std::string>{"F1", "F5", "F6", "F10", "F11", "F12"}),
            Names("\x1b[11~\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~"));
  EXPECT_EQ("Ctrl+Down", One("\x1b[1;5B"));
  EXPECT_EQ("Alt+Down", One("\x1b[1;3B"));
  EXPECT_EQ("Shift+F7", One("\x1b[18;2~"));
  EXPECT_EQ("Shift+F3", One("\x1b[1;2R"));
  EXPECT_EQ("Shift+Tab", One("\x1b[Z"));
  EXPECT_EQ("Alt+X", One("\x1bx"));
  EXPECT_EQ("-", One("\x1b[200~"));  // the start of a bracketed paste is no key
}

TEST(KeyDecoderTest, ExtendedFormsCarryTheModifiersPlainTerminalsLose) {
  // xterm's modifyOtherKeys (also what tmux sends with extended-keys on).
  EXPECT_EQ("Ctrl+Enter", One("\x1b[27;5;13~"));
  EXPECT_EQ("Shift+Esc", One("\x1b[27;2;27~"));
  EXPECT_EQ("Ctrl+3", One("\x1b[27;5;51~"));
  EXPECT_EQ("Ctrl+L", One("\x1b[27;5;108~"));
  // The CSI u form.
  EXPECT_EQ("Ctrl+Enter", One("\x1b[13;5u"));
  EXPECT_EQ("Shift+Esc", One("\x1b[27;2u"));
  EXPECT_EQ("Ctrl+0", One("\x1b[48;5u"));
  EXPECT_EQ("Ctrl+Shift+A", One("\x1b[97;6u"));
}

TEST(KeyDecoderTest, AnEscapeWaitsForTheRestOfItsSequence) {
  EXPECT_EQ(Decoded::NeedMore, console::DecodeKey("\x1b", false).What);
  EXPECT_EQ(Decoded::NeedMore, console::DecodeKey("\x1b[1;5", false).What);
  EXPECT_EQ(Decoded::NeedMore, console::DecodeKey("\x1bO", false).What);
  EXPECT_EQ(Decoded::NeedMore, console::DecodeKey("\xD0", false).What);
  EXPECT_EQ("Esc", One("\x1b"));  // nothing more came
  // Esc pressed twice quickly is two Escs, and Esc before a sequence does
  // not swallow it.
  EXPECT_EQ((std::vector<std::string>{"Esc", "Esc"}), Names("\x1b\x1b"));
  EXPECT_EQ((std::vector<std::string>{"Esc", "Alt+3"}), Names("\x1b\x1b"
                                                              "3"));
  EXPECT_EQ((std::vector<std::string>{"Esc", "F3"}), Names("\x1b\x1bOR"));
}

TEST(KeyDecoderTest, AlternativesStandInForKeysATerminalMayNotSend) {
  auto alternative = [](const std::string &bytes) {
    return hostcore::KeyName(console::ApplyAlternatives(console::DecodeKey(bytes, true).Press));
  };
  EXPECT_EQ("Ctrl+Enter", alternative("\n"));
  EXPECT_EQ("Shift+Esc", alternative("\x11"));
  EXPECT_EQ("Ctrl+4", alternative("\x1b"
                                  "4"));
  EXPECT_EQ("F11", alternative("\x10"));
  // Everything else passes unchanged.
  EXPECT_EQ("Enter", alternative("\r"));
  EXPECT_EQ("Ctrl+L", alternative("\x0c"));
  EXPECT_EQ("Alt+X", alternative("\x1bx"));
}

}  // namespace
