// The command line.
#include "console/command_line.hpp"
#include "core/host_texts.hpp"

#include <errno.h>
#include <signal.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "console/shell_text.hpp"
#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

using hostcore::HostText;
using hostcore::Say;

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

namespace {

// `path` (absolute) with "." and ".." parts and doubled slashes resolved
// by name, as the panel shows folders.
std::string TidyPath(const std::string &path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string tidy;
  for (const std::string &part : parts) tidy += "/" + part;
  return tidy.empty() ? "/" : tidy;
}

}  // namespace

bool IsCdCommand(const std::string &line) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos || line.compare(start, 2, "cd") != 0) return false;
  return start + 2 == line.size() || line[start + 2] == ' ' || line[start + 2] == '\t';
}

bool CdTarget(const std::string &line, const CdPlaces &places, std::string &target,
              std::string &error) {
  std::vector<std::string> words;
  if (!ShellWords(line, places.Home, words, error)) return false;
  // words[0] is "cd".
  if (words.size() > 2) {
    error = Say(HostText::ErrorCdOneFolder);
    return false;
  }
  std::string where = words.size() < 2 ? places.Home : words[1];
  if (words.size() == 2 && words[1] == "-") {
    if (places.Previous.empty()) {
      error = Say(HostText::ErrorCdNoPrevious);
      return false;
    }
    where = places.Previous;
  }
  if (where.empty()) {
    error = Say(HostText::ErrorCdNoFolder);
    return false;
  }
  target = TidyPath(where[0] == '/' ? where : places.Current + "/" + where);
  return true;
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
  std::string note = child < 0 ? Say(HostText::ShellNotStarted)
                               : Say(HostText::ShellExitStatus, {std::to_string(status)});
  term.PauseForKey("\r\n" + note + " " + Say(HostText::ShellPressKey));
  term.Resume();
  return status;
}

}  // namespace console
