// The mouse in the console host: xterm's SGR reports decoded to presses,
// releases and the wheel at 0-based cells, the reports the host ignores,
// and double clicks.
#include <gtest/gtest.h>

#include "console/key_decoder.hpp"

namespace {

using console::Decoded;
using console::MouseEvent;

TEST(MouseDecoderTest, SgrReportsBecomeEventsAtZeroBasedCells) {
  struct Case {
    const char *bytes;
    MouseEvent::Kind what;
    int button, y, x;
    unsigned mods;
  } cases[] = {
      {"\x1b[<0;1;1M", MouseEvent::Press, MouseEvent::Left, 0, 0, 0},
      {"\x1b[<0;80;24m", MouseEvent::Release, MouseEvent::Left, 23, 79, 0},
      {"\x1b[<2;300;5M", MouseEvent::Press, MouseEvent::Right, 4, 299, 0},  // past column 223
      {"\x1b[<64;10;3M", MouseEvent::WheelUp, MouseEvent::Left, 2, 9, 0},
      {"\x1b[<65;10;3M", MouseEvent::WheelDown, MouseEvent::Left, 2, 9, 0},
      {"\x1b[<20;4;4M", MouseEvent::Press, MouseEvent::Left, 3, 3, PKF_CONTROL | PKF_SHIFT},
  };
  for (const Case &c : cases) {
    std::string bytes = c.bytes;
    Decoded decoded = console::DecodeKey(bytes + "x", false);
    ASSERT_EQ(Decoded::Mouse, decoded.What) << c.bytes + 1;
    EXPECT_EQ(bytes.size(), decoded.Used);  // the key after it is left alone
    EXPECT_EQ(c.what, decoded.Pointer.What) << c.bytes + 1;
    EXPECT_EQ(c.button, decoded.Pointer.Button) << c.bytes + 1;
    EXPECT_EQ(c.y, decoded.Pointer.Y) << c.bytes + 1;
    EXPECT_EQ(c.x, decoded.Pointer.X) << c.bytes + 1;
    EXPECT_EQ(c.mods, decoded.Pointer.Mods) << c.bytes + 1;
  }
  // Motion, the sideways wheel, cells before the first and broken reports
  // make nothing, and take their bytes.
  for (const char *ignored : {"\x1b[<32;5;5M", "\x1b[<66;5;5M", "\x1b[<0;0;5M", "\x1b[<0;5M",
                              "\x1b[<0;5;5;7M", "\x1b[<0;5;5~"}) {
    Decoded decoded = console::DecodeKey(ignored, true);
    EXPECT_EQ(Decoded::Skip, decoded.What) << ignored + 1;
    EXPECT_EQ(strlen(ignored), decoded.Used) << ignored + 1;
  }
  EXPECT_EQ(Decoded::NeedMore, console::DecodeKey("\x1b[<0;12", false).What);
}

TEST(MouseDecoderTest, ASecondPressOnTheSameCellIsADoubleClick) {
  console::ClickCounter counter;
  auto press = [&](int button, int y, int x) {
    MouseEvent event;
    event.What = MouseEvent::Press;
    event.Button = button;
    event.Y = y;
    event.X = x;
    counter.Note(event);
    return event.Double;
  };
  EXPECT_FALSE(press(MouseEvent::Left, 3, 4));
  EXPECT_TRUE(press(MouseEvent::Left, 3, 4));
  EXPECT_FALSE(press(MouseEvent::Left, 3, 4));  // a third press starts anew
  EXPECT_FALSE(press(MouseEvent::Left, 3, 5));  // another cell
  EXPECT_FALSE(press(MouseEvent::Right, 3, 5));  // another button
}

}  // namespace
