// Temporary names on Windows: TMP, TMP without its quotes, the caller's
// fallback (TEMP or HOME), the root of the current drive; backslashes;
// serial numbers and the reservation of each name.
#include <string>

#include "os/os.hpp"
#include "runner/temp_file.hpp"
#include "win_support.hpp"

namespace {

long SerialOf(const std::string &name) {
  size_t digits = name.find_last_not_of("0123456789") + 1;
  return std::stol(name.substr(digits));
}

std::string FolderOf(const std::string &name) {
  EXPECT_TRUE(os::RemoveFile(name)) << name;
  return name.substr(0, name.find_last_of('\\'));
}

class WindowsTempFileName : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char *name : {"TMP", "TEMP", "HOME"}) env.Unset(name);
  }
  wintest::TempDir dir;
  wintest::ScopedEnv env;
};

TEST_F(WindowsTempFileName, TmpThenTmpWithoutQuotesThenTheCallersFallback) {
  wintest::MakeDirs(dir / "tmp");
  wintest::MakeDirs(dir / "temp");
  wintest::MakeDirs(dir / "home");
  wintest::MakeDirs(dir / "with blank");
  env.Set("TEMP", dir / "temp");
  env.Set("HOME", dir / "home");
  // Each caller's own fallback while TMP is unset.
  EXPECT_EQ(FolderOf(TempFileName("TEMP")), dir / "temp");
  EXPECT_EQ(FolderOf(TempFileName("HOME")), dir / "home");
  // TMP wins for every caller.
  env.Set("TMP", dir / "tmp");
  EXPECT_EQ(FolderOf(TempFileName("TEMP")), dir / "tmp");
  EXPECT_EQ(FolderOf(TempFileName("HOME")), dir / "tmp");
  // A quoted TMP names its folder without the quotes.
  env.Set("TMP", "\"" + dir / "with blank" + "\"");
  EXPECT_EQ(FolderOf(TempFileName("HOME")), dir / "with blank");
  // A TMP that names no folder is passed over.
  env.Set("TMP", dir / "missing");
  EXPECT_EQ(FolderOf(TempFileName("HOME")), dir / "home");
  wintest::WriteFile(dir / "a-file", "");
  env.Set("TMP", dir / "a-file");
  EXPECT_EQ(FolderOf(TempFileName("TEMP")), dir / "temp");
  // A trailing backslash is not doubled.
  env.Set("TMP", dir / "tmp\\");
  std::string name = TempFileName("HOME");
  EXPECT_EQ(name.rfind(dir / "tmp\\quillet", 0), 0u) << name;
  os::RemoveFile(name);
}

TEST_F(WindowsTempFileName, WithNothingSetTheRootOfTheCurrentDrive) {
  wintest::ScopedCwd cwd(dir.Path());
  std::string name = TempFileName("HOME");
  ASSERT_EQ(name.rfind("\\quillet", 0), 0u) << name;
  // "\quillet<N>" is on the drive of the current folder.
  EXPECT_TRUE(wintest::Exists(dir.Path().substr(0, 2) + name));
  EXPECT_TRUE(os::RemoveFile(name));
}

TEST_F(WindowsTempFileName, SerialsIncreaseAndNamesTakenByOthersAreKept) {
  env.Set("TMP", dir.Path());
  std::string first = TempFileName("HOME");
  std::string second = TempFileName("HOME");
  ASSERT_EQ(first.rfind(dir / "quillet", 0), 0u) << first;
  EXPECT_GT(SerialOf(second), SerialOf(first));
  EXPECT_GE(SerialOf(first), 2);
  // Each name is held by an empty file.
  EXPECT_EQ(wintest::ReadFile(first), "");
  EXPECT_TRUE(wintest::Exists(second));

  long next = SerialOf(second) + 1;
  std::string taken1 = dir / ("quillet" + std::to_string(next));
  std::string taken2 = dir / ("quillet" + std::to_string(next + 1));
  wintest::WriteFile(taken1, "someone else's");
  wintest::MakeDirs(taken2);
  std::string third = TempFileName("HOME");
  EXPECT_EQ(SerialOf(third), next + 2);
  EXPECT_EQ(wintest::ReadFile(taken1), "someone else's");
  for (const std::string &name : {first, second, third}) EXPECT_TRUE(os::RemoveFile(name));
}

TEST_F(WindowsTempFileName, AFolderPathTooLongIsPassedOverForTheNext) {
  // 260 leaves room for a folder of 241 characters: 241 + "quillet" + 12.
  std::string fits = dir.Path() + "\\";
  fits += std::string(241 - fits.size(), 'd');
  wintest::MakeDirs(fits);
  env.Set("TMP", fits);
  std::string name = TempFileName("HOME");
  ASSERT_FALSE(name.empty());
  EXPECT_TRUE(os::RemoveFile(name));
  std::string tooLong = fits + "\\" + std::string(1, 'e');
  ASSERT_GT(tooLong.size(), 241u);
  wintest::MakeDirs(tooLong);
  env.Set("TMP", tooLong);
  // The next folder that can hold the name takes it (here the drive's root).
  std::string next = TempFileName("HOME");
  ASSERT_FALSE(next.empty());
  EXPECT_NE(next.compare(0, tooLong.size(), tooLong), 0) << next;
  EXPECT_TRUE(os::RemoveFile(next));
  EXPECT_TRUE(wintest::ListDir(tooLong).empty());
}

}  // namespace
