// The stand-in host: loads a plug-in module through its exported entry
// points only, as FAR does, and provides every host service the module
// calls.  Tests script the user's answers and read back what was shown.
#ifndef QUILLET_STANDIN_HPP
#define QUILLET_STANDIN_HPP

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/far_api.hpp"

namespace standin {

// The module, reached through its ten exports.
struct Module {
  void *Library = nullptr;
  std::string Path;
  PFN_SetStartupInfo SetStartupInfo = nullptr;
  PFN_GetPluginInfo GetPluginInfo = nullptr;
  PFN_GetMinFarVersion GetMinFarVersion = nullptr;
  PFN_OpenPlugin OpenPlugin = nullptr;
  PFN_ClosePlugin ClosePlugin = nullptr;
  PFN_GetOpenPluginInfo GetOpenPluginInfo = nullptr;
  PFN_GetFindData GetFindData = nullptr;
  PFN_FreeFindData FreeFindData = nullptr;
  PFN_SetDirectory SetDirectory = nullptr;
  PFN_ProcessKey ProcessKey = nullptr;
};
// Loads the module and resolves all ten entry points; false with a reason
// when the file cannot be loaded or an entry point is missing.
bool LoadModule(const std::string &path, Module &module, std::string &error);
void UnloadModule(Module &module);

// One row of a host file panel.
struct PanelRow {
  std::string Name;  // cFileName as the host reports it
  DWORD Attributes = 0;
  bool Selected = false;
  DWORD_PTR UserData = 0;
  std::string Description;                 // filled for plug-in rows
  std::vector<std::string> CustomColumns;  // filled for plug-in rows ("" for null)
};

// The host's model of one of its two panels.
struct PanelModel {
  int PanelType = PTYPE_FILEPANEL;
  bool Plugin = false;
  HANDLE PluginHandle = nullptr;  // the open plug-in panel, when Plugin
  std::string CurDir;
  std::vector<PanelRow> Rows;
  int CurrentItem = 0;
  int ViewMode = 2;
  // What the module last described with GetOpenPluginInfo (plug-in panels).
  OpenPluginInfo Described{};
};

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
  bool LockKeyPosted = false;  // Ctrl+L was posted before the editor opened
  int Result = EEC_NOT_MODIFIED;
};
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

// The scripted user.  Each deque is consumed front first; an empty deque
// gives the default answer (Esc for menus, dialogs and boxes; leave the
// editor without saving).
struct Script {
  std::deque<std::function<int(const MenuCall &)>> Menu;
  // Edits the dialog's items as the user would and returns the closing item.
  std::deque<std::function<int(FarDialogItem *items, int count)>> Dialog;
  std::deque<std::function<int(const MessageCall &)>> Message;
  // May change the file (as a user who saves) and returns the editor's result.
  std::deque<std::function<int(EditorCall &)>> Editor;
  // DialogEx ("CVS Running..."): when >= 0, the user presses RunBreakItem
  // (1 = "Break", -1 = Esc) after this many milliseconds unless the module
  // closed the dialog first.  When < 0 the host waits for the module
  // (at most RunTimeoutMs, then Esc).
  int RunBreakAfterMs = -1;
  int RunBreakItem = 1;
  int RunTimeoutMs = 120000;
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
// The user types `text` at the end of the file, saves and leaves.
std::function<int(EditorCall &)> AppendAndSave(const std::string &text);
std::function<int(EditorCall &)> LeaveEditor();
// Selects radio button `index` and clears the others of its group, as the
// host does when the user picks it.
void SelectRadio(FarDialogItem *items, int count, int index);

// The host.  One per process, since the services are plain functions.
class Host {
 public:
  static Host &Get();

  // Forgets scripts, records and panels (not the loaded language).
  void Reset();
  // The service table to hand to the module; size is the StructSize written.
  PluginStartupInfo StartupInfo(int structSize = sizeof(PluginStartupInfo));
  FarStandardFunctions Fsf{};
  INT_PTR ModuleNumber = 0x5157;

  // Loads a language file (".lng"); LoadModule reads the English one beside
  // the module by itself.
  bool LoadLanguage(const std::string &path);
  bool LoadLanguageBeside(const std::string &modulePath, const std::string &language = "English");
  std::vector<std::string> Language;  // message texts by number

  // The two panels; Active is 0 or 1.
  PanelModel Panels[2];
  int Active = 0;
  PanelModel &ActivePanel() { return Panels[Active]; }
  PanelModel &PassivePanel() { return Panels[1 - Active]; }
  std::string CommandLine;

  // Plug-in panels: opens a handle the module returned in the active panel,
  // reads its description and items; Refresh reads them again.
  void OpenPluginPanel(const Module &module, HANDLE plugin);
  void RefreshPluginPanel();
  // Enters a row of the plug-in panel as the host does on Enter (".." goes up).
  void EnterRow(const std::string &name);
  // Offers a key to the plug-in; returns ProcessKey's result.  A pending
  // close request (FCTL_CLOSEPLUGIN) is carried out afterwards.
  int PressKey(int key, unsigned int controlState);
  // Closes the plug-in panel (ClosePlugin) and frees its items.
  void ClosePluginPanel();
  // The last items of GetFindData, as the module handed them over.
  PluginPanelItem *PluginItems = nullptr;
  int PluginItemsNumber = 0;

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

  // Messages sent to a "CVS Running..." dialog after it had closed.
  int LateDialogMessages = 0;
  // Edit histories the host keeps by name (newest last).
  std::map<std::string, std::vector<std::string>> Histories;

  // Internal state used by the services.
  const Module *Current = nullptr;
  bool CloseRequested = false;
  std::string CloseDirectory;
  bool LockKeyPending = false;
};

}  // namespace standin

#endif
