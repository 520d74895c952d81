// What a front end (the scripted user of the tests, or a person at a
// console) supplies to the host core: it shows the menus, boxes, dialogs
// and the editor the core has modelled, and hears of every service call.
#ifndef QUILLET_HOSTCORE_FRONT_END_HPP
#define QUILLET_HOSTCORE_FRONT_END_HPP

#include <string>
#include <vector>

#include "core/menu_model.hpp"
#include "core/message_model.hpp"
#include "far/far_api.hpp"

namespace hostcore {

class DialogSession;

// How the front end's wait for a dialog ended.
struct DialogClose {
  bool ByModule = false;  // the module's DM_CLOSE, taken with TakeModuleClose
  int Code = -1;          // the closing item, -1 for Esc
};

// The Editor service's call.
struct EditorRequest {
  std::string FileName, Title;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  DWORD Flags = 0;
  int StartLine = 0, StartChar = 0;
  bool Locked = false;  // the posted lock key came first: the text is read-only
  bool ForPlugin = false;  // the plug-in asked for it (the Editor service), not F4
};
// How the editor ended.
struct EditorOutcome {
  bool Opened = true;        // false: the file could not be opened
  bool SavedChange = false;  // a changed text was saved
};

// The records of calls that carry more than their name.
struct ControlCall {
  HANDLE Plugin = nullptr;
  int Command = 0;
  std::string Text;  // FCTL_CLOSEPLUGIN / FCTL_INSERTCMDLINE / FCTL_SETCMDLINE text
};
struct AdvControlCall {
  INT_PTR ModuleNumber = 0;
  int Command = 0;
  std::vector<DWORD> Keys;  // ACTL_POSTKEYSEQUENCE
  DWORD KeyFlags = 0;
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Every service call as it comes, on the caller's thread: its name, with
  // its arguments for the services that have no record of their own, e.g.
  // "GetMsg(5)".
  virtual void ServiceCalled(const std::string &call) { (void)call; }

  // The user's choice in a menu: a row, or -1 for Esc.  The core turns a
  // separator or a row out of range into -1.
  virtual int ShowMenu(MenuModel &menu) = 0;
  virtual void MenuDone(const MenuModel &menu, int result) { (void)menu, (void)result; }

  // The button pressed in a message box, or -1.
  virtual int ShowMessage(MessageModel &box) = 0;
  virtual void MessageDone(const MessageModel &box, int result) { (void)box, (void)result; }

  // Shows a dialog (Dialog or DialogEx) and returns when the user closes it
  // or when the module's close is pending (DialogSession::TakeModuleClose).
  // The core asks the dialog procedure and calls this again when the close
  // is refused.  The wait must end at once when WakeDialog is called.
  virtual DialogClose ShowDialog(DialogSession &dialog) = 0;
  // Called from any thread, the session's lock released, after a DM_CLOSE
  // arrived for `dialog`.
  virtual void WakeDialog(DialogSession &dialog) = 0;
  virtual void DialogDone(const DialogSession &dialog, int result) { (void)dialog, (void)result; }

  // The host's editor on a file.
  virtual EditorOutcome Edit(const EditorRequest &request) = 0;
  virtual void EditorDone(const EditorRequest &request, int result) { (void)request, (void)result; }

  // CharTable(command): the table to hand out, or false for none.
  virtual bool GetCharTable(int command, CharTableSet &table) {
    (void)command, (void)table;
    return false;
  }
  // Whether a DM_CLOSE from another thread asks the dialog procedure on that
  // thread (as some hosts do) instead of handing the close to the dialog's.
  virtual bool ClosesOnSenderThread() { return false; }

  // The user screen (far/user_screen.hpp): the front end leaves its screen
  // so that a program of the module has the plain terminal, and reads no
  // key until it takes the screen back and draws it anew.  A front end
  // without a terminal accepts and does nothing.
  virtual bool LeaveScreen() { return true; }
  virtual void TakeScreenBack() {}

  // The module changed something the screen shows.
  virtual void PanelChanged(int panel) { (void)panel; }
  virtual void CommandLineChanged() {}
  virtual void ControlDone(const ControlCall &call) { (void)call; }
  virtual void AdvControlDone(const AdvControlCall &call) { (void)call; }
};

}  // namespace hostcore

#endif
