// The command line.
#include "console/command_line.hpp"

#include <errno.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

void DrawCommandLine(Terminal &term, int y, const std::string &folder, InputLine &line) {
  int width = term.Width();
  // The prompt keeps at most half the line; the rest is for typing.
  std::string prompt = hostcore::FitPath(folder + ">", width / 2);
  int promptCells = hostcore::TextWidth(prompt);
  term.Put(y, 0, prompt, Role::CommandLine);
  DrawInputLine(term, y, promptCells, width - promptCells, line, true, Role::CommandLine,
                Role::CommandLine);
}

int RunShellCommand(Terminal &term, const std::string &folder, const std::string &command) {
  term.Suspend();
  // Ctrl+C and Ctrl+\ belong to the command while it runs.
  struct sigaction ignore, oldInt, oldQuit;
  memset(&ignore, 0, sizeof(ignore));
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGINT, &ignore, &oldInt);
  sigaction(SIGQUIT, &ignore, &oldQuit);
  int status = -1;
  pid_t child = fork();
  if (child == 0) {
    signal(SIGINT, SIG_DFL);
    signal(SIGQUIT, SIG_DFL);
    if (chdir(folder.c_str()) != 0) _exit(126);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  if (child > 0) {
    int raw = 0;
    while (waitpid(child, &raw, 0) < 0 && errno == EINTR) {
    }
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
  }
  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGQUIT, &oldQuit, nullptr);
  std::string note = child < 0 ? "\r\nQuillet could not start /bin/sh."
                               : "\r\n[exit status " + std::to_string(status) + "]";
  term.PauseForKey(note + " Press any key to return to Quillet.");
  term.Resume();
  return status;
}

}  // namespace console
