// Fresh temporary file names, reserved by creating the file.
#include <string>

#include "os/os.hpp"
#include "runner/runner.hpp"

namespace {

const char kTempPrefix[] = "quillet";
const int kMaxTries = 32767;
const size_t kMaxPathLength = 260;

// Process-wide: every name tried, in any call, takes the next number.
int NextSerial = 2;

}  // namespace

std::vector<std::string> TempDirectoryCandidates(const char *fallbackVariable, bool windowsRules) {
  std::vector<std::string> candidates;
  std::string value;
  if (windowsRules) {
    if (os::GetEnv("TMP", value)) {
      candidates.push_back(value);
      std::string unquoted;
      for (char c : value) {
        if (c != '"') unquoted += c;
      }
      if (unquoted != value) candidates.push_back(unquoted);
    }
  } else {
    if (os::GetEnv("TMPDIR", value)) candidates.push_back(value);
    if (os::GetEnv("TMP", value)) candidates.push_back(value);
  }
  if (fallbackVariable != nullptr && os::GetEnv(fallbackVariable, value)) {
    candidates.push_back(value);
  }
  candidates.push_back(windowsRules ? "\\" : "/tmp");
  candidates.push_back(".");
  return candidates;
}

std::string TempFileName(const char *fallbackVariable) {
#ifdef _WIN32
  const bool windowsRules = true;
#else
  const bool windowsRules = false;
#endif
  std::string dir = ".";
  for (const std::string &candidate : TempDirectoryCandidates(fallbackVariable, windowsRules)) {
    if (os::IsDirectory(candidate)) {
      dir = candidate;
      break;
    }
  }
  if (dir.size() + sizeof kTempPrefix - 1 + 12 > kMaxPathLength) return std::string();
  std::string base = dir;
  if (base.back() != '\\' && base.back() != '/') base += os::kSep;
  base += kTempPrefix;
  for (int tries = 0; tries < kMaxTries; ++tries) {
    std::string name = base + std::to_string(NextSerial++);
    // Creating the file exclusively reserves the name: nobody can take it
    // between this call and the caller's use.
    if (os::CreateExclusive(name) == os::CreateResult::Created) return name;
  }
  return std::string();
}
