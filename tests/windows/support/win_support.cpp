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

// ---------------------------------------------------------------------------
// The test host's services.

TestHost *TestHost::Current = nullptr;

namespace {

// One open dialog: the module's DM_CLOSE signals `Closed` with its code.
struct OpenDialog {
  HANDLE Closed;
  LONG CloseCode;
  bool Open;
};

CRITICAL_SECTION *DialogLock() {
  static CRITICAL_SECTION lock;
  static bool ready = false;
  if (!ready) {
    InitializeCriticalSection(&lock);
    ready = true;
  }
  return &lock;
}

int FARAPI HostDialogEx(INT_PTR, int x1, int y1, int x2, int y2, const char *, FarDialogItem *items,
                        int count, DWORD, DWORD, FARWINDOWPROC proc, LONG_PTR param) {
  TestHost &host = *TestHost::Current;
  DialogRecord record;
  record.X1 = x1;
  record.Y1 = y1;
  record.X2 = x2;
  record.Y2 = y2;
  if (items != nullptr && count > 0) record.Items.assign(items, items + count);
  OpenDialog dialog;
  dialog.Closed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  dialog.CloseCode = 0;
  dialog.Open = true;
  HANDLE handle = &dialog;
  record.ProcMessages.push_back(DN_INITDIALOG);
  proc(handle, DN_INITDIALOG, 0, param);
  record.StreamsWhileOpen = CurrentStreams();

  int result;
  for (;;) {
    DWORD wait = static_cast<DWORD>(host.BreakAfterMs >= 0 ? host.BreakAfterMs : host.TimeoutMs);
    bool byModule = WaitForSingleObject(dialog.Closed, wait) == WAIT_OBJECT_0;
    result = byModule ? static_cast<int>(dialog.CloseCode)
                      : (host.BreakAfterMs >= 0 ? host.BreakItem : -1);
    // The dialog asks its procedure before it closes, whoever closes it.
    record.ProcMessages.push_back(DN_CLOSE);
    if (proc(handle, DN_CLOSE, result, 0)) break;
  }
  EnterCriticalSection(DialogLock());
  dialog.Open = false;
  LeaveCriticalSection(DialogLock());
  CloseHandle(dialog.Closed);
  record.Result = result;
  host.Dialogs.push_back(record);
  return result;
}

LONG_PTR FARAPI HostSendDlgMessage(HANDLE handle, int message, int param1, LONG_PTR) {
  OpenDialog *dialog = static_cast<OpenDialog *>(handle);
  EnterCriticalSection(DialogLock());
  LONG_PTR result = 0;
  if (!dialog->Open) {
    ++TestHost::Current->LateDialogMessages;
  } else if (message == DM_CLOSE) {
    dialog->CloseCode = param1;
    SetEvent(dialog->Closed);
    result = 1;
  }
  LeaveCriticalSection(DialogLock());
  return result;
}

LONG_PTR FARAPI HostDefDlgProc(HANDLE, int message, int, LONG_PTR) {
  return (message == DN_CLOSE || message == DN_INITDIALOG) ? 1 : 0;
}

int FARAPI HostMessage(INT_PTR, DWORD flags, const char *, const char *const *items, int count,
                       int) {
  std::vector<std::string> lines;
  if (flags & FMSG_ALLINONE) {
    std::string text = reinterpret_cast<const char *>(items);
    for (size_t start = 0, end; start <= text.size(); start = end + 1) {
      end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      lines.push_back(text.substr(start, end - start));
    }
  } else {
    for (int i = 0; i < count; ++i) lines.push_back(items[i] != nullptr ? items[i] : "");
  }
  TestHost::Current->Messages.push_back(lines);
  return TestHost::Current->MessageAnswer;
}

const char *FARAPI HostGetMsg(INT_PTR, int id) {
  static std::string texts[32];
  if (id < 0 || id >= 32) return "";
  texts[id] = "message " + std::to_string(id) + (id == MFailedExitCode ? " %d" : "");
  return texts[id].c_str();
}

int FARAPI HostEditor(const char *file, const char *title, int, int, int, int, DWORD, int, int) {
  TestHost::Current->EditorTexts.push_back(ReadFile(file));
  TestHost::Current->EditorTitles.push_back(title != nullptr ? title : "");
  return TestHost::Current->EditorResult;
}

int FARAPI HostControl(HANDLE, int command, void *param) {
  TestHost &host = *TestHost::Current;
  host.Calls.push_back("Control " + std::to_string(command));
  if (command == FCTL_GETPANELINFO) {
    *static_cast<PanelInfo *>(param) = host.Panel;
    return 1;
  }
  return 1;
}

INT_PTR FARAPI HostAdvControl(INT_PTR, int command, void *) {
  TestHost::Current->Calls.push_back("AdvControl " + std::to_string(command));
  return 0;
}

}  // namespace

void TestHost::Bind(PluginStartupInfo &info) {
  DialogLock();  // made before any watcher thread can ask for it
  Current = this;
  memset(&info, 0, sizeof info);
  info.StructSize = sizeof info;
  info.ModuleNumber = 7;
  info.DialogEx = HostDialogEx;
  info.SendDlgMessage = HostSendDlgMessage;
  info.DefDlgProc = HostDefDlgProc;
  info.Message = HostMessage;
  info.GetMsg = HostGetMsg;
  info.Editor = HostEditor;
  info.Control = HostControl;
  info.AdvControl = HostAdvControl;
}

void HostTest::SetUp() {
  host.Bind(info);
  BindHost(&info);
}

void HostTest::TearDown() {
  EXPECT_EQ(host.LateDialogMessages, 0);
  PluginStartupInfo none{};
  BindHost(&none);
  TestHost::Current = nullptr;
}

}  // namespace wintest
