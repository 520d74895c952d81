// Driving a terminal program through tmux.
#include "tmux_screen.hpp"

#include <stdlib.h>

#include <time.h>
#include <unistd.h>

#include <chrono>

#include "test_support.hpp"

namespace testsupport {

namespace {

// How often a wait looks at the screen.
const long kPollNs = 50L * 1000 * 1000;

void Pause() {
  struct timespec interval = {0, kPollNs};
  nanosleep(&interval, nullptr);
}

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string Hex(const std::string &bytes) {
  std::string out;
  char digits[4];
  for (unsigned char byte : bytes) {
    snprintf(digits, sizeof digits, "%02x ", byte);
    out += digits;
  }
  return out;
}

}  // namespace

TmuxScreen::TmuxScreen(const std::string &socketDir, const std::string &command,
                       const std::map<std::string, std::string> &env, int width, int height)
    : socket_(socketDir + "/tmux.sock") {
  std::string prefix = "env";
  for (const auto &entry : env) prefix += " " + ShellQuote(entry.first + "=" + entry.second);
  int status = 0;
  Tmux("-f /dev/null new-session -d -x " + std::to_string(width) + " -y " + std::to_string(height) +
           " " + ShellQuote(prefix + " " + command),
       &status);
  started_ = status == 0;
  if (!started_) return;
  Tmux("set-option -g remain-on-exit on");
  // Should this test process die before its destructor runs (a time-out),
  // a watcher still ends the server once the process is gone.
  std::string sock = ShellQuote(socket_);
  Shell("( while kill -0 " + std::to_string(getpid()) + " 2>/dev/null && [ -S " + sock +
        " ]; do sleep 1; done; tmux -S " + sock + " kill-server ) >/dev/null 2>&1 </dev/null &");
}

TmuxScreen::~TmuxScreen() { Tmux("kill-server"); }

std::string TmuxScreen::Tmux(const std::string &args, int *status) {
  std::string output;
  int result = Shell("tmux -S " + ShellQuote(socket_) + " " + args, "", &output);
  if (status != nullptr) *status = result;
  return output;
}

void TmuxScreen::Keys(const std::vector<std::string> &keys) {
  for (const std::string &key : keys) Tmux("send-keys " + ShellQuote(key));
}

void TmuxScreen::Type(const std::string &text) { Tmux("send-keys -l " + ShellQuote(text)); }

void TmuxScreen::Bytes(const std::string &bytes) { Tmux("send-keys -H " + Hex(bytes)); }

void TmuxScreen::Resize(int width, int height) {
  Tmux("resize-window -x " + std::to_string(width) + " -y " + std::to_string(height));
}

void TmuxScreen::RecordOutput(const std::string &file) {
  Tmux("pipe-pane -O " + ShellQuote("cat >> " + ShellQuote(file)));
}

int TmuxScreen::PanePid() {
  const std::string pid = Tmux("display-message -p '#{pane_pid}'");
  return pid.empty() ? -1 : atoi(pid.c_str());
}

std::string TmuxScreen::Screen() { return Tmux("capture-pane -p"); }
std::string TmuxScreen::StyledScreen() { return Tmux("capture-pane -p -e"); }

bool TmuxScreen::WaitUntil(const std::function<bool(const std::string &)> &ready, int timeoutMs) {
  long long end = NowMs() + timeoutMs;
  for (;;) {
    Last = Screen();
    if (ready(Last)) return true;
    if (NowMs() > end) return false;
    Pause();
  }
}

bool TmuxScreen::WaitFor(const std::string &text, int timeoutMs) {
  return WaitUntil(
      [&](const std::string &screen) { return screen.find(text) != std::string::npos; }, timeoutMs);
}

bool TmuxScreen::WaitForGone(const std::string &text, int timeoutMs) {
  return WaitUntil(
      [&](const std::string &screen) { return screen.find(text) == std::string::npos; }, timeoutMs);
}

bool TmuxScreen::Ended(int *status) {
  std::string state = Tmux("display-message -p '#{pane_dead} #{pane_dead_status}'");
  if (state.compare(0, 1, "1") != 0) return false;
  if (status != nullptr) *status = atoi(state.c_str() + 2);
  return true;
}

bool TmuxScreen::WaitForEnd(int *status, int timeoutMs) {
  long long end = NowMs() + timeoutMs;
  while (!Ended(status)) {
    if (NowMs() > end) return false;
    Pause();
  }
  return true;
}

std::string LineWith(const std::string &screen, const std::string &text) {
  size_t found = screen.find(text);
  if (found == std::string::npos) return "";
  size_t start = screen.rfind('\n', found);
  start = start == std::string::npos ? 0 : start + 1;
  size_t end = screen.find('\n', found);
  return screen.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace testsupport
