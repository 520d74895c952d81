// The POSIX OS layer beneath the runner: directory listing, exclusive
// creation, and waiting for a process or an event.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "os/os.hpp"
#include "test_support.hpp"

namespace {

TEST(ListDirectory, EntriesCarryHostAttributesSizesAndTimes) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "plain.c", "12345");
  testsupport::WriteFile(dir / ".hidden", "");
  testsupport::WriteFile(dir / "locked.txt", "x");
  chmod((dir / "locked.txt").c_str(), 0444);
  testsupport::MakeDirs(dir / "CVS");
  // 2000-01-01 00:00:00 UTC and half a second.
  struct timespec times[2] = {{946684800, 500000000}, {946684800, 500000000}};
  ASSERT_EQ(utimensat(AT_FDCWD, (dir / "plain.c").c_str(), times, 0), 0);

  std::vector<os::DirectoryEntry> entries;
  ASSERT_TRUE(os::ListDirectory(dir.Path(), entries));
  std::map<std::string, os::DirectoryEntry> byName;
  for (const os::DirectoryEntry &entry : entries) byName[entry.Name] = entry;
  ASSERT_EQ(byName.count("plain.c"), 1u);
  ASSERT_EQ(byName.count(".hidden"), 1u);
  ASSERT_EQ(byName.count("locked.txt"), 1u);
  ASSERT_EQ(byName.count("CVS"), 1u);
  ASSERT_EQ(byName.count(".."), 1u);

  const os::DirectoryEntry &plain = byName["plain.c"];
  EXPECT_EQ(plain.Attributes &
                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            0u);
  EXPECT_EQ(plain.Size, 5u);
  EXPECT_EQ(plain.Size >> 32, 0u);
  // 100-ns intervals since 1601-01-01 UTC.
  EXPECT_EQ(plain.LastWriteTime, (946684800ULL + 11644473600ULL) * 10000000ULL + 5000000ULL);
  EXPECT_TRUE(byName[".hidden"].Attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(byName["locked.txt"].Attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(byName["CVS"].Attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(byName["CVS"].Attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(byName[".."].Attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(byName[".."].Attributes & FILE_ATTRIBUTE_HIDDEN);

  std::vector<os::DirectoryEntry> none;
  EXPECT_FALSE(os::ListDirectory(dir / "missing", none));
}

TEST(ListDirectory, LinksAndTheCountThatSizesTheListing) {
  testsupport::TempDir dir;
  testsupport::MakeDirs(dir / "folder");
  testsupport::WriteFile(dir / "file", "123");
  ASSERT_EQ(symlink("folder", (dir / "to-folder").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (dir / "dangling").c_str()), 0);
  std::map<std::string, os::DirectoryEntry> byName;
  ASSERT_TRUE(os::EachDirectoryEntry(
      dir.Path(), [&byName](const os::DirectoryEntry &entry) { byName[entry.Name] = entry; }));
  // A link is what it points to; a dangling link is listed as itself.
  ASSERT_EQ(byName.count("to-folder"), 1u);
  EXPECT_TRUE(byName["to-folder"].Attributes & FILE_ATTRIBUTE_DIRECTORY);
  ASSERT_EQ(byName.count("dangling"), 1u);
  EXPECT_FALSE(byName["dangling"].Attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(byName["file"].Size, 3u);
  size_t count = 0;
  ASSERT_TRUE(os::CountDirectoryEntries(dir.Path(), count));
  EXPECT_EQ(count, byName.size());  // ".", ".." and the four entries
  EXPECT_FALSE(os::CountDirectoryEntries(dir / "missing", count));
}

class ProcessTest : public ::testing::Test {
 protected:
  os::Process *Start(const std::vector<std::string> &steps) {
    program = testsupport::ProgramPath("runner_child");
    std::vector<const char *> argv{program.c_str()};
    for (const std::string &step : steps) argv.push_back(step.c_str());
    argv.push_back(nullptr);
    os::StartFailure failure;
    os::Process *process = os::StartProcess(program, argv.data(), nullptr, failure);
    EXPECT_NE(process, nullptr) << failure.Said;
    EXPECT_FALSE(failure.NotFound);
    return process;
  }
  std::string program;
};

TEST_F(ProcessTest, TheEventEndsTheWaitAndIsConsumed) {
  os::Process *process = Start({"sleep:600000"});
  ASSERT_NE(process, nullptr);
  os::Event *event = os::NewEvent();
  ASSERT_NE(event, nullptr);
  os::SignalEvent(event);
  os::SignalEvent(event);
  EXPECT_EQ(os::WaitProcessOrEvent(process, event), os::WaitResult::EventSignalled);
  // Auto-reset: the next wait sees the process, here ended by termination.
  os::TerminateProcess(process, -168);
  EXPECT_EQ(os::WaitProcessOrEvent(process, event), os::WaitResult::ProcessEnded);
  EXPECT_EQ(os::ProcessExitCode(process), -168);
  os::FreeProcess(process);
  os::FreeEvent(event);
}

TEST_F(ProcessTest, AProcessThatEndedByItselfKeepsItsCode) {
  os::Process *process = Start({"exit:7"});
  ASSERT_NE(process, nullptr);
  os::Event *event = os::NewEvent();
  EXPECT_EQ(os::WaitProcessOrEvent(process, event), os::WaitResult::ProcessEnded);
  // Terminating what has already ended does not change its code.
  os::TerminateProcess(process, -168);
  EXPECT_EQ(os::ProcessExitCode(process), 7);
  EXPECT_EQ(os::ProcessExitCode(process), 7);
  os::FreeProcess(process);
  os::FreeEvent(event);
}

}  // namespace
