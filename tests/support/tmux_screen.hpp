// A program driven as a person would, in a terminal: tmux on a private
// socket runs it, send-keys types, capture-pane reads the screen.  Waits
// are bounded polls of the screen, never fixed sleeps; the server is
// killed on every path, by a watcher when the test process is killed.
#ifndef QUILLET_TMUX_SCREEN_HPP
#define QUILLET_TMUX_SCREEN_HPP

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// How long a wait for the screen lasts at most.
const int kScreenWaitMs = 30000;

class TmuxScreen {
 public:
  // Starts `command` (run by /bin/sh) with `env` added to the
  // environment, in a terminal of `width` x `height`.
  TmuxScreen(const std::string &socketDir, const std::string &command,
             const std::map<std::string, std::string> &env, int width = 100, int height = 30);
  ~TmuxScreen();
  TmuxScreen(const TmuxScreen &) = delete;
  TmuxScreen &operator=(const TmuxScreen &) = delete;
  bool Started() const { return started_; }
  // The process the pane runs (the program started, which replaced the
  // shell), for a signal of the test's own; -1 when tmux does not say.
  int PanePid();

  // tmux key names, one per key ("F11", "Enter", "C-q", "M-0", "Escape").
  void Keys(const std::vector<std::string> &keys);
  // Text typed as it is.
  void Type(const std::string &text);
  // Bytes sent as a terminal would send them (escape sequences).
  void Bytes(const std::string &bytes);
  void Resize(int width, int height);
  // From now on, every byte the program writes to its terminal is added
  // to `file` as well.
  void RecordOutput(const std::string &file);

  // The screen as text, and with its colours (SGR sequences).
  std::string Screen();
  std::string StyledScreen();
  // Waits until the screen holds `text` (or no longer does); false, with
  // the last screen in `Last`, when the wait ran out.
  bool WaitFor(const std::string &text, int timeoutMs = kScreenWaitMs);
  bool WaitForGone(const std::string &text, int timeoutMs = kScreenWaitMs);
  bool WaitUntil(const std::function<bool(const std::string &screen)> &ready,
                 int timeoutMs = kScreenWaitMs);
  // Whether the program has ended, and its exit status.
  bool Ended(int *status = nullptr);
  bool WaitForEnd(int *status, int timeoutMs = kScreenWaitMs);
  std::string Last;

 private:
  std::string Tmux(const std::string &args, int *status = nullptr);
  std::string socket_;
  bool started_ = false;
};

// The line of `screen` that holds `text`, or "".
std::string LineWith(const std::string &screen, const std::string &text);

}  // namespace testsupport

#endif
