// quillet-console: the interactive host.  Usage:
//   quillet-console [--module PATH] [--command TEXT] [FOLDER]
// FOLDER (the current folder by default) shows in both panels; TEXT runs as
// if typed on the command line ("cvs:" opens the status panel).
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "console/console_host.hpp"
#include "core/history.hpp"
#include "core/language.hpp"

namespace {

int Usage() {
  fprintf(stderr, "usage: quillet-console [--module PATH] [--command TEXT] [FOLDER]\n");
  return 2;
}

std::string Env(const char *name) {
  const char *value = getenv(name);
  return value != nullptr ? value : "";
}

// Edit histories live in the user's state folder, kept across runs; only
// an absolute folder is made (a relative one would land wherever the host
// happens to start).
std::string HistoriesPath() {
  std::string dir = hostcore::HistoriesFolder(getenv("XDG_STATE_HOME"), getenv("HOME"));
  if (dir.empty()) return "";
  for (size_t at = dir.find('/', 1); at != std::string::npos; at = dir.find('/', at + 1))
    mkdir(dir.substr(0, at).c_str(), 0700);
  mkdir(dir.c_str(), 0700);
  return dir + "/histories";
}

}  // namespace

int main(int argc, char **argv) {
  // A locale that is not installed still gets UTF-8 drawing where the
  // C.UTF-8 locale is there.
  if (setlocale(LC_ALL, "") == nullptr) setlocale(LC_CTYPE, "C.UTF-8");
  console::Options options;
  options.ModulePath = Env("QUILLET_MODULE");
#ifdef QUILLET_DEFAULT_MODULE
  if (options.ModulePath.empty()) options.ModulePath = QUILLET_DEFAULT_MODULE;
#endif
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--module" && i + 1 < argc) {
      options.ModulePath = argv[++i];
    } else if (arg == "--command" && i + 1 < argc) {
      options.StartCommand = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      Usage();
      return 0;
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else if (options.Folder.empty()) {
      options.Folder = arg;
    } else {
      return Usage();
    }
  }
  if (!options.Folder.empty()) {
    char *real = realpath(options.Folder.c_str(), nullptr);
    if (real == nullptr) {
      fprintf(stderr, "quillet-console: no such folder: %s\n", options.Folder.c_str());
      return 1;
    }
    options.Folder = real;
    free(real);
  }
  options.Language =
      hostcore::LanguageForLocale(getenv("LC_ALL"), getenv("LC_MESSAGES"), getenv("LANG"));
  options.HistoriesPath = HistoriesPath();

  console::Terminal term;
  std::string error;
  if (!term.Open(error)) {
    fprintf(stderr, "quillet-console: %s\n", error.c_str());
    return 1;
  }
  bool started;
  {
    console::ConsoleHost host(term);
    started = host.Start(options, error);
    if (started) host.Run();
  }
  term.Close();
  if (!started) {
    fprintf(stderr, "quillet-console: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
