// Fresh temporary file names, reserved by creating the file, and what the
// files held are, for opening them again.
#include "runner/temp_file.hpp"

#include <atomic>
#include <string>
#include <unordered_map>

#include "os/os.hpp"
#include "texts/messages.hpp"

namespace {

// The files the module holds, by path, as they were when taken: a run's
// output is read on a worker thread too, so the table is guarded.  A spin
// is enough: each hold is a look-up or an insertion.
std::unordered_map<std::string, os::FileIdentity> &HeldFiles() {
  static std::unordered_map<std::string, os::FileIdentity> held;
  return held;
}
std::atomic_flag HeldFilesBusy = ATOMIC_FLAG_INIT;

class HeldFilesLock {
 public:
  HeldFilesLock() {
    while (HeldFilesBusy.test_and_set(std::memory_order_acquire)) os::Pause(0);
  }
  ~HeldFilesLock() { HeldFilesBusy.clear(std::memory_order_release); }
  HeldFilesLock(const HeldFilesLock &) = delete;
  HeldFilesLock &operator=(const HeldFilesLock &) = delete;
};

#ifdef _WIN32
const bool kWindowsRules = true;
#else
const bool kWindowsRules = false;
#endif

const char kTempPrefix[] = "quillet";
const int kMaxTries = 32767;
const size_t kMaxPathLength = 260;
// The serial number wraps after eight digits, long before it could
// overflow, so a name never needs more room than the length check allows.
const unsigned long kFirstSerial = 2;
const unsigned long kLastSerial = 99999999;

// Process-wide: every name tried, in any call, takes the next number.
unsigned long NextSerial = kFirstSerial;

unsigned long TakeSerial() {
  unsigned long serial = NextSerial;
  NextSerial = serial >= kLastSerial ? kFirstSerial : serial + 1;
  return serial;
}

// A name in `dir`, or "" with the reason.
std::string NameIn(const std::string &dir, std::string &reason) {
  if (!os::IsDirectory(dir)) {
    reason = MessageText(MTempNoFolder);
    return std::string();
  }
  if (dir.size() + sizeof kTempPrefix - 1 + 12 > kMaxPathLength) {
    reason = MessageText(MTempPathTooLong);
    return std::string();
  }
  std::string base = dir;
  if (base.back() != '\\' && base.back() != '/') base += os::kSep;
  base += kTempPrefix;
  for (int tries = 0; tries < kMaxTries; ++tries) {
    std::string name = base + std::to_string(TakeSerial());
    // Creating the file exclusively reserves the name: nobody can take it
    // between this call and the caller's use.
    switch (os::CreateExclusive(name)) {
      case os::CreateResult::Created:
        return name;
      case os::CreateResult::Exists:
        continue;
      case os::CreateResult::Failed:
        reason = MessageText(MTempCannotCreate);
        return std::string();
    }
  }
  reason = MessageText(MTempNoFreeName);
  return std::string();
}

// One line of why no folder gave a name: the folder tried and its reason.
std::string TriedLine(const std::string &candidate, const std::string &reason) {
  const std::string shown = candidate.empty() ? std::string(MessageText(MTempEmptyName)) : candidate;
  return shown + ": " + reason + "\n";
}

}  // namespace

void SetTempSerial(unsigned long serial) {
  NextSerial = serial < kFirstSerial || serial > kLastSerial ? kFirstSerial : serial;
}

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
    candidates.push_back("/tmp");
  }
  if (fallbackVariable != nullptr && os::GetEnv(fallbackVariable, value)) {
    candidates.push_back(value);
  }
  if (windowsRules) candidates.push_back("\\");
  candidates.push_back(".");
  return candidates;
}

std::string TempFileName(const char *fallbackVariable, std::string *whyNone) {
  std::string tried;
  for (const std::string &candidate : TempDirectoryCandidates(fallbackVariable, kWindowsRules)) {
    // A folder that cannot give a name is passed over for the next one.
    std::string reason;
    std::string name = NameIn(candidate, reason);
    if (!name.empty()) return name;
    tried += TriedLine(candidate, reason);
  }
  if (whyNone != nullptr) *whyNone = tried;
  return std::string();
}

TempFile TempFile::Take(const char *fallbackVariable, std::string *whyNone) {
  // Each file lies in a new folder of the module's own, which nobody else
  // may enter: another user who can write the temporary folder cannot put
  // a link where the output goes, nor swap the file before it is read.
  std::string tried;
  for (const std::string &candidate : TempDirectoryCandidates(fallbackVariable, kWindowsRules)) {
    std::string reason, folder, name;
    if (!os::IsDirectory(candidate)) {
      reason = MessageText(MTempNoFolder);
    } else if (!os::MakePrivateFolder(candidate, "quillet.", folder)) {
      reason = MessageText(MTempCannotCreate);
    } else {
      name = NameIn(folder, reason);
      if (!name.empty()) return TempFile(name, folder);
      os::RemoveEmptyFolder(folder);
    }
    tried += TriedLine(candidate, reason);
  }
  if (whyNone != nullptr) *whyNone = tried;
  return TempFile();
}

void TempFile::Hold() {
  if (path_.empty()) return;
  const os::FileIdentity identity = os::IdentityOf(path_);
  HeldFilesLock lock;
  HeldFiles()[path_] = identity;
}

os::OwnedFile OpenTempFile(const std::string &path, const char *mode) {
  os::FileIdentity expected;
  {
    HeldFilesLock lock;
    auto held = HeldFiles().find(path);
    if (held != HeldFiles().end()) {
      expected = held->second;
      // Held, but no plain file when it was taken (swapped before that):
      // it opens nowhere.
      if (os::kKnowsFileIdentity && !expected.Known) return nullptr;
    }
  }
  return os::OwnedFile(os::OpenSameFile(path, mode, expected));
}

void TempFile::Remove() {
  if (!path_.empty()) {
    HeldFilesLock lock;
    HeldFiles().erase(path_);
  }
  if (!path_.empty()) os::RemoveFile(path_);
  if (!folder_.empty()) os::RemoveEmptyFolder(folder_);
  path_.clear();
  folder_.clear();
}
