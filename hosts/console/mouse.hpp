// The mouse as xterm reports it in its SGR form (ESC [ < b ; x ; y M or m)
// once asked to: presses, releases and the wheel, each at a screen cell,
// and double clicks told apart by time and place.
#ifndef QUILLET_CONSOLE_MOUSE_HPP
#define QUILLET_CONSOLE_MOUSE_HPP

#include <chrono>

namespace console {

struct MouseEvent {
  enum Kind { None, Press, Release, WheelUp, WheelDown } What = None;
  enum ButtonKind { Left = 0, Middle = 1, Right = 2 };
  int Button = Left;
  int Y = 0, X = 0;    // the screen cell, from 0
  unsigned Mods = 0;   // PKF_SHIFT | PKF_ALT | PKF_CONTROL
  bool Double = false;  // the second press of a double click
  bool LeftPress() const { return What == Press && Button == Left; }
  bool Wheel() const { return What == WheelUp || What == WheelDown; }
};

// How many rows one notch of the wheel scrolls.
const int kWheelRows = 3;

// Marks a press as the second of a double click: the same button on the
// same cell soon after the first.
class ClickCounter {
 public:
  void Note(MouseEvent &event);

 private:
  std::chrono::steady_clock::time_point last_{};
  int button_ = -1, y_ = -1, x_ = -1;
};

// The requests that ask the terminal to report the mouse, and that stop it.
extern const char *const kMouseOn;
extern const char *const kMouseOff;

}  // namespace console

#endif
