// Choosing the environment of a started program.
#include "runner/child_environment.hpp"

#include <string.h>

#include "os/os.hpp"
#include "runner/program_search.hpp"
#include "working_copy/cvs_root.hpp"

namespace {

// cvs's global options that take a value ("-d root", "-e editor"...).
const char kOptionsWithValue[] = "bTedzs";

bool IsCvs(const char *name) {
  const std::string base = name;
  const SearchRules rules = HostSearchRules();
  if (base == "cvs") return true;
  if (rules.Extensions.empty()) return false;
  std::string folded = base;
  for (char &c : folded) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return folded == "cvs.exe";
}

bool IsForkRoot(const std::string &root) {
  return root.compare(0, 6, ":fork:") == 0 || root.compare(0, 6, ":fork;") == 0;
}

std::string FolderOf(const std::string &program) {
  const size_t cut = program.find_last_of(HostSearchRules().DriveAndBackslash ? "/\\" : "/");
  if (cut == std::string::npos) return "";
  return cut == 0 ? program.substr(0, 1) : program.substr(0, cut);
}

}  // namespace

std::string RootCvsTakes(const char *const *args) {
  for (size_t i = 1; args != nullptr && args[i] != nullptr; ++i) {
    const char *option = args[i];
    // The command word ends the global options.
    if (option[0] != '-' || option[1] == '\0') break;
    if (option[1] == 'd') return option[2] != '\0' ? option + 2 : (args[i + 1] ? args[i + 1] : "");
    if (option[2] == '\0' && strchr(kOptionsWithValue, option[1]) != nullptr && args[i + 1]) ++i;
  }
  std::string root;
  if (ReadRootLine(std::string("CVS") + os::kSep + "Root", kRootLineLength, root) && !root.empty())
    return root;
  os::GetEnv("CVSROOT", root);
  return root;
}

os::EnvironmentSettings ChildEnvironment(const std::string &program, const char *const *args) {
  os::EnvironmentSettings settings;
  const SearchRules rules = HostSearchRules();
  std::string pathText;
  if (os::GetEnv("PATH", pathText)) {
    std::string kept = SearchPathWithoutRelativeEntries(pathText, rules);
    if (kept.empty()) kept = FolderOf(program);
    settings.push_back({"PATH", kept});
  }
  std::string server;
  if (args != nullptr && args[0] != nullptr && IsCvs(args[0]) &&
      !os::GetEnv("CVS_SERVER", server) && IsForkRoot(RootCvsTakes(args)))
    settings.push_back({"CVS_SERVER", program});
  // Without a terminal, ssh would ask through a window of its askpass
  // program instead: nothing asks for the user's password unasked.
  if (!os::ChildTerminalAllowed()) settings.push_back({"SSH_ASKPASS_REQUIRE", "never"});
#ifdef _WIN32
  settings.push_back({"NoDefaultCurrentDirectoryInExePath", "1"});
#endif
  return settings;
}
