// Helpers of the Windows tests.
#include "win_support.hpp"

#include <io.h>
#include <stdio.h>

#include <algorithm>

#include "host/host.hpp"

namespace wintest {

std::string ProgramPath(const std::string &name) {
  return std::string(QUILLET_PROGRAM_DIR) + "\\" + name + ".exe";
}

std::string TestsSourceDir() { return QUILLET_TESTS_DIR; }

void CopyInto(const std::string &from, const std::string &to) {
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
    ADD_FAILURE() << "cannot copy " << from << " to " << to << " (" << GetLastError() << ")";
  }
}

void CopyTree(const std::string &from, const std::string &to) {
  MakeDirs(to);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot list " << from;
    return;
  }
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyInto(from + "\\" + name, to + "\\" + name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

bool WaitForFile(const std::string &path, int ms) {
  for (int waited = 0;; waited += 50) {
    if (!ReadFile(path).empty()) return true;
    if (waited >= ms) return false;
    Sleep(50);
  }
}

DWORD ReadPid(const std::string &path) {
  return static_cast<DWORD>(strtoul(ReadFile(path).c_str(), nullptr, 10));
}

bool ProcessGone(DWORD pid, int ms) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (process == nullptr) return true;
  bool gone = WaitForSingleObject(process, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
  if (!gone) TerminateProcess(process, 1);  // leave nothing behind
  CloseHandle(process);
  return gone;
}

std::vector<std::string> ExportedNames(HMODULE module) {
  std::vector<std::string> names;
  const unsigned char *base = reinterpret_cast<const unsigned char *>(module);
  const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  if (module == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) return names;
  const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &table =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (table.VirtualAddress == 0) return names;
  const IMAGE_EXPORT_DIRECTORY *exports =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + table.VirtualAddress);
  const DWORD *nameOffsets = reinterpret_cast<const DWORD *>(base + exports->AddressOfNames);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    names.push_back(reinterpret_cast<const char *>(base + nameOffsets[i]));
  }
  std::sort(names.begin(), names.end());
  return names;
}

StreamState CurrentStreams() {
  StreamState state;
  state.StdOut = GetStdHandle(STD_OUTPUT_HANDLE);
  state.StdErr = GetStdHandle(STD_ERROR_HANDLE);
  state.Fd1 = reinterpret_cast<HANDLE>(_get_osfhandle(1));
  state.Fd2 = reinterpret_cast<HANDLE>(_get_osfhandle(2));
  return state;
}

::std::ostream &operator<<(::std::ostream &out, const StreamState &state) {
  return out << "{stdout " << state.StdOut << ", stderr " << state.StdErr << ", fd1 " << state.Fd1
             << ", fd2 " << state.Fd2 << "}";
}

void HostTest::SetUp() {
  host.Reset();
  if (host.Language.empty()) {
    ASSERT_TRUE(host.LoadLanguage(TestsSourceDir() + "\\..\\lang\\quillet_en.lng"));
  }
  info = host.StartupInfo();
  BindHost(&info);
}

void HostTest::TearDown() {
  EXPECT_EQ(host.LateDialogMessages, 0);
  PluginStartupInfo none{};
  BindHost(&none);
  host.Reset();
}

}  // namespace wintest
