// Scratch folders, environment, the current folder and whole files for the
// tests, the same on Linux and on Windows (paths joined with the
// platform's separator).
#ifndef QUILLET_SCRATCH_FILES_HPP
#define QUILLET_SCRATCH_FILES_HPP

#include <map>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under QUILLET_TEST_TMP, else the system's temporary folder
// (/tmp; on Windows the one GetTempPath names), removed with everything in
// it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;
  const std::string &Path() const { return path_; }
  std::string operator/(const std::string &name) const;

 private:
  std::string path_;
};

// Sets or unsets environment variables and restores them on destruction.
class ScopedEnv {
 public:
  ~ScopedEnv();
  void Set(const std::string &name, const std::string &value);
  void Unset(const std::string &name);

 private:
  void Remember(const std::string &name);
  std::map<std::string, std::pair<bool, std::string>> saved_;
};

// Keeps the process's current folder and restores it on destruction.
class ScopedCwd {
 public:
  ScopedCwd();
  explicit ScopedCwd(const std::string &dir);
  ~ScopedCwd();

 private:
  std::string saved_;
};

std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &content);
bool Exists(const std::string &path);
// Creates the folder and every folder above it that is missing.
void MakeDirs(const std::string &path);
// Names in a folder (without "." and ".."), sorted.
std::vector<std::string> ListDir(const std::string &dir);
// The lines of a file, without their line ends ("\n" or "\r\n").
std::vector<std::string> ReadLines(const std::string &path);

}  // namespace testsupport

#endif
