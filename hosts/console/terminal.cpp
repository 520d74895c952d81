// ncurses on its own descriptors, keys from the input, and the wake pipe.
#include "console/terminal.hpp"
#include "core/host_texts.hpp"

#include <curses.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "console/key_decoder.hpp"
#include "core/screen_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

// What the wake pipe carries.
const char kWakeByte = 'W', kResizeByte = 'R', kHangUpByte = 'H';
// How long the rest of an escape sequence may take to arrive (a lone Esc
// is known only when nothing follows it in time).
const int kEscapeWaitMs = 100;

volatile sig_atomic_t wakeFd = -1;

void OnResize(int) {
  int saved = errno;
  if (wakeFd >= 0) {
    ssize_t ignored = write(wakeFd, &kResizeByte, 1);
    (void)ignored;
  }
  errno = saved;
}

// The terminal is gone (SIGHUP), or the host is asked to end (SIGTERM):
// every wait returns Closed, so that each modal loop ends, the module
// breaks off what runs and removes its files, and the host quits.
void OnHangUp(int) {
  int saved = errno;
  if (wakeFd >= 0) {
    ssize_t ignored = write(wakeFd, &kHangUpByte, 1);
    (void)ignored;
  }
  errno = saved;
}

SCREEN *ScreenOf(void *screen) { return static_cast<SCREEN *>(screen); }

void WriteAll(int fd, const char *text) {
  for (size_t length = strlen(text); length > 0;) {
    ssize_t written = write(fd, text, length);
    if (written <= 0 && errno != EINTR) return;
    if (written > 0) {
      text += written;
      length -= static_cast<size_t>(written);
    }
  }
}

}  // namespace

Terminal::~Terminal() { Close(); }

bool Terminal::Open(std::string &error) {
  if (!isatty(0) || !isatty(1)) {
    error = Say(HostText::TerminalNotTerminal);
    return false;
  }
  inputFd_ = fcntl(0, F_DUPFD_CLOEXEC, 3);
  outputFd_ = fcntl(1, F_DUPFD_CLOEXEC, 3);
  int pipeFds[2];
  if (inputFd_ < 0 || outputFd_ < 0 || pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
    error = Say(HostText::TerminalCannotSetUp, {strerror(errno)});
    return false;
  }
  wakeRead_ = pipeFds[0];
  wakeWrite_ = pipeFds[1];
  wakeFd = wakeWrite_;
  struct sigaction action;
  memset(&action, 0, sizeof(action));
  action.sa_handler = OnResize;
  sigemptyset(&action.sa_mask);
  sigaction(SIGWINCH, &action, nullptr);
  action.sa_handler = OnHangUp;
  sigaction(SIGHUP, &action, nullptr);

  FILE *out = fdopen(outputFd_, "w");
  FILE *in = fdopen(inputFd_, "r");
  outFile_ = out;
  inFile_ = in;
  SCREEN *screen = out != nullptr && in != nullptr ? newterm(nullptr, out, in) : nullptr;
  if (screen == nullptr) {
    error = Say(HostText::TerminalNoScreen);
    return false;
  }
  screen_ = screen;
  set_term(screen);
  raw();
  noecho();
  nonl();
  keypad(stdscr, FALSE);
  meta(stdscr, TRUE);
  curs_set(0);
  // A program in the background that writes to the terminal stops there
  // (and whoever runs it hands it the terminal) instead of writing over
  // the screen.  Kept as part of the host's own modes.
  struct termios modes;
  if (tcgetattr(outputFd_, &modes) == 0) {
    modes.c_lflag |= TOSTOP;
    tcsetattr(outputFd_, TCSADRAIN, &modes);
  }
  def_prog_mode();
  // ncurses ends the program on SIGTERM; the host ends in order instead.
  sigaction(SIGTERM, &action, nullptr);
  InitColors();
  fflush(out);
  WriteAll(outputFd_, kExtendedKeysOn);
  WriteAll(outputFd_, kMouseOn);
  ApplySize();
  return true;
}

void Terminal::Close() {
  if (screen_ != nullptr) {
    endwin();
    WriteAll(outputFd_, kExtendedKeysOff);
    WriteAll(outputFd_, kMouseOff);
    delscreen(ScreenOf(screen_));
    screen_ = nullptr;
  }
  wakeFd = -1;
  if (outFile_ != nullptr) fclose(static_cast<FILE *>(outFile_));
  if (inFile_ != nullptr) fclose(static_cast<FILE *>(inFile_));
  outFile_ = inFile_ = nullptr;
  outputFd_ = inputFd_ = -1;
  if (wakeRead_ >= 0) close(wakeRead_);
  if (wakeWrite_ >= 0) close(wakeWrite_);
  wakeRead_ = wakeWrite_ = -1;
}

int Terminal::Width() const { return screen_ != nullptr ? COLS : 0; }
int Terminal::Height() const { return screen_ != nullptr ? LINES : 0; }

void Terminal::ApplySize() {
  struct winsize size;
  if (ioctl(outputFd_, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0) {
    resize_term(size.ws_row, size.ws_col);
    // Paint everything anew: what the terminal kept of the old size is unknown.
    clearok(curscr, TRUE);
  }
}

void Terminal::Wake() {
  ssize_t ignored = write(wakeWrite_, &kWakeByte, 1);
  (void)ignored;
}

Event Terminal::Next(int timeoutMs) {
  if (holding_ == 0 && !held_.empty() && !hungUp_) {
    Event event = held_.front();
    held_.erase(held_.begin());
    return event;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (hungUp_) {
      Event closed;
      closed.What = Event::Closed;
      return closed;
    }
    bool waitForRest = false;
    if (!pending_.empty()) {
      Decoded decoded = DecodeKey(pending_, false);
      if (decoded.What == Decoded::NeedMore) {
        waitForRest = true;
      } else {
        pending_.erase(0, decoded.Used);
        if (decoded.What == Decoded::Key) {
          Event event;
          event.Press = ApplyAlternatives(decoded.Press);
          return event;
        }
        if (decoded.What == Decoded::Mouse) {
          Event event;
          event.What = Event::Mouse;
          event.Pointer = decoded.Pointer;
          clicks_.Note(event.Pointer);
          return event;
        }
        continue;
      }
    }
    struct pollfd fds[2] = {{inputFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    int wait = waitForRest ? kEscapeWaitMs : -1;
    if (timeoutMs >= 0 && !waitForRest) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      wait = static_cast<int>(std::max<long long>(0, left));
    }
    int ready = poll(fds, 2, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      Event closed;
      closed.What = Event::Closed;
      return closed;
    }
    if (ready == 0 && !waitForRest) {
      Event tick;
      tick.What = Event::Tick;
      return tick;
    }
    if (ready == 0) {
      // The rest of the sequence did not come: take what is there.
      Decoded decoded = DecodeKey(pending_, true);
      pending_.erase(0, std::max<size_t>(decoded.Used, 1));
      if (decoded.What == Decoded::Key) {
        Event event;
        event.Press = ApplyAlternatives(decoded.Press);
        return event;
      }
      continue;
    }
    if (fds[1].revents & POLLIN) {
      char bytes[64];
      bool resized = false;
      ssize_t got;
      while ((got = read(wakeRead_, bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < got; ++i) {
          resized = resized || bytes[i] == kResizeByte;
          hungUp_ = hungUp_ || bytes[i] == kHangUpByte;
        }
      }
      if (hungUp_) continue;
      Event event;
      event.What = resized ? Event::Resize : Event::Wake;
      if (resized) {
        ApplySize();
        Redraw();
      }
      return event;
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      char bytes[256];
      ssize_t got = read(inputFd_, bytes, sizeof bytes);
      if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (got <= 0) {
        Event closed;
        closed.What = Event::Closed;
        return closed;
      }
      pending_.append(bytes, static_cast<size_t>(got));
    }
  }
}

void Terminal::Suspend() {
  def_prog_mode();
  endwin();
  WriteAll(outputFd_, kExtendedKeysOff);
  WriteAll(outputFd_, kMouseOff);
}

void Terminal::Resume() {
  WriteAll(outputFd_, kExtendedKeysOn);
  WriteAll(outputFd_, kMouseOn);
  reset_prog_mode();
  ApplySize();
  clearok(curscr, TRUE);
  Redraw();
}

void Terminal::LendScreen() {
  Suspend();
  WriteAll(outputFd_, (std::string("\r\n") + Say(HostText::TerminalLent) + "\r\n").c_str());
}

void Terminal::PauseForKey(const std::string &prompt) {
  WriteAll(outputFd_, prompt.c_str());
  struct termios saved, raw;
  bool rawMode = tcgetattr(inputFd_, &saved) == 0;
  if (rawMode) {
    raw = saved;
    cfmakeraw(&raw);
    tcsetattr(inputFd_, TCSANOW, &raw);
  }
  struct pollfd input = {inputFd_, POLLIN, 0};
  while (poll(&input, 1, -1) < 0 && errno == EINTR) {
  }
  // The whole key, an escape sequence included.
  char bytes[64];
  do {
    if (read(inputFd_, bytes, sizeof bytes) <= 0) break;
  } while (poll(&input, 1, kEscapeWaitMs) > 0);
  if (rawMode) tcsetattr(inputFd_, TCSANOW, &saved);
}

bool Terminal::OpenHeadless(int width, int height, std::string &error) {
  FILE *out = fopen("/dev/null", "w");
  FILE *in = fopen("/dev/null", "r");
  outFile_ = out;
  inFile_ = in;
  if (out == nullptr || in == nullptr) {
    error = "cannot open /dev/null";
    return false;
  }
  outputFd_ = fileno(out);
  inputFd_ = fileno(in);
  SCREEN *screen = newterm("xterm-256color", out, in);
  if (screen == nullptr) screen = newterm("xterm", out, in);
  if (screen == nullptr) {
    error = "no terminal description for xterm";
    return false;
  }
  screen_ = screen;
  set_term(screen);
  InitColors();
  resize_term(height, width);
  return true;
}

void Terminal::PushLayer(Layer layer) { layers_.push_back(std::move(layer)); }
void Terminal::PopLayer() {
  if (!layers_.empty()) layers_.pop_back();
}

void Terminal::Redraw() {
  cursorShown_ = false;
  Clear();
  if (TooSmall()) {
    const std::string line =
        Say(HostText::TerminalTooSmall, {std::to_string(kMinWidth), std::to_string(kMinHeight),
                                         std::to_string(Width()), std::to_string(Height())});
    // Word by word, so that no letter of another script is cut in two.
    std::string row;
    int y = 0;
    size_t start = 0;
    while (start < line.size() && y < Height()) {
      size_t end = line.find(' ', start);
      if (end == std::string::npos) end = line.size();
      const std::string word = line.substr(start, end - start);
      if (!row.empty() && hostcore::TextWidth(row + " " + word) > Width()) {
        Put(y++, 0, row, Role::Screen);
        row.clear();
      }
      row += (row.empty() ? "" : " ") + word;
      start = end + 1;
    }
    if (!row.empty() && y < Height()) Put(y, 0, row, Role::Screen);
  } else {
    for (const Layer &layer : layers_) layer();
  }
  Show();
}

void Terminal::Put(int y, int x, const std::string &text, Role role) {
  if (y < 0 || y >= Height() || x >= Width()) return;
  // Whatever a caller passes, nothing but showable text reaches the
  // terminal; text that is showable already stays as it is.
  std::string shown = hostcore::ShowableText(text);
  if (x < 0) {
    shown = hostcore::CellSlice(shown, -x, hostcore::TextWidth(shown) + x, hostcore::kTabEscaped);
    x = 0;
  }
  // A wide character that would stand half off the screen is left out.
  size_t bytes = hostcore::ByteAtCell(shown, Width() - x, hostcore::kTabEscaped);
  attrset(static_cast<attr_t>(RoleAttribute(role)));
  mvaddnstr(y, x, shown.c_str(), static_cast<int>(bytes));
}

void Terminal::FrameTitle(int y, int left, int width, const std::string &title, Role role) {
  if (title.empty() || width < 5) return;
  // Between the two corners, one blank on either side of the text.
  std::string shown = hostcore::ShowableText(title);
  int cells = std::min(hostcore::TextWidth(shown), width - 4);
  shown = " " + hostcore::FitText(shown, cells, false, false) + " ";
  Put(y, left + (width - cells - 2) / 2, shown, role);
}

void Terminal::Fill(int y, int x, int width, Role role) {
  if (width > 0) Put(y, x, std::string(static_cast<size_t>(width), ' '), role);
}

void Terminal::HorizontalLine(int y, int left, int width, Role role, bool doubleLine) {
  if (y < 0 || y >= Height() || width <= 0) return;
  attrset(static_cast<attr_t>(RoleAttribute(role)));
  mvhline_set(y, std::max(left, 0), doubleLine ? WACS_D_HLINE : WACS_HLINE, width);
}

void Terminal::VerticalLine(int top, int x, int height, Role role) {
  if (x < 0 || x >= Width() || height <= 0) return;
  attrset(static_cast<attr_t>(RoleAttribute(role)));
  mvvline_set(std::max(top, 0), x, WACS_VLINE, height);
}

void Terminal::Frame(int top, int left, int height, int width, Role role, bool doubleLine) {
  if (height < 2 || width < 2) return;
  for (int y = top; y < top + height; ++y) Fill(y, left, width, role);
  attrset(static_cast<attr_t>(RoleAttribute(role)));
  int right = left + width - 1, bottom = top + height - 1;
  mvhline_set(top, left + 1, doubleLine ? WACS_D_HLINE : WACS_HLINE, width - 2);
  mvhline_set(bottom, left + 1, doubleLine ? WACS_D_HLINE : WACS_HLINE, width - 2);
  mvvline_set(top + 1, left, doubleLine ? WACS_D_VLINE : WACS_VLINE, height - 2);
  mvvline_set(top + 1, right, doubleLine ? WACS_D_VLINE : WACS_VLINE, height - 2);
  mvadd_wch(top, left, doubleLine ? WACS_D_ULCORNER : WACS_ULCORNER);
  mvadd_wch(top, right, doubleLine ? WACS_D_URCORNER : WACS_URCORNER);
  mvadd_wch(bottom, left, doubleLine ? WACS_D_LLCORNER : WACS_LLCORNER);
  mvadd_wch(bottom, right, doubleLine ? WACS_D_LRCORNER : WACS_LRCORNER);
}

void Terminal::ShowCursor(int y, int x) {
  cursorShown_ = true;
  cursorY_ = y;
  cursorX_ = x;
}

void Terminal::HideCursor() { cursorShown_ = false; }

void Terminal::Clear() {
  attrset(static_cast<attr_t>(RoleAttribute(Role::Screen)));
  erase();
}

void Terminal::Show() {
  if (cursorShown_ && cursorY_ >= 0 && cursorY_ < Height() && cursorX_ >= 0 && cursorX_ < Width()) {
    move(cursorY_, cursorX_);
    curs_set(1);
  } else {
    curs_set(0);
  }
  refresh();
}

}  // namespace console
