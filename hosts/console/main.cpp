// quillet-console: the interactive host.  Usage:
//   quillet-console [--module PATH] [--command TEXT] [FOLDER]
//   quillet-console --version
// FOLDER (the current folder by default) shows in both panels; TEXT runs as
// if typed on the command line ("cvs:" opens the status panel).
//
// The program the build made loads the build's module and opens what its
// caller names.  Installed (the command `quillet`), it loads the module
// installed beside it and, given no --command, opens a working copy on its
// status panel, as the repository's ./quillet does.
#include <langinfo.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "console/console_host.hpp"
#include "console/unsaved_rescue.hpp"
#include "core/history.hpp"
#include "core/host_texts.hpp"
#include "core/language.hpp"

#ifndef QUILLET_VERSION
#define QUILLET_VERSION "(unknown version)"
#endif

namespace {

std::string program_name = "quillet-console";

int Usage() {
  fprintf(stderr, "usage: %s [--module PATH] [--command TEXT] [FOLDER]\n       %s --version\n",
          program_name.c_str(), program_name.c_str());
  return 2;
}

std::string RealPath(const std::string &path) {
  char *real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return "";
  std::string result = real;
  free(real);
  return result;
}

// Where the module is when neither --module nor QUILLET_MODULE says: the
// build's own for the program the build made, else the installed layout's
// place relative to this program.  Empty when this build knows neither.
std::string DefaultModule(bool &installed) {
  installed = false;
  const std::string self = RealPath("/proc/self/exe");
#ifdef QUILLET_BUILT_PROGRAM
  if (!self.empty() && self == RealPath(QUILLET_BUILT_PROGRAM)) return QUILLET_DEFAULT_MODULE;
#endif
#ifdef QUILLET_INSTALLED_MODULE
  if (!self.empty()) {
    installed = true;
    const std::string module = self.substr(0, self.rfind('/') + 1) + QUILLET_INSTALLED_MODULE;
    const std::string real = RealPath(module);
    return real.empty() ? module : real;
  }
#endif
#ifdef QUILLET_DEFAULT_MODULE
  return QUILLET_DEFAULT_MODULE;
#else
  return "";
#endif
}

// The screen draws frames and names in UTF-8: a locale of another
// character set (or plain C) draws with UTF-8 characters all the same.
void ChooseLocale() {
  if (setlocale(LC_ALL, "") == nullptr || strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
    setlocale(LC_CTYPE, "C.UTF-8");
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
  if (argc > 0 && argv[0] != nullptr && argv[0][0] != '\0') {
    program_name = argv[0];
    program_name.erase(0, program_name.rfind('/') + 1);
  }
  ChooseLocale();
  console::Options options;
  bool installed = false;
  const std::string defaultModule = DefaultModule(installed);
  options.ModulePath = Env("QUILLET_MODULE");
  if (options.ModulePath.empty()) options.ModulePath = defaultModule;
  bool commandGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--module" && i + 1 < argc) {
      options.ModulePath = argv[++i];
    } else if (arg == "--command" && i + 1 < argc) {
      options.StartCommand = argv[++i];
      commandGiven = true;
    } else if (arg == "--version") {
      printf("quillet %s\n", QUILLET_VERSION);
      return 0;
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
      fprintf(stderr, "%s: no such folder: %s\n", program_name.c_str(), options.Folder.c_str());
      return 1;
    }
    options.Folder = real;
    free(real);
  }
  if (installed && !commandGiven) {
    struct stat admin;
    const std::string folder = options.Folder.empty() ? "." : options.Folder;
    if (stat((folder + "/CVS").c_str(), &admin) == 0 && S_ISDIR(admin.st_mode))
      options.StartCommand = "cvs:";
  }
  options.Language =
      hostcore::LanguageForLocale(getenv("LC_ALL"), getenv("LC_MESSAGES"), getenv("LANG"));
  // The host speaks the language the module's texts are read in.
  hostcore::SetHostLanguage(options.Language);
  options.HistoriesPath = HistoriesPath();
  console::SetRescueFolder(hostcore::HistoriesFolder(getenv("XDG_STATE_HOME"), getenv("HOME")));

  console::Terminal term;
  std::string error;
  if (!term.Open(error)) {
    fprintf(stderr, "%s: %s\n", program_name.c_str(), error.c_str());
    return 1;
  }
  bool started;
  {
    console::ConsoleHost host(term);
    started = host.Start(options, error);
    if (started) {
      console::SayWhatWasRescued(term);
      host.Run();
    }
  }
  term.Close();
  if (!started) {
    fprintf(stderr, "%s: %s\n", program_name.c_str(), error.c_str());
    return 1;
  }
  return 0;
}
