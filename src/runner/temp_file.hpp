// A temporary file that removes itself: whoever takes a name holds it in
// one of these, and the file is gone when the holder is, on every path out
// of the command.
#ifndef QUILLET_TEMP_FILE_HPP
#define QUILLET_TEMP_FILE_HPP

#include <string>

class TempFile {
 public:
  TempFile() = default;
  // Takes over the file at `path` (a name TempFileName reserved).
  explicit TempFile(std::string path) : path_(std::move(path)) {}
  // The same, in a private folder of its own that goes with it.
  TempFile(std::string path, std::string folder)
      : path_(std::move(path)), folder_(std::move(folder)) {}
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

  const std::string &Path() const { return path_; }
  const char *c_str() const { return path_.c_str(); }
  bool empty() const { return path_.empty(); }

 private:
  void Remove();
  std::string path_;
  std::string folder_;
};

#endif
