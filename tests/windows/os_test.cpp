// The Win32 operating-system layer on its own: environment, files, the
// listing from FindFirstFileA, events and threads, and processes with
// their output, exit codes, termination of the whole job, and the program
// that cannot start.
#include <io.h>

#include <map>
#include <string>
#include <vector>

#include "os/os.hpp"
#include "runner/start_program.hpp"
#include "win_support.hpp"

namespace {

using wintest::ProgramPath;
using wintest::ReadFile;
using wintest::TempDir;

TEST(WindowsFiles, EnvironmentAndFileQueries) {
  wintest::ScopedEnv env;
  std::string value = "unchanged";
  env.Unset("QUILLET_PROBE");
  EXPECT_FALSE(os::GetEnv("QUILLET_PROBE", value));
  EXPECT_EQ(value, "unchanged");
  env.Set("QUILLET_PROBE", std::string(5000, 'v'));  // longer than MAX_PATH
  ASSERT_TRUE(os::GetEnv("QUILLET_PROBE", value));
  EXPECT_EQ(value, std::string(5000, 'v'));
  EXPECT_FALSE(os::GetEnv(nullptr, value));

  TempDir dir;
  wintest::WriteFile(dir / "file.txt", "x");
  wintest::MakeDirs(dir / "sub");
  EXPECT_TRUE(os::PathExists(dir / "file.txt"));
  EXPECT_TRUE(os::IsRegularFile(dir / "file.txt"));
  EXPECT_FALSE(os::IsDirectory(dir / "file.txt"));
  EXPECT_TRUE(os::IsDirectory(dir / "sub"));
  EXPECT_FALSE(os::IsRegularFile(dir / "sub"));
  // Any regular file may be run: Windows decides by its contents.
  EXPECT_TRUE(os::IsExecutableFile(dir / "file.txt"));
  EXPECT_FALSE(os::IsExecutableFile(dir / "sub"));
  EXPECT_FALSE(os::PathExists(dir / "missing"));
  EXPECT_FALSE(os::PathExists(""));

  wintest::ScopedCwd cwd(dir.Path());
  ASSERT_TRUE(os::ChangeDir(dir / "sub"));
  EXPECT_EQ(os::CurrentDir(), dir / "sub");
  EXPECT_FALSE(os::ChangeDir(dir / "missing"));
  EXPECT_EQ(os::CurrentDir(), dir / "sub");

  EXPECT_TRUE(os::RemoveFile(dir / "file.txt"));
  EXPECT_FALSE(os::PathExists(dir / "file.txt"));
  EXPECT_FALSE(os::RemoveFile(dir / "file.txt"));
}

TEST(WindowsFiles, ExclusiveCreationAndTheOutputFile) {
  TempDir dir;
  std::string name = dir / "reserved";
  EXPECT_EQ(os::CreateExclusive(name), os::CreateResult::Created);
  EXPECT_EQ(os::CreateExclusive(name), os::CreateResult::Exists);
  wintest::MakeDirs(dir / "folder");
  EXPECT_EQ(os::CreateExclusive(dir / "folder"), os::CreateResult::Exists);
  EXPECT_EQ(os::CreateExclusive(dir / "missing\\x"), os::CreateResult::Failed);

  // The output file truncates what was there, writes text with Windows
  // line ends, and its handle is not handed to every child.
  wintest::WriteFile(name, "old content that must go");
  FILE *output = os::OpenOutputFile(name);
  ASSERT_NE(output, nullptr);
  DWORD flags = 0;
  ASSERT_TRUE(
      GetHandleInformation(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(output))), &flags));
  EXPECT_EQ(flags & HANDLE_FLAG_INHERIT, 0u);
  fputs("one\ntwo\n", output);
  fclose(output);
  EXPECT_EQ(ReadFile(name), "one\r\ntwo\r\n");
  EXPECT_EQ(os::OpenOutputFile(dir / "missing\\out"), nullptr);
}

TEST(WindowsListing, FindDataCarriesAttributesSizesAndTimes) {
  TempDir dir;
  wintest::WriteFile(dir / "plain.c", "12345");
  wintest::WriteFile(dir / "hidden.txt", "");
  wintest::WriteFile(dir / "locked.txt", "x");
  wintest::WriteFile(dir / "two words.c", "");
  wintest::MakeDirs(dir / "CVS");
  SetFileAttributesA((dir / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((dir / "locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  // 2000-01-01 00:00:00.5 UTC.
  const unsigned long long kStamp = (946684800ULL + 11644473600ULL) * 10000000ULL + 5000000ULL;
  FILETIME stamp;
  stamp.dwLowDateTime = static_cast<DWORD>(kStamp & 0xFFFFFFFFu);
  stamp.dwHighDateTime = static_cast<DWORD>(kStamp >> 32);
  HANDLE file = CreateFileA((dir / "plain.c").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &stamp));
  CloseHandle(file);

  std::vector<os::DirectoryEntry> entries;
  ASSERT_TRUE(os::ListDirectory(dir.Path(), entries));
  std::map<std::string, os::DirectoryEntry> byName;
  for (const os::DirectoryEntry &entry : entries) byName[entry.Name] = entry;
  for (const char *name : {"plain.c", "hidden.txt", "locked.txt", "two words.c", "CVS"}) {
    EXPECT_EQ(byName.count(name), 1u) << name;
  }
  const os::DirectoryEntry &plain = byName["plain.c"];
  EXPECT_EQ(plain.Size, 5u);
  EXPECT_EQ(plain.Size >> 32, 0u);
  EXPECT_EQ(plain.LastWriteTime, kStamp);
  EXPECT_EQ(plain.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_TRUE(byName["hidden.txt"].Attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(byName["locked.txt"].Attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(byName["CVS"].Attributes & FILE_ATTRIBUTE_DIRECTORY);

  // One entry at a time: the same records; and the count that sizes the
  // listing.
  std::map<std::string, os::DirectoryEntry> each;
  ASSERT_TRUE(os::EachDirectoryEntry(
      dir.Path(), [&](const os::DirectoryEntry &entry) { each[entry.Name] = entry; }));
  ASSERT_EQ(each.size(), byName.size());
  EXPECT_EQ(each["plain.c"].LastWriteTime, kStamp);
  EXPECT_EQ(each["plain.c"].Size, 5u);
  EXPECT_EQ(each["hidden.txt"].Attributes, byName["hidden.txt"].Attributes);
  size_t count = 0;
  ASSERT_TRUE(os::CountDirectoryEntries(dir.Path(), count));
  EXPECT_EQ(count, entries.size());
  EXPECT_FALSE(os::CountDirectoryEntries(dir / "missing", count));
  EXPECT_FALSE(os::EachDirectoryEntry(dir / "missing", [](const os::DirectoryEntry &) {}));
  SetFileAttributesA((dir / "locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

  // A trailing backslash is not doubled; an empty folder lists at most
  // its dots; a missing folder is a failure.
  std::vector<os::DirectoryEntry> again;
  ASSERT_TRUE(os::ListDirectory(dir.Path() + "\\", again));
  EXPECT_EQ(again.size(), entries.size());
  wintest::MakeDirs(dir / "empty");
  std::vector<os::DirectoryEntry> empty;
  ASSERT_TRUE(os::ListDirectory(dir / "empty", empty));
  for (const os::DirectoryEntry &entry : empty) {
    EXPECT_TRUE(entry.Name == "." || entry.Name == "..");
  }
  std::vector<os::DirectoryEntry> none;
  EXPECT_FALSE(os::ListDirectory(dir / "missing", none));
  EXPECT_TRUE(none.empty());
}

// A thread that signals an event; the main thread waits on it through a
// process wait that the event ends.
void SignalFromThread(void *raw) { os::SignalEvent(static_cast<os::Event *>(raw)); }

class WindowsProcess : public ::testing::Test {
 protected:
  os::Process *Start(const std::vector<std::string> &steps, FILE *output = nullptr) {
    program = ProgramPath("runner_child");
    std::vector<const char *> argv{program.c_str()};
    for (const std::string &step : steps) argv.push_back(step.c_str());
    argv.push_back(nullptr);
    os::StartFailure failure;
    os::Process *process = os::StartProcess(program, argv.data(), output, failure);
    EXPECT_NE(process, nullptr) << failure.Said;
    EXPECT_FALSE(failure.NotFound);
    return process;
  }
  std::string program;
  TempDir dir;
};

TEST_F(WindowsProcess, BothStreamsGoIntoOneFileInOrder) {
  std::string path = dir / "out";
  FILE *output = os::OpenOutputFile(path);
  ASSERT_NE(output, nullptr);
  os::Process *process =
      Start({"out:one", "err:two", "out:three", "sleep:20", "err:four", "handles"}, output);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(os::WaitProcessOrEvent(process, nullptr), os::WaitResult::ProcessEnded);
  EXPECT_EQ(os::ProcessExitCode(process), 0);
  os::FreeProcess(process);
  fclose(output);
  // The child's descriptors 1 and 2 are its standard handles, both the
  // output file.
  EXPECT_EQ(ReadFile(path), "one\r\ntwo\r\nthree\r\nfour\r\nhandles: same\r\n");
}

TEST_F(WindowsProcess, TheProgramGetsTheEnvironmentWithTheSettingsApplied) {
  wintest::ScopedEnv env;
  env.Set("Path", "C:\\windows;.;bin");
  env.Set("QUILLET_KEPT", "kept");
  std::string path = dir / "out";
  FILE *output = os::OpenOutputFile(path);
  ASSERT_NE(output, nullptr);
  program = ProgramPath("runner_child");
  const char *argv[] = {program.c_str(), "env:PATH", "env:QUILLET_KEPT", "env:CVS_SERVER", nullptr};
  os::StartFailure failure;
  // The variable is one whatever the case of its name.
  os::Process *process = os::StartProcess(program, argv, output, failure,
                                          {{"PATH", "C:\\windows"}, {"CVS_SERVER", "C:\\cvs.exe"}});
  ASSERT_NE(process, nullptr) << failure.Said;
  EXPECT_EQ(os::WaitProcessOrEvent(process, nullptr), os::WaitResult::ProcessEnded);
  os::FreeProcess(process);
  fclose(output);
  EXPECT_EQ(ReadFile(path), "PATH=C:\\windows\r\nQUILLET_KEPT=kept\r\nCVS_SERVER=C:\\cvs.exe\r\n");
}

TEST_F(WindowsProcess, EventsThreadsAndExitCodes) {
  os::Process *process = Start({"sleep:600000"});
  ASSERT_NE(process, nullptr);
  os::Event *event = os::NewEvent();
  ASSERT_NE(event, nullptr);
  os::Thread *thread = os::StartThread(SignalFromThread, event);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(os::WaitProcessOrEvent(process, event), os::WaitResult::EventSignalled);
  os::JoinThread(thread);
  // A pause lets at least its time pass (the tick counter moves in steps
  // of up to 16 ms, so it may read a step short).
  ULONGLONG before = GetTickCount64();
  os::Pause(100);
  EXPECT_GE(GetTickCount64() - before, 100u - 16u);
  EXPECT_EQ(os::StartThread(nullptr, nullptr), nullptr);
  // The event resets itself: the next wait sees the process, here ended
  // by termination with the code given.
  os::TerminateProcess(process, -168);
  EXPECT_EQ(os::WaitProcessOrEvent(process, event), os::WaitResult::ProcessEnded);
  EXPECT_EQ(os::ProcessExitCode(process), -168);
  os::FreeProcess(process);

  process = Start({"exit:7"});
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(os::WaitProcessOrEvent(process, event), os::WaitResult::ProcessEnded);
  // Terminating what has ended by itself keeps its code.
  os::TerminateProcess(process, -168);
  EXPECT_EQ(os::ProcessExitCode(process), 7);
  os::FreeProcess(process);
  os::FreeEvent(event);
  EXPECT_EQ(os::WaitProcessOrEvent(nullptr, nullptr), os::WaitResult::Failed);
  EXPECT_EQ(os::ProcessExitCode(nullptr), -1);
}

TEST_F(WindowsProcess, TerminationEndsTheProcessAndEverythingItStarted) {
  std::string childPid = dir / "child.pid";
  std::string grandchildPid = dir / "grandchild.pid";
  os::Process *process =
      Start({"spawn:pid:" + grandchildPid + "+sleep:600000", "pid:" + childPid, "sleep:600000"});
  ASSERT_NE(process, nullptr);
  ASSERT_TRUE(wintest::WaitForFile(grandchildPid, 20000));
  ASSERT_TRUE(wintest::WaitForFile(childPid, 20000));
  DWORD grandchild = wintest::ReadPid(grandchildPid);
  ASSERT_NE(grandchild, 0u);
  EXPECT_FALSE(wintest::ProcessGone(grandchild, 0));

  os::TerminateProcess(process, -168);
  EXPECT_EQ(os::ProcessExitCode(process), -168);
  os::FreeProcess(process);
  EXPECT_TRUE(wintest::ProcessGone(wintest::ReadPid(childPid), 10000));
  EXPECT_TRUE(wintest::ProcessGone(grandchild, 10000));
}

// A process that ends by itself leaves what it started running: only a
// break ends the whole job, and closing the job ends nothing.
TEST_F(WindowsProcess, AnEndedProcessLeavesItsStartedProgramsRunning) {
  std::string grandchildPid = dir / "grandchild.pid";
  std::string mark = dir / "mark";
  os::Process *process =
      Start({"spawn:pid:" + grandchildPid + "+sleep:1500+pid:" + mark, "exit:0"});
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(os::ProcessExitCode(process), 0);
  os::FreeProcess(process);
  // The grandchild lives on and finishes its own steps.
  EXPECT_TRUE(wintest::WaitForFile(mark, 20000));
}

TEST_F(WindowsProcess, AProgramThatCannotStartSaysWhy) {
  os::StartFailure failure;
  const char *argv[] = {"missing", nullptr};
  EXPECT_EQ(os::StartProcess(dir / "missing.exe", argv, nullptr, failure), nullptr);
  EXPECT_TRUE(failure.NotFound);
  EXPECT_FALSE(StartFailureText(failure).empty());

  // A file that is no program: an error other than "not found".
  wintest::WriteFile(dir / "text.exe", "this is no program");
  EXPECT_EQ(os::StartProcess(dir / "text.exe", argv, nullptr, failure), nullptr);
  EXPECT_FALSE(failure.NotFound);
  EXPECT_FALSE(StartFailureText(failure).empty());

  const char *empty[] = {nullptr};
  EXPECT_EQ(os::StartProcess(ProgramPath("runner_child"), empty, nullptr, failure), nullptr);
  EXPECT_EQ(StartFailureText(failure), "no program to start");
}

}  // namespace
