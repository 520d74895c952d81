// A temporary file that removes itself: whoever takes a name holds it in
// one of these, and the file is gone when the holder is, on every path out
// of the command.  While it is held, the file is opened (OpenTempFile) only
// while it is still the file the module made.
#ifndef QUILLET_TEMP_FILE_HPP
#define QUILLET_TEMP_FILE_HPP

#include <string>
#include <vector>

#include "os/owners.hpp"

class TempFile {
 public:
  TempFile() = default;
  // Takes over the file at `path` (a name TempFileName reserved).
  explicit TempFile(std::string path) : path_(std::move(path)) { Hold(); }
  // The same, in a private folder of its own that goes with it.
  TempFile(std::string path, std::string folder)
      : path_(std::move(path)), folder_(std::move(folder)) {
    Hold();
  }
  ~TempFile() { Remove(); }
  TempFile(TempFile &&other) noexcept
      : path_(std::move(other.path_)), folder_(std::move(other.folder_)) {
    other.path_.clear();
    other.folder_.clear();
  }
  TempFile &operator=(TempFile &&other) noexcept {
    if (this != &other) {
      Remove();
      path_ = std::move(other.path_);
      folder_ = std::move(other.folder_);
      other.path_.clear();
      other.folder_.clear();
    }
    return *this;
  }
  TempFile(const TempFile &) = delete;
  TempFile &operator=(const TempFile &) = delete;

  // A fresh temporary file, in a new folder of the module's own (mode 0700)
  // in the first of TempDirectoryCandidates that takes one; empty when none can be made,
  // with one line per folder tried in `whyNone` when it is given.
  static TempFile Take(const char *fallbackVariable, std::string *whyNone = nullptr);

  // A program the file was lent to (an editor that saves a file whole by
  // putting a new one at its name) has written it anew: what stands at the
  // name now is the file held.
  void HoldAsItIsNow() { Hold(); }

  const std::string &Path() const { return path_; }
  const char *c_str() const { return path_.c_str(); }
  bool empty() const { return path_.empty(); }

 private:
  // Keeps what the file is now, for OpenTempFile; Remove forgets it.
  void Hold();
  void Remove();
  std::string path_;
  std::string folder_;
};

// Opens the file at `path` for reading ("r") or writing afresh ("w", with
// "b" or "t" after it).  A temporary file the module holds opens only while
// it is still the file the module made: a link, another file put at its
// name, or its folder swapped on the way, and it does not open at all
// (null).  Any other path opens as fopen would (for writing as
// os::OpenOutputFile).
os::OwnedFile OpenTempFile(const std::string &path, const char *mode);

// A fresh, reserved temporary path "<dir><sep>quillet<N>", or "" when none.
// `fallbackVariable` names the environment variable used when TMP is unusable.
// Each candidate folder that is missing, too long for a name, cannot be
// written or has no free name is passed over for the next; when none gives
// a name, `whyNone` (when given) receives one line per folder tried.
std::string TempFileName(const char *fallbackVariable, std::string *whyNone = nullptr);
// The serial number the next name tries; it wraps from 99999999 to 2.
void SetTempSerial(unsigned long serial);
// The folders TempFileName tries, best first: on Windows TMP, TMP without
// its double quotes, the fallback, "\\", "."; elsewhere TMPDIR, TMP, "/tmp",
// the fallback, ".": the fallback is HOME for most callers, a folder the
// user may be browsing, so it is taken only when the system's temporary
// folder gives no name.  Unset variables are left out.
std::vector<std::string> TempDirectoryCandidates(const char *fallbackVariable, bool windowsRules);

#endif
