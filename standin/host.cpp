// The stand-in host's service table: every service records its call and
// answers from the test's script.
#include <dirent.h>
#include <string.h>

#include <fstream>
#include <mutex>
#include <sstream>

#include "standin/services.hpp"
#include "standin/standin.hpp"

namespace standin {

std::mutex &RecordMutex() {
  static std::mutex mutex;
  return mutex;
}

void Record(const std::string &service) {
  std::lock_guard<std::mutex> lock(RecordMutex());
  Host::Get().Calls.push_back(service);
}

Host &Host::Get() {
  static Host host;
  return host;
}

void Host::Reset() {
  script = Script();
  for (PanelModel &panel : Panels) panel = PanelModel();
  Active = 0;
  CommandLine.clear();
  PluginItems = nullptr;
  PluginItemsNumber = 0;
  Menus.clear();
  Dialogs.clear();
  Messages.clear();
  Editors.clear();
  Controls.clear();
  AdvControls.clear();
  Calls.clear();
  LateDialogMessages = 0;
  Histories.clear();
  Current = nullptr;
  CloseRequested = false;
  CloseDirectory.clear();
  LockKeyPending = false;
}

namespace {

const char *FARAPI ServiceGetMsg(INT_PTR, int id) {
  Record("GetMsg(" + std::to_string(id) + ")");
  const std::vector<std::string> &texts = Host::Get().Language;
  if (id < 0 || static_cast<size_t>(id) >= texts.size()) return "";
  return texts[static_cast<size_t>(id)].c_str();
}

int FARAPI ServiceMenu(INT_PTR number, int x, int y, int maxHeight, DWORD flags, const char *title,
                       const char *bottom, const char *help, const int *, int *breakCode,
                       const FarMenuItem *items, int count) {
  Record("Menu");
  Host &host = Host::Get();
  MenuCall call;
  call.PluginNumber = number;
  call.X = x;
  call.Y = y;
  call.MaxHeight = maxHeight;
  call.Flags = flags;
  call.Title = title != nullptr ? title : "";
  call.Bottom = bottom != nullptr ? bottom : "";
  call.HelpTopic = help != nullptr ? help : "";
  if (items != nullptr && count > 0) call.Items.assign(items, items + count);
  int result = NextAnswer(host.script.Menu, call, -1);
  if (result < -1 || result >= count) result = -1;
  if (result >= 0 && items[result].Separator) result = -1;
  if (breakCode != nullptr) *breakCode = -1;
  call.Result = result;
  host.Menus.push_back(call);
  return result;
}

// Offers the last history entry to empty edits that ask for it, and keeps
// what the user confirmed, as the host's histories do.
void LoadHistories(FarDialogItem *items, int count) {
  Host &host = Host::Get();
  for (int i = 0; i < count; ++i) {
    FarDialogItem &item = items[i];
    if (item.Type != DI_EDIT || !(item.Flags & DIF_HISTORY) || item.History == nullptr) continue;
    if ((item.Flags & DIF_USELASTHISTORY) && item.Data[0] == '\0') {
      const std::vector<std::string> &list = host.Histories[item.History];
      if (!list.empty()) {
        strncpy(item.Data, list.back().c_str(), sizeof(item.Data) - 1);
        item.Data[sizeof(item.Data) - 1] = '\0';
      }
    }
  }
}

void SaveHistories(const FarDialogItem *items, int count) {
  Host &host = Host::Get();
  for (int i = 0; i < count; ++i) {
    const FarDialogItem &item = items[i];
    if (item.Type != DI_EDIT || !(item.Flags & DIF_HISTORY) || item.History == nullptr) continue;
    if (item.Data[0] != '\0') host.Histories[item.History].push_back(item.Data);
  }
}

int FARAPI ServiceDialog(INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                         FarDialogItem *items, int count) {
  Record("Dialog");
  Host &host = Host::Get();
  DialogCall call = NewDialogCall(false, number, x1, y1, x2, y2, help, items, count);
  LoadHistories(items, count);
  int result = -1;
  if (!host.script.Dialog.empty()) {
    auto answer = host.script.Dialog.front();
    host.script.Dialog.pop_front();
    result = answer(items, count);
  }
  if (result < -1 || result >= count) result = -1;
  if (result != -1) SaveHistories(items, count);
  if (items != nullptr && count > 0) call.ItemsOut.assign(items, items + count);
  call.Result = result;
  host.Dialogs.push_back(call);
  return result;
}

int FARAPI ServiceMessage(INT_PTR number, DWORD flags, const char *help, const char *const *items,
                          int itemsNumber, int buttonsNumber) {
  Record("Message");
  Host &host = Host::Get();
  MessageCall call;
  call.PluginNumber = number;
  call.Flags = flags;
  call.HelpTopic = help != nullptr ? help : "";
  call.ItemsNumber = itemsNumber;
  call.ButtonsNumber = buttonsNumber;
  if (flags & FMSG_ALLINONE) {
    std::string text = items != nullptr ? reinterpret_cast<const char *>(items) : "";
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line, '\n')) call.Lines.push_back(line);
  } else {
    for (int i = 0; items != nullptr && i < itemsNumber; ++i) {
      call.Lines.push_back(items[i] != nullptr ? items[i] : "");
    }
  }
  int buttons = buttonsNumber;
  if (flags & FMSG_MB_OK) buttons = 1;
  if (flags & FMSG_MB_OKCANCEL) buttons = 2;
  int result = NextAnswer(host.script.Message, call, -1);
  if (result < -1 || result >= buttons) result = -1;
  call.Result = result;
  host.Messages.push_back(call);
  return result;
}

int FARAPI ServiceEditor(const char *fileName, const char *title, int x1, int y1, int x2, int y2,
                         DWORD flags, int startLine, int startChar) {
  Record("Editor");
  Host &host = Host::Get();
  EditorCall call;
  call.FileName = fileName != nullptr ? fileName : "";
  call.Title = title != nullptr ? title : "";
  call.X1 = x1;
  call.Y1 = y1;
  call.X2 = x2;
  call.Y2 = y2;
  call.Flags = flags;
  call.StartLine = startLine;
  call.StartChar = startChar;
  std::ifstream file(call.FileName, std::ios::binary);
  if (!file) {
    call.Result = EEC_OPEN_ERROR;
  } else {
    std::stringstream content;
    content << file.rdbuf();
    call.Content = content.str();
    call.Result = EEC_NOT_MODIFIED;
  }
  file.close();
  // The posted Ctrl+L is the editor's first key: it locks the text.
  call.LockKeyPosted = host.LockKeyPending;
  host.LockKeyPending = false;
  if (call.Result != EEC_OPEN_ERROR)
    call.Result = NextAnswer(host.script.Editor, call, call.Result);
  host.Editors.push_back(call);
  return call.Result;
}

INT_PTR FARAPI ServiceAdvControl(INT_PTR number, int command, void *param) {
  Record("AdvControl");
  Host &host = Host::Get();
  AdvControlCall call;
  call.ModuleNumber = number;
  call.Command = command;
  INT_PTR result = 0;
  if (command == ACTL_GETFARVERSION) {
    result = 0x01460000 | 1;
  } else if (command == ACTL_POSTKEYSEQUENCE && param != nullptr) {
    const KeySequence *keys = static_cast<const KeySequence *>(param);
    call.KeyFlags = keys->Flags;
    for (int i = 0; i < keys->Count && keys->Sequence != nullptr; ++i) {
      call.Keys.push_back(keys->Sequence[i]);
    }
    host.LockKeyPending = call.Keys.size() == 1 && call.Keys[0] == (KEY_CTRL | 'L');
    result = 1;
  }
  host.AdvControls.push_back(call);
  return result;
}

int FARAPI ServiceCharTable(int command, char *buffer, int size) {
  Record("CharTable(" + std::to_string(command) + ", " + std::to_string(size) + ")");
  const Script &script = Host::Get().script;
  if (command != 1 || !script.HasCharTable || buffer == nullptr ||
      size < static_cast<int>(sizeof(CharTableSet))) {
    return -1;
  }
  memcpy(buffer, &script.CharTable, sizeof(CharTableSet));
  return command;
}

char *FARAPI ServicePointToName(const char *path) {
  Record(std::string("PointToName(") + (path != nullptr ? path : "(null)") + ")");
  if (path == nullptr) return nullptr;
  const char *name = path;
  for (const char *p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  return const_cast<char *>(name);
}

}  // namespace

DialogCall NewDialogCall(bool ex, INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                         const FarDialogItem *items, int count) {
  DialogCall call;
  call.Ex = ex;
  call.PluginNumber = number;
  call.X1 = x1;
  call.Y1 = y1;
  call.X2 = x2;
  call.Y2 = y2;
  call.HelpTopic = help != nullptr ? help : "";
  if (items != nullptr && count > 0) call.ItemsIn.assign(items, items + count);
  return call;
}

PluginStartupInfo Host::StartupInfo(int structSize) {
  PluginStartupInfo info;
  memset(&info, 0, sizeof(info));
  info.StructSize = structSize;
  strncpy(info.ModuleName, Current != nullptr ? Current->Path.c_str() : "", NM - 1);
  info.ModuleNumber = ModuleNumber;
  info.RootKey = "Software\\Far\\Plugins";
  info.Menu = ServiceMenu;
  info.Dialog = ServiceDialog;
  info.Message = ServiceMessage;
  info.GetMsg = ServiceGetMsg;
  info.Control = ServiceControl;
  info.Editor = ServiceEditor;
  info.CharTable = ServiceCharTable;
  memset(&Fsf, 0, sizeof(Fsf));
  Fsf.StructSize = sizeof(Fsf);
  Fsf.PointToName = ServicePointToName;
  info.FSF = &Fsf;
  info.AdvControl = ServiceAdvControl;
  info.DialogEx = ServiceDialogEx;
  info.SendDlgMessage = ServiceSendDlgMessage;
  info.DefDlgProc = ServiceDefDlgProc;
  return info;
}

bool Host::LoadLanguage(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::vector<std::string> texts;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] != '"') continue;
    size_t end = line.rfind('"');
    texts.push_back(end > 0 ? line.substr(1, end - 1) : std::string());
  }
  Language = texts;
  return true;
}

bool Host::LoadLanguageBeside(const std::string &modulePath, const std::string &language) {
  size_t slash = modulePath.find_last_of("/\\");
  std::string dir = slash == std::string::npos ? "." : modulePath.substr(0, slash);
  DIR *folder = opendir(dir.c_str());
  if (folder == nullptr) return false;
  std::string chosen, english;
  while (dirent *entry = readdir(folder)) {
    std::string name = entry->d_name;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".lng") != 0) continue;
    std::ifstream file(dir + "/" + name, std::ios::binary);
    std::string header;
    std::getline(file, header);
    const std::string tag = ".Language=";
    if (header.compare(0, tag.size(), tag) != 0) continue;
    std::string lang = header.substr(tag.size());
    lang = lang.substr(0, lang.find(','));
    if (lang == language) chosen = dir + "/" + name;
    if (lang == "English") english = dir + "/" + name;
  }
  closedir(folder);
  if (chosen.empty()) chosen = english;
  return !chosen.empty() && LoadLanguage(chosen);
}

}  // namespace standin
