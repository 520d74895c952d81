// The host core: what every host of a 1.70 module does, whoever sits on
// the other side.  It loads the module and its language, keeps the two
// panels, the command line, the edit histories and the posted keys, and
// hands the module the service table, answering each service with its
// models and the front end.
//
// The services are plain functions, so one core serves the process: the
// last one constructed.
#ifndef QUILLET_HOSTCORE_HOST_CORE_HPP
#define QUILLET_HOSTCORE_HOST_CORE_HPP

#include <deque>
#include <string>
#include <vector>

#include "core/front_end.hpp"
#include "core/history.hpp"
#include "core/host_contract.hpp"
#include "core/language.hpp"
#include "core/module_loader.hpp"
#include "core/panel_model.hpp"
#include "far/far_api.hpp"

namespace hostcore {

// What DefDlgProc answers: yes to DN_INITDIALOG and DN_CLOSE, no otherwise.
LONG_PTR DefaultDialogAnswer(int message);

// The host key of Ctrl+L, which locks the editor when posted before it opens.
const DWORD kLockKey = KEY_CTRL | 'L';

class HostCore {
 public:
  explicit HostCore(FrontEnd &front);
  virtual ~HostCore();
  HostCore(const HostCore &) = delete;
  HostCore &operator=(const HostCore &) = delete;
  static HostCore &Instance();
  FrontEnd &Front() { return *front_; }

  // Forgets panels, command line, histories, posted keys and the module
  // (not the loaded language).
  void ResetCore();

  // What the module did that FAR 1.70 would refuse or misread
  // (core/host_contract.hpp).  Handing out the service table opens it to
  // calls from this thread; letting the module go closes it again.
  HostContract Contract;
  // The module left the user screen (ACTL_QUILLET_LEAVESCREEN) and has not
  // taken it back yet.
  bool ScreenLeft = false;

  // The module.  BindModule makes it current and calls its SetStartupInfo.
  const Module *Current = nullptr;
  void BindModule(const Module &module);
  // The service table to hand to the module; size is the StructSize written.
  PluginStartupInfo StartupInfo(int structSize = sizeof(PluginStartupInfo));
  FarStandardFunctions Fsf{};
  INT_PTR ModuleNumber = 0x5157;

  // The module's messages by number, as raw bytes converted by the hook.
  bool LoadLanguage(const std::string &path);
  bool LoadLanguageBeside(const std::string &modulePath, const std::string &language = "English");
  std::vector<std::string> Language;
  std::string LanguageName;
  TextConverter ConvertText;

  // The two panels; Active is 0 or 1.
  PanelModel Panels[2];
  int Active = 0;
  PanelModel &ActivePanel() { return Panels[Active]; }
  PanelModel &PassivePanel() { return Panels[1 - Active]; }
  std::string CommandLine;

  // File panels: shows `dir` in a panel, read from the file system, the
  // cursor kept on the same name where there is one (or on the folder left
  // for its parent).  False when the folder cannot be read, or the panel
  // shows a plug-in (close that first).
  bool ShowFolder(int panel, const std::string &dir);
  bool RereadFolder(int panel);
  // Makes the active panel's folder the process's current folder, as the
  // module expects whenever the host calls it (its relative names are
  // relative to that folder).  False when the panel has none or it cannot
  // be entered.
  bool FollowActivePanel();

  // Plug-in panels, in the active panel: opens a handle the module
  // returned, reading its description and items; Refresh reads them again.
  void OpenPluginPanel(const Module &module, HANDLE plugin);
  void RefreshPluginPanel();
  void RefreshPluginPanel(int panel);
  // Enters a row as the host does on Enter (SetDirectory; ".." goes up and
  // the cursor lands on the folder it came from).
  void EnterRow(const std::string &name);
  // The root key: SetDirectory with the platform's separator.
  void EnterRoot();
  // Offers a key to the plug-in; returns ProcessKey's result.  A close
  // request (FCTL_CLOSEPLUGIN) or an update the module asked for meanwhile
  // is carried out afterwards.
  int PressKey(int key, unsigned int controlState);
  // Closes the plug-in panel (ClosePlugin) and frees its items; the panel
  // is then an empty file panel in the mode it had before.
  void ClosePluginPanel();
  void ClosePluginPanel(int panel);
  // The items of the last GetFindData, as the module handed them over.
  PluginPanelItem *PluginItems = nullptr;
  int PluginItemsNumber = 0;

  // Edit histories by name (newest last), kept across dialogs.
  HistoryStore Histories;
  // Keys posted with ACTL_POSTKEYSEQUENCE that nothing has read yet; the
  // editor reads the first.
  std::deque<DWORD> PostedKeys;
  // Messages sent to a dialog after it had closed.
  int LateDialogMessages = 0;

  // A close the module asked for (FCTL_CLOSEPLUGIN), carried out when its
  // call returns.
  bool CloseRequested = false;
  std::string CloseDirectory;
  int ClosePanel = 0;
  // Panels the module asked to re-read (FCTL_UPDATEPANEL), likewise.
  bool UpdateRequested[2] = {false, false};

  // Services that need the core's state (services.cpp and control.cpp).
  int Control(HANDLE plugin, int command, void *param);
  int ServeMenu(INT_PTR number, int x, int y, int maxHeight, DWORD flags, const char *title,
                const char *bottom, const char *help, int *breakCode, const FarMenuItem *items,
                int count);
  int ServeMessage(INT_PTR number, DWORD flags, const char *help, const char *const *items,
                   int itemsNumber, int buttonsNumber);
  int ServeDialog(bool ex, INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                  FarDialogItem *items, int count, FARWINDOWPROC proc, LONG_PTR param);
  int ServeEditor(const EditorRequest &request);
  INT_PTR ServeAdvControl(INT_PTR number, int command, void *param);

  // Carries out the close and updates the module asked for during its last
  // call; a front end calls it after every call into the module that
  // PressKey does not already cover (OpenPlugin, for one).
  void CarryOutRequests();

  // What a person's keys ask of the host, for any front end
  // (panel_actions.cpp).  Enter on the current row: a plug-in panel enters
  // the folder or ".." through the module, a file panel shows the folder;
  // false when a file panel's folder cannot be read.
  bool EnterCurrentRow();
  // Calls OpenPlugin from the active panel's folder; a handle it returns
  // becomes the active panel's plug-in panel (closing one open there), the
  // module's requests are carried out, and file panels are read again (and
  // plug-in panels too after a command from the plug-ins menu).
  void OpenModule(int openFrom, INT_PTR item);
  // A command line that begins with one of the module's prefixes and a
  // colon goes to OpenPlugin(OPEN_COMMANDLINE) with the rest; false, and
  // nothing done, for any other line (the front end's shell runs it).
  bool RunPrefixedCommand(const std::string &line);
  // Shift+Esc that the module did not take: a plug-in panel closes to the
  // file panel in its folder, a file panel is read again.
  void LeavePanel();
  // The root key: a plug-in panel's SetDirectory with the separator, a file
  // panel's root folder.
  void GoToRoot();
  // Ctrl+digit: the active panel's view mode (a file panel keeps it for
  // when a plug-in panel closes over it).
  void SetViewMode(int mode);
  // Reads a panel again (a plug-in panel from its folder), and the file
  // panels alone (after a command that may have changed files).
  void RereadPanel(int index);
  void RereadFilePanels();

 private:
  void FreeFoundItems(PanelModel &panel);
  // Asks the module for the panel's description and checks it.
  void DescribePanel(PanelModel &panel);
  int PanelIndexFor(HANDLE plugin, bool another);
  void FillPanelInfo(int index, PanelInfo &info);

  FrontEnd *front_;
  // PanelInfo arrays stay valid until the next request, as the host's do.
  std::vector<PluginPanelItem> infoItems_;
  std::vector<PluginPanelItem> infoSelected_;
  std::vector<std::vector<char *>> infoColumns_;
};

}  // namespace hostcore

#endif
