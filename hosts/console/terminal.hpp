// The terminal: ncurses (wide-character build) on a descriptor of its own,
// so that the module's redirection of standard output and error while cvs
// runs never catches the screen; keys read and decoded from the input; one
// poll that also watches a wake pipe (a dialog closed from another thread,
// a resize, the terminal's hang-up), so waiting never needs a timeout.
#ifndef QUILLET_CONSOLE_TERMINAL_HPP
#define QUILLET_CONSOLE_TERMINAL_HPP

#include <functional>
#include <string>
#include <vector>

#include "console/colors.hpp"
#include "console/mouse.hpp"
#include "core/keys.hpp"

namespace console {

struct Event {
  // Tick: a timed wait ran out with nothing come.
  enum Kind { Key, Mouse, Wake, Resize, Closed, Tick } What = Key;
  hostcore::KeyPress Press;
  MouseEvent Pointer;  // for Mouse
};

// The smallest screen the host draws on (xterm's, VT100's and most ssh
// sessions' default); a smaller one gets a clear line.
const int kMinWidth = 80, kMinHeight = 24;

class Terminal {
 public:
  Terminal() = default;
  ~Terminal();
  Terminal(const Terminal &) = delete;
  Terminal &operator=(const Terminal &) = delete;

  // Takes the terminal on standard input and output; false with a reason.
  bool Open(std::string &error);
  void Close();
  int Width() const;
  int Height() const;
  bool TooSmall() const { return Width() < kMinWidth || Height() < kMinHeight; }

  // Waits for the next key, mouse report, wake or resize, at most
  // `timeoutMs` (then a Tick; -1 waits on).  A resize has already been
  // applied and the screen redrawn when it is returned.
  Event Next(int timeoutMs = -1);
  // Keys and clicks that were not meant for the widget that read them (the
  // user typed them before it showed): kept, in order, and handed out by
  // Next before anything newer once every hold has been let go.
  void Hold(const Event &event) { held_.push_back(event); }
  void BeginHolding() { ++holding_; }
  void EndHolding() {
    if (holding_ > 0) --holding_;
  }
  // Safe from any thread (and from a signal handler): ends the current or
  // the next wait with a Wake event.
  void Wake();

  // Hands the screen back to the terminal (for a shell command) and takes
  // it again.
  void Suspend();
  void Resume();
  // Suspends with a line that says who has the terminal now: a program of
  // the module (the user screen); Resume takes it back.
  void LendScreen();
  // Whether the terminal hung up (or the host was asked to end).
  bool HungUp() const { return hungUp_; }
  // While suspended: shows `prompt` and waits for any key.
  void PauseForKey(const std::string &prompt);
  // A screen without a terminal (drawing into /dev/null), for measuring.
  bool OpenHeadless(int width, int height, std::string &error);

  // Layers drawn bottom first; a modal widget pushes one while it runs so
  // that a resize redraws everything under it too.
  using Layer = std::function<void()>;
  void PushLayer(Layer layer);
  void PopLayer();
  // Draws every layer and shows the result.
  void Redraw();

  // Drawing, clipped to the screen.  `text` is measured in cells and shown
  // escaped where it must be (hostcore::ShowableText); fit it first
  // (hostcore::FitText, CellSlice).
  void Put(int y, int x, const std::string &text, Role role);
  // `title` centred in the top (or bottom) line of a frame `width` cells
  // wide, cut to leave the corners and a blank either side.
  void FrameTitle(int y, int left, int width, const std::string &title, Role role);
  void Fill(int y, int x, int width, Role role);
  // A frame: double or single lines.
  void Frame(int top, int left, int height, int width, Role role, bool doubleLine);
  void HorizontalLine(int y, int left, int width, Role role, bool doubleLine);
  void VerticalLine(int top, int x, int height, Role role);
  void ShowCursor(int y, int x);
  void HideCursor();
  void Clear();
  void Show();

 private:
  void ApplySize();
  int inputFd_ = -1, outputFd_ = -1;
  int wakeRead_ = -1, wakeWrite_ = -1;
  void *screen_ = nullptr;
  void *outFile_ = nullptr;
  void *inFile_ = nullptr;
  std::string pending_;
  std::vector<Layer> layers_;
  std::vector<Event> held_;
  int holding_ = 0;
  bool hungUp_ = false;
  ClickCounter clicks_;
  bool cursorShown_ = false;
  int cursorY_ = 0, cursorX_ = 0;
};

}  // namespace console

#endif
