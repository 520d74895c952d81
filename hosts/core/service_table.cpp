// The service functions handed to the module.  Each tells the front end of
// the call, has its caller and arguments checked against the host's
// contract, and forwards to the process's host core.
#include "core/service_table.hpp"

#include <string.h>

#include <string>

#include "core/dialog_session.hpp"
#include "core/host_core.hpp"
#include "core/service_checks.hpp"
#include "far/field_text.hpp"

namespace hostcore {

namespace {

HostCore &Core() { return HostCore::Instance(); }
// Every service but the two FAR serialises for other threads (a dialog's
// messages and its default procedure) belongs to the host's thread.
void Called(const std::string &call, const char *service, bool anyThread = false) {
  Core().Front().ServiceCalled(call);
  Core().Contract.CheckCaller(service, anyThread);
}

const char *FARAPI ServiceGetMsg(INT_PTR number, int id) {
  Called("GetMsg(" + std::to_string(id) + ")", "GetMsg");
  CheckGetMsg(Core(), number, id);
  const std::vector<std::string> &texts = Core().Language;
  if (id < 0 || static_cast<size_t>(id) >= texts.size()) return "";
  return texts[static_cast<size_t>(id)].c_str();
}

int FARAPI ServiceMenu(INT_PTR number, int x, int y, int maxHeight, DWORD flags, const char *title,
                       const char *bottom, const char *help, const int *breakKeys, int *breakCode,
                       const FarMenuItem *items, int count) {
  Called("Menu", "Menu");
  CheckMenu(Core(), number, flags, breakKeys, items, count);
  return Core().ServeMenu(number, x, y, maxHeight, flags, title, bottom, help, breakCode, items,
                          count);
}

int FARAPI ServiceDialog(INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                         FarDialogItem *items, int count) {
  Called("Dialog", "Dialog");
  CheckDialog(Core(), "Dialog", number, x2, y2, items, count, 0, 0);
  return Core().ServeDialog(false, number, x1, y1, x2, y2, help, items, count, nullptr, 0);
}

int FARAPI ServiceDialogEx(INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                           FarDialogItem *items, int count, DWORD reserved, DWORD flags,
                           FARWINDOWPROC proc, LONG_PTR param) {
  Called("DialogEx", "DialogEx");
  CheckDialog(Core(), "DialogEx", number, x2, y2, items, count, reserved, flags);
  return Core().ServeDialog(true, number, x1, y1, x2, y2, help, items, count, proc, param);
}

Mutex &LateLock() {
  static Mutex lock;
  return lock;
}

LONG_PTR FARAPI ServiceSendDlgMessage(HANDLE dialog, int message, int param1, LONG_PTR param2) {
  Called("SendDlgMessage(" + std::to_string(message) + ", " + std::to_string(param1) + ", " +
         std::to_string(param2) + ")",
         "SendDlgMessage", true);
  CheckDialogMessage(Core(), "SendDlgMessage", dialog, message);
  LONG_PTR result = 0;
  if (!SendToOpenDialog(dialog, message, param1, param2, result)) {
    ScopedLock lock(LateLock());
    ++Core().LateDialogMessages;
  }
  return result;
}

LONG_PTR FARAPI ServiceDefDlgProc(HANDLE dialog, int message, int param1, LONG_PTR) {
  Called("DefDlgProc(" + std::to_string(message) + ", " + std::to_string(param1) + ")",
         "DefDlgProc", true);
  CheckDialogMessage(Core(), "DefDlgProc", dialog, message);
  return DefaultDialogAnswer(message);
}

int FARAPI ServiceMessage(INT_PTR number, DWORD flags, const char *help, const char *const *items,
                          int itemsNumber, int buttonsNumber) {
  Called("Message", "Message");
  CheckMessage(Core(), number, flags, items, itemsNumber, buttonsNumber);
  return Core().ServeMessage(number, flags, help, items, itemsNumber, buttonsNumber);
}

int FARAPI ServiceControl(HANDLE plugin, int command, void *param) {
  Called("Control(" + std::to_string(command) + ")", "Control");
  CheckControl(Core(), plugin, command, param);
  return Core().Control(plugin, command, param);
}

int FARAPI ServiceEditor(const char *fileName, const char *title, int x1, int y1, int x2, int y2,
                         DWORD flags, int startLine, int startChar) {
  Called("Editor", "Editor");
  CheckEditor(Core(), fileName, flags);
  EditorRequest request;
  request.FileName = fileName != nullptr ? fileName : "";
  request.Title = title != nullptr ? title : "";
  request.X1 = x1;
  request.Y1 = y1;
  request.X2 = x2;
  request.Y2 = y2;
  request.Flags = flags;
  request.StartLine = startLine;
  request.StartChar = startChar;
  return Core().ServeEditor(request);
}

INT_PTR FARAPI ServiceAdvControl(INT_PTR number, int command, void *param) {
  Called("AdvControl", "AdvControl");
  CheckAdvControl(Core(), number, command, param);
  return Core().ServeAdvControl(number, command, param);
}

int FARAPI ServiceCharTable(int command, char *buffer, int size) {
  Called("CharTable(" + std::to_string(command) + ", " + std::to_string(size) + ")",
         "CharTable");
  CheckCharTable(Core(), command, buffer, size);
  CharTableSet table;
  memset(&table, 0, sizeof(table));
  if (buffer == nullptr || size < static_cast<int>(sizeof(CharTableSet)) ||
      !Core().Front().GetCharTable(command, table))
    return -1;
  memcpy(buffer, &table, sizeof(CharTableSet));
  return command;
}

char *FARAPI ServicePointToName(const char *path) {
  Called(std::string("PointToName(") + (path != nullptr ? path : "(null)") + ")",
         "FSF.PointToName");
  if (path == nullptr) Core().Contract.Report("FSF.PointToName", "Path", "is null");
  if (path == nullptr) return nullptr;
  return const_cast<char *>(PathNamePart(path));
}

}  // namespace

void FillServices(PluginStartupInfo &info) {
  info.Menu = ServiceMenu;
  info.Dialog = ServiceDialog;
  info.Message = ServiceMessage;
  info.GetMsg = ServiceGetMsg;
  info.Control = ServiceControl;
  info.Editor = ServiceEditor;
  info.CharTable = ServiceCharTable;
  info.AdvControl = ServiceAdvControl;
  info.DialogEx = ServiceDialogEx;
  info.SendDlgMessage = ServiceSendDlgMessage;
  info.DefDlgProc = ServiceDefDlgProc;
}

void FillStandardFunctions(FarStandardFunctions &fsf) { fsf.PointToName = ServicePointToName; }

}  // namespace hostcore
