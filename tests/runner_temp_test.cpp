// Temporary names: the folder chosen, the serial numbers, the reservation.
#include <sys/stat.h>

#include <string>
#include <vector>

#include "os/os.hpp"
#include "runner/temp_file.hpp"
#include "test_support.hpp"

namespace {

using testsupport::Exists;

long SerialOf(const std::string &name) {
  size_t digits = name.find_last_not_of("0123456789") + 1;
  return std::stol(name.substr(digits));
}

class TempFileNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char *name : {"TMPDIR", "TMP", "TEMP", "HOME", "QUILLET_FALLBACK"}) env.Unset(name);
  }
  testsupport::TempDir dir;
  testsupport::ScopedEnv env;
};

TEST_F(TempFileNameTest, TwoCallsGiveIncreasingSerialsAndReserveTheFiles) {
  env.Set("TMPDIR", dir.Path());
  std::string first = TempFileName("HOME");
  std::string second = TempFileName("HOME");
  ASSERT_EQ(first.rfind(dir / "quillet", 0), 0u) << first;
  ASSERT_EQ(second.rfind(dir / "quillet", 0), 0u) << second;
  EXPECT_GT(SerialOf(second), SerialOf(first));
  EXPECT_GE(SerialOf(first), 2);
  // Each name is held by an empty file only its owner may read.
  for (const std::string &name : {first, second}) {
    struct stat info;
    ASSERT_EQ(stat(name.c_str(), &info), 0) << name;
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(os::RemoveFile(name));
  }
  EXPECT_TRUE(testsupport::ListDir(dir.Path()).empty());
}

TEST_F(TempFileNameTest, NamesTakenByOthersAreSkippedAndKept) {
  env.Set("TMPDIR", dir.Path());
  std::string probe = TempFileName(nullptr);
  ASSERT_FALSE(probe.empty());
  long next = SerialOf(probe) + 1;
  std::string taken1 = dir / ("quillet" + std::to_string(next));
  std::string taken2 = dir / ("quillet" + std::to_string(next + 1));
  testsupport::WriteFile(taken1, "someone else's");
  testsupport::MakeDirs(taken2);
  std::string name = TempFileName(nullptr);
  EXPECT_EQ(SerialOf(name), next + 2);
  EXPECT_EQ(testsupport::ReadFile(taken1), "someone else's");
  os::RemoveFile(probe);
  os::RemoveFile(name);
}

TEST_F(TempFileNameTest, TheFolderComesFromTmpdirTmpThenTmpAndOnlyThenTheFallback) {
  testsupport::MakeDirs(dir / "tmpdir");
  testsupport::MakeDirs(dir / "tmp");
  testsupport::MakeDirs(dir / "home");
  auto folderOf = [](const std::string &name) {
    EXPECT_TRUE(os::RemoveFile(name)) << name;
    return name.substr(0, name.find_last_of('/'));
  };
  // HOME, a folder the user may be browsing, comes after the system's.
  env.Set("HOME", dir / "home");
  EXPECT_EQ(folderOf(TempFileName("HOME")), "/tmp");
  env.Set("TMP", dir / "tmp");
  EXPECT_EQ(folderOf(TempFileName("HOME")), dir / "tmp");
  env.Set("TMPDIR", dir / "tmpdir");
  EXPECT_EQ(folderOf(TempFileName("HOME")), dir / "tmpdir");
  // Values that name no folder are passed over.
  env.Set("TMPDIR", dir / "missing");
  testsupport::WriteFile(dir / "a-file", "");
  env.Set("TMP", dir / "a-file");
  EXPECT_EQ(folderOf(TempFileName("HOME")), "/tmp");
  EXPECT_TRUE(testsupport::ListDir(dir / "home").empty());
  // A trailing separator is not doubled.
  env.Set("TMPDIR", dir / "tmpdir/");
  std::string name = TempFileName("HOME");
  EXPECT_EQ(name.rfind(dir / "tmpdir/quillet", 0), 0u) << name;
  os::RemoveFile(name);
}

TEST_F(TempFileNameTest, WindowsRulesTryTmpThenTmpWithoutQuotes) {
  env.Set("TMP", "\"C:\\Temp Files\"");
  env.Set("TMPDIR", "/ignored/on/windows");
  env.Set("QUILLET_FALLBACK", "C:\\Home");
  EXPECT_EQ(
      TempDirectoryCandidates("QUILLET_FALLBACK", true),
      (std::vector<std::string>{"\"C:\\Temp Files\"", "C:\\Temp Files", "C:\\Home", "\\", "."}));
  env.Set("TMP", "C:\\Temp");
  env.Unset("QUILLET_FALLBACK");
  EXPECT_EQ(TempDirectoryCandidates("QUILLET_FALLBACK", true),
            (std::vector<std::string>{"C:\\Temp", "\\", "."}));
  EXPECT_EQ(TempDirectoryCandidates(nullptr, false),
            (std::vector<std::string>{"/ignored/on/windows", "C:\\Temp", "/tmp", "."}));
  env.Set("QUILLET_FALLBACK", "/home/someone");
  EXPECT_EQ(TempDirectoryCandidates("QUILLET_FALLBACK", false),
            (std::vector<std::string>{"/ignored/on/windows", "C:\\Temp", "/tmp", "/home/someone", "."}));
}

TEST_F(TempFileNameTest, AFolderPathTooLongGivesNoNameThereAndCreatesNothing) {
  // 260 leaves room for a folder of 241 characters: 241 + "quillet" + 12.
  std::string base = dir.Path() + "/";
  auto folderOfLength = [&](size_t length) {
    std::string path = base;
    while (path.size() < length) {
      size_t part = std::min<size_t>(100, length - path.size());
      path += std::string(part, 'd');
      if (path.size() < length) path += '/';
    }
    testsupport::MakeDirs(path);
    return path;
  };
  std::string fits = folderOfLength(241);
  ASSERT_EQ(fits.size(), 241u);
  env.Set("TMPDIR", fits);
  std::string name = TempFileName(nullptr);
  ASSERT_FALSE(name.empty());
  EXPECT_TRUE(os::RemoveFile(name));

  std::string tooLong = folderOfLength(242);
  ASSERT_EQ(tooLong.size(), 242u);
  env.Set("TMPDIR", tooLong);
  name = TempFileName(nullptr);
  EXPECT_EQ(name.rfind("/tmp/quillet", 0), 0u) << name;
  os::RemoveFile(name);
  EXPECT_TRUE(testsupport::ListDir(tooLong).empty());
}

}  // namespace
