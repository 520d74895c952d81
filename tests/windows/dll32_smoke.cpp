// The shipped 32-bit Quillet.dll, unpacked from the release archive into a
// host-like ...\Plugins\Quillet\ folder and loaded from there once by the
// 32-bit stand-in host through its exports: its version resource, read
// with the Windows version API, and at run time what only this build can
// get wrong: the ten undecorated exports, stdcall entry points (the callee
// takes its arguments off the stack), and the host's records packed to 2
// bytes, read back at the host's own offsets.  Then registration and the
// language files, a listing with states on C:\ paths, one command through
// the run dialog, and Break.  Every case shares one process: under qemu
// each Windows process costs minutes, so only the cvs.exe runs the cases
// need are started.
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "replay_module.hpp"
#include "texts/messages.hpp"

static_assert(sizeof(void *) == 4, "the smoke test checks the 32-bit module");

namespace {

// Calls `function` with `count` 32-bit arguments pushed as a stdcall or
// cdecl caller pushes them, and returns how many bytes of them are still on
// the stack when it returns: 0 for a stdcall callee, 4 * count for cdecl.
int LeftOnStack(void *function, const uint32_t *args, int count) {
  int left;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "movl %[count], %%ecx\n\t"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "pushl -4(%[args],%%ecx,4)\n\t"
      "decl %%ecx\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "call *%[function]\n\t"
      "movl %%esi, %%eax\n\t"
      "subl %%esp, %%eax\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(left)
      : [function] "r"(function), [args] "r"(args), [count] "r"(count)
      : "ecx", "edx", "esi", "memory", "cc");
  return left;
}

template <typename T>
T At(const void *record, size_t offset) {
  T value;
  memcpy(&value, static_cast<const char *>(record) + offset, sizeof value);
  return value;
}

std::string TextAt(const void *record, size_t offset) {
  const char *text = At<const char *>(record, offset);
  return text != nullptr ? text : "(null)";
}

// The host's published sizes and offsets (2-byte packing, 4-byte pointers).
const size_t kPanelItemSize = 366;
const size_t kItemFileName = 44, kItemDescription = 334, kItemColumns = 342, kItemColumnCount = 346,
             kItemUserData = 350;
const size_t kPanelInfoSize = 72;
const size_t kInfoCurDir = 12, kInfoTitle = 20, kInfoLinesNumber = 28, kInfoModesNumber = 44,
             kInfoStartMode = 48, kInfoShortcut = 64;

// The version resource as the Windows version API reads it: the fixed part
// and the strings of its first translation.
struct VersionResource {
  VS_FIXEDFILEINFO Fixed{};
  std::map<std::string, std::string> Strings;
};

bool ReadVersionResource(const std::string &path, VersionResource &out) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
  void *value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(data.data(), "\\", &value, &length) || length < sizeof out.Fixed) return false;
  memcpy(&out.Fixed, value, sizeof out.Fixed);
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4)
    return false;
  WORD translation[2];
  memcpy(translation, value, sizeof translation);
  char block[40];
  snprintf(block, sizeof block, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  for (const char *name :
       {"FileVersion", "ProductVersion", "ProductName", "FileDescription", "OriginalFilename"}) {
    if (VerQueryValueA(data.data(), (std::string(block) + name).c_str(), &value, &length) &&
        length > 0)
      out.Strings[name] = static_cast<const char *>(value);
  }
  return true;
}

class Dll32 : public wintest::ReplayModuleTest {};

TEST_F(Dll32, LoadedFromThePluginFolderWithTheReleasesVersion) {
  char loaded[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameA(static_cast<HMODULE>(module.Library), loaded, MAX_PATH), 0u);
  std::string folder = loaded;
  std::transform(folder.begin(), folder.end(), folder.begin(), ::tolower);
  EXPECT_NE(folder.find("\\plugins\\quillet\\quillet.dll"), std::string::npos) << loaded;

  VersionResource version;
  ASSERT_TRUE(ReadVersionResource(loaded, version)) << "no version resource in " << loaded;
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(sscanf(QUILLET_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
  EXPECT_EQ(version.Fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(version.Fixed.dwFileType, static_cast<DWORD>(VFT_DLL));
  for (DWORD high : {version.Fixed.dwFileVersionMS, version.Fixed.dwProductVersionMS})
    EXPECT_EQ(high, (major << 16) | minor);
  for (DWORD low : {version.Fixed.dwFileVersionLS, version.Fixed.dwProductVersionLS})
    EXPECT_EQ(low, patch << 16);
  EXPECT_NE(version.Strings["FileDescription"].find("FAR Manager"), std::string::npos);
  version.Strings.erase("FileDescription");
  EXPECT_EQ(version.Strings, (std::map<std::string, std::string>{
                                 {"FileVersion", QUILLET_VERSION},
                                 {"OriginalFilename", "Quillet.dll"},
                                 {"ProductName", "Quillet"},
                                 {"ProductVersion", QUILLET_VERSION}}));
}

TEST_F(Dll32, TenUndecoratedStdcallExportsAndTheLanguageFiles) {
  HMODULE library = static_cast<HMODULE>(module.Library);
  EXPECT_EQ(
      wintest::ExportedNames(library),
      (std::vector<std::string>{"ClosePlugin", "FreeFindData", "GetFindData", "GetMinFarVersion",
                                "GetOpenPluginInfo", "GetPluginInfo", "OpenPlugin", "ProcessKey",
                                "SetDirectory", "SetStartupInfo"}));
  EXPECT_EQ(module.GetMinFarVersion(), 0x146);

  // Every entry point with arguments pops them itself; a cdecl function
  // (the C runtime's strlen) leaves its argument to the caller.
  const char probe[] = "probe";
  const uint32_t probeArgs[] = {static_cast<uint32_t>(reinterpret_cast<uintptr_t>(probe))};
  void *cdeclFunction =
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "strlen"));
  ASSERT_NE(cdeclFunction, nullptr);
  EXPECT_EQ(LeftOnStack(cdeclFunction, probeArgs, 1), 4);
  PluginStartupInfo startup = host.StartupInfo();
  PluginInfo info;
  memset(&info, 0, sizeof info);
  PluginPanelItem *items = nullptr;
  int count = -1;
  struct Call {
    const char *Name;
    std::vector<uint32_t> Args;
  };
  auto word = [](const void *pointer) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
  };
  const std::vector<Call> calls = {
      {"SetStartupInfo", {word(&startup)}}, {"GetPluginInfo", {word(&info)}},
      {"OpenPlugin", {OPEN_DISKMENU, 0}},   {"ClosePlugin", {0}},
      {"GetOpenPluginInfo", {0, 0}},        {"GetFindData", {0, word(&items), word(&count), 0}},
      {"FreeFindData", {0, 0, 0}},          {"SetDirectory", {0, 0, 0}},
      {"ProcessKey", {0, VK_F3, 0}}};
  for (const Call &call : calls) {
    void *function = reinterpret_cast<void *>(GetProcAddress(library, call.Name));
    ASSERT_NE(function, nullptr) << call.Name;
    EXPECT_EQ(LeftOnStack(function, call.Args.data(), static_cast<int>(call.Args.size())), 0)
        << call.Name;
  }
  EXPECT_EQ(count, 0);
  ASSERT_EQ(info.PluginMenuStringsNumber, 1);

  // Registration as the host reads it, in both languages from the files
  // that came beside the DLL in the archive.
  ASSERT_EQ(host.LanguageName, "English");
  ASSERT_EQ(host.Language.size(), static_cast<size_t>(kMessageCount));
  EXPECT_EQ(std::string(info.PluginMenuStrings[0]), host.Language[5]);
  EXPECT_STREQ(info.CommandPrefix, "cvs");
  EXPECT_EQ(info.StructSize, 44);
  std::vector<std::string> english = host.Language;
  ASSERT_TRUE(host.LoadLanguageBeside(testsupport::ModulePath(), "Russian"));
  EXPECT_EQ(host.Language.size(), english.size());
  EXPECT_NE(host.Language[9], english[9]);
  ASSERT_TRUE(host.LoadLanguageBeside(testsupport::ModulePath(), "English"));
}

TEST_F(Dll32, AListingWithStatesReadBackInTheHostsPackedRecords) {
  static_assert(sizeof(PluginPanelItem) == kPanelItemSize, "the host's item");
  host.ActivePanel().ViewMode = 3;
  HANDLE panel = OpenPanel(copy);
  ASSERT_NE(panel, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{copy + ":[-q][status][-l]"}));

  // The items at the host's stride of 366 bytes.
  const char *raw = reinterpret_cast<const char *>(host.PluginItems);
  ASSERT_EQ(host.PluginItemsNumber, 8);
  std::map<std::string, const char *> byName;
  for (int i = 0; i < host.PluginItemsNumber; ++i) {
    const char *item = raw + static_cast<size_t>(i) * kPanelItemSize;
    std::string path(item + kItemFileName);
    byName[path.substr(path.find_last_of('\\') + 1)] = item;
    EXPECT_EQ(path.rfind(copy + "\\", 0), 0u) << path;
  }
  ASSERT_EQ(byName.count("modified.c"), 1u);
  const char *modified = byName["modified.c"];
  EXPECT_EQ(TextAt(modified, kItemDescription), "Modified");
  EXPECT_EQ(At<uint32_t>(modified, kItemUserData), static_cast<uint32_t>('M'));
  EXPECT_EQ(At<int>(modified, kItemColumnCount), 4);
  char **columns = At<char **>(modified, kItemColumns);
  ASSERT_NE(columns, nullptr);
  EXPECT_STREQ(columns[0], "M");
  EXPECT_STREQ(columns[1], "1.1.1.1");
  EXPECT_EQ(At<uint32_t>(byName["needs-patch.c"], kItemUserData), static_cast<uint32_t>('U'));
  EXPECT_EQ(TextAt(byName["conflict.c"], kItemDescription), "Unresolved Conflict");
  EXPECT_EQ(TextAt(byName["up-to-date.c"], kItemDescription), "Up-to-date");
  EXPECT_EQ(TextAt(byName["unknown.txt"], kItemDescription), "Unknown");
  EXPECT_EQ(At<uint32_t>(byName["added.c"], kItemUserData), static_cast<uint32_t>('A'));

  // The panel's description fills 72 bytes and not one more.
  std::vector<unsigned char> described(kPanelInfoSize + 16, 0xA5);
  module.GetOpenPluginInfo(panel, reinterpret_cast<OpenPluginInfo *>(described.data()));
  EXPECT_EQ(At<int>(described.data(), 0), 72);
  EXPECT_EQ(At<uint32_t>(described.data(), 4), 0x2Eu);
  EXPECT_EQ(TextAt(described.data(), kInfoCurDir), copy);
  EXPECT_EQ(TextAt(described.data(), kInfoTitle), "CVS:" + copy);
  EXPECT_EQ(TextAt(described.data(), kInfoShortcut), "CVS:" + copy);
  EXPECT_EQ(At<int>(described.data(), kInfoLinesNumber), 3);
  EXPECT_EQ(At<int>(described.data(), kInfoModesNumber), 6);
  EXPECT_EQ(At<int>(described.data(), kInfoStartMode), '3');
  for (size_t i = kPanelInfoSize; i < described.size(); ++i) EXPECT_EQ(described[i], 0xA5) << i;
  EXPECT_EQ(std::string(host.ActivePanel().Described.PanelTitle), "CVS:" + copy);
}

TEST_F(Dll32, ACommandThroughTheRunDialogAndBreak) {
  ASSERT_NE(OpenPanel(copy), INVALID_HANDLE_VALUE);
  PutCursorOn("modified.c");
  host.script.Menu.push_back(standin::Choose(1));  // F3, "Log"
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  EXPECT_EQ(CvsCalls().back(), copy + ":[log][modified.c]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Title, "CVS log");
  EXPECT_NE(host.Editors[0].Content.find("Working file: modified.c"), std::string::npos);
  ASSERT_EQ(CvsRuns(), 2);  // the listing's, then the log's
  EXPECT_EQ(host.Dialogs.back().Result, 2);
  EXPECT_EQ(host.Dialogs.back().ProcMessages, (std::vector<int>{DN_INITDIALOG, DN_CLOSE}));

  // A client that does not answer: Break ends it, and the box says so.
  env.Set("QUILLET_REPLAY_WAIT_MS", "3600000");
  env.Set("QUILLET_REPLAY_PID", dir / "pid");
  host.script.RunBreakAfterMs = 2000;
  host.script.Menu.push_back(standin::Choose(2));  // F3, "Diff"
  host.script.Message.push_back(standin::Answer(1));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  EXPECT_EQ(host.Dialogs.back().Result, 1);
  ASSERT_EQ(host.Messages.size(), 1u);
  ASSERT_EQ(host.Messages[0].Lines.size(), 4u);
  EXPECT_EQ(host.Messages[0].Lines[1], "The run of cvs was broken off");
  EXPECT_EQ(host.Editors.size(), 1u);
  DWORD pid = wintest::ReadPid(dir / "pid");
  ASSERT_NE(pid, 0u);
  EXPECT_TRUE(wintest::ProcessGone(pid, 60000));
  EXPECT_EQ(host.LateDialogMessages, 0);
}

}  // namespace
