// The stand-in host: the scripted front end of the host core.  It loads a
// plug-in module through its exported entry points only, as FAR does; the
// core answers every service, and this front end plays the user from a
// test's script and records what was shown.
#ifndef QUILLET_STANDIN_HPP
#define QUILLET_STANDIN_HPP

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/host_core.hpp"
#include "core/sync.hpp"
#include "far/far_api.hpp"

namespace standin {

// The module, reached through its ten exports.
using Module = hostcore::Module;
// Loads the module and resolves all ten entry points, and reads the English
// language file beside it; false with a reason when the file cannot be
// loaded or an entry point is missing.
bool LoadModule(const std::string &path, Module &module, std::string &error);
// Lets the module go, as the host does at its exit: any later service call
// breaks the host's contract.
void UnloadModule(Module &module);

// The host's panels and their rows.
using PanelRow = hostcore::PanelRow;
using PanelModel = hostcore::PanelModel;

// Recorded service calls.
struct MenuCall {
  INT_PTR PluginNumber = 0;
  int X = 0, Y = 0, MaxHeight = 0;
  DWORD Flags = 0;
  std::string Title, Bottom, HelpTopic;
  std::vector<FarMenuItem> Items;
  int Result = -1;
};
struct DialogCall {
  bool Ex = false;
  INT_PTR PluginNumber = 0;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  std::string HelpTopic;
  std::vector<FarDialogItem> ItemsIn;   // as the module handed them over
  std::vector<FarDialogItem> ItemsOut;  // as the host wrote them back
  std::vector<int> ProcMessages;        // DialogEx: messages sent to the procedure
  int Result = -1;
};
struct MessageCall {
  INT_PTR PluginNumber = 0;
  DWORD Flags = 0;
  std::string HelpTopic;
  std::vector<std::string> Lines;  // title first; split at "\n" for FMSG_ALLINONE
  int ItemsNumber = 0, ButtonsNumber = 0;
  int Result = -1;
};
struct EditorCall {
  std::string FileName, Title;
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  DWORD Flags = 0;
  int StartLine = 0, StartChar = 0;
  std::string Content;         // the file's content when the editor opened
  bool LockKeyPosted = false;  // Ctrl+L was posted before the editor opened: read-only
  int Result = EEC_NOT_MODIFIED;
};
using ControlCall = hostcore::ControlCall;
using AdvControlCall = hostcore::AdvControlCall;

// The scripted user.  Each deque is consumed front first; an empty deque
// gives the default answer (Esc for menus, dialogs and boxes; leave the
// editor without saving).
struct Script {
  std::deque<std::function<int(const MenuCall &)>> Menu;
  // Edits the dialog's items as the user would and returns the closing
  // item.  The items are the host's dialog (the core's model), written back
  // into the module's array when the dialog closes.
  std::deque<std::function<int(FarDialogItem *items, int count)>> Dialog;
  std::deque<std::function<int(const MessageCall &)>> Message;
  // May change the file (as a user who saves) and returns the editor's
  // result; the host returns EEC_MODIFIED only for a saved change in an
  // editor that was not locked.
  std::deque<std::function<int(EditorCall &)>> Editor;
  // DialogEx ("CVS Running..."): when >= 0, the user presses RunBreakItem
  // (1 = "Break", -1 = Esc) after this many milliseconds unless the module
  // closed the dialog first.  When < 0 the host waits for the module
  // (at most RunTimeoutMs, then Esc).
  int RunBreakAfterMs = -1;
  int RunBreakItem = 1;
  int RunTimeoutMs = 120000;
  // Called on the host's thread each time the run dialog stands waiting
  // for its close, after the module's DN_INITDIALOG: a test looks there at
  // what must hold while a run is under way (the host's standard streams).
  std::function<void()> WhileRunStands;
  // A DM_CLOSE sent to the dialog runs the procedure's DN_CLOSE at once, on
  // the sender's thread, as a host that does not pass the message over to
  // its own thread does.  Otherwise the host's thread asks the procedure.
  bool CloseOnSenderThread = false;
  // The user presses RunBreakItem at the very moment the module's DM_CLOSE
  // arrives: the dialog is asked for the user's close first.
  bool BreakAsModuleCloses = false;
  // CharTable(1): the table handed out, or none.
  bool HasCharTable = false;
  CharTableSet CharTable{};
};

// Convenience answers.
std::function<int(const MenuCall &)> Choose(int index);
std::function<int(FarDialogItem *, int)> Press(int item);
std::function<int(FarDialogItem *, int)> Edit(std::function<void(FarDialogItem *)> change,
                                              int closeItem);
std::function<int(const MessageCall &)> Answer(int button);
// The user types `text` at the end of the file, saves and leaves (in a
// locked editor nothing can be typed: the user leaves).
std::function<int(EditorCall &)> AppendAndSave(const std::string &text);
std::function<int(EditorCall &)> LeaveEditor();
// Selects radio button `index` and clears the others of its group, by the
// host's radio-group rule (hostcore::SelectRadio).
void SelectRadio(FarDialogItem *items, int count, int index);

// The host: the core with this front end.  One per process, since the
// services are plain functions.
class Host : private hostcore::FrontEnd, public hostcore::HostCore {
 public:
  static Host &Get();

  // Forgets scripts, records and panels (not the loaded language).
  void Reset();

  Script script;

  // Records, in call order.
  std::vector<MenuCall> Menus;
  std::vector<DialogCall> Dialogs;
  std::vector<MessageCall> Messages;
  std::vector<EditorCall> Editors;
  std::vector<ControlCall> Controls;
  std::vector<AdvControlCall> AdvControls;
  // Every service call in order: its name, with its arguments for the
  // services that have no record of their own, e.g. "GetMsg(5)".
  std::vector<std::string> Calls;

 private:
  Host();

  void ServiceCalled(const std::string &call) override;
  int ShowMenu(hostcore::MenuModel &menu) override;
  void MenuDone(const hostcore::MenuModel &menu, int result) override;
  int ShowMessage(hostcore::MessageModel &box) override;
  void MessageDone(const hostcore::MessageModel &box, int result) override;
  hostcore::DialogClose ShowDialog(hostcore::DialogSession &dialog) override;
  void WakeDialog(hostcore::DialogSession &dialog) override;
  void DialogDone(const hostcore::DialogSession &dialog, int result) override;
  hostcore::EditorOutcome Edit(const hostcore::EditorRequest &request) override;
  void EditorDone(const hostcore::EditorRequest &request, int result) override;
  bool GetCharTable(int command, CharTableSet &table) override;
  bool ClosesOnSenderThread() override { return script.CloseOnSenderThread; }
  void ControlDone(const ControlCall &call) override { Controls.push_back(call); }
  void AdvControlDone(const AdvControlCall &call) override { AdvControls.push_back(call); }

  hostcore::Mutex recordLock_;
  hostcore::Condition dialogWoken_;
  EditorCall openEditor_;
};

}  // namespace standin

#endif
