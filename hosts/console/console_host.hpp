// The console host: the host core with a person at a terminal.  It shows
// the two panels, the command line and the key bar, turns keys into the
// core's panel moves and module calls, and answers the module's menus,
// boxes, dialogs and editor with the console's widgets.
#ifndef QUILLET_CONSOLE_CONSOLE_HOST_HPP
#define QUILLET_CONSOLE_CONSOLE_HOST_HPP

#include <string>

#include "console/input_line.hpp"
#include "console/modal.hpp"
#include "console/terminal.hpp"
#include "core/host_core.hpp"
#include "core/module_entry.hpp"

namespace console {

struct Options {
  std::string ModulePath;
  std::string Folder;         // shown in both panels; the current folder when empty
  std::string StartCommand;   // run as if typed on the command line, e.g. "cvs:"
  std::string HistoriesPath;  // where edit histories are kept; none when empty
  std::string Language = "English";
};

// The host is also the bottom screen: the panels, the command line and the
// key bar, the first modal of the loop that every other one runs above.
class ConsoleHost : public hostcore::FrontEnd, private Modal {
 public:
  explicit ConsoleHost(Terminal &term);
  ~ConsoleHost() override;
  // Loads the module and shows the folder; false with a reason.
  bool Start(const Options &options, std::string &error);
  // Runs until the user quits (F10) or the terminal goes away.
  void Run();
  hostcore::HostCore &Core() { return core_; }

 private:
  // The front end's part of the services.
  int ShowMenu(hostcore::MenuModel &menu) override;
  int ShowMessage(hostcore::MessageModel &box) override;
  hostcore::DialogClose ShowDialog(hostcore::DialogSession &dialog) override;
  void WakeDialog(hostcore::DialogSession &dialog) override;
  void DialogDone(const hostcore::DialogSession &dialog, int result) override;
  hostcore::EditorOutcome Edit(const hostcore::EditorRequest &request) override;
  void CommandLineChanged() override;
  bool LeaveScreen() override;
  void TakeScreenBack() override;

  // The panels' screen in the modal loop.
  void Draw(Terminal &term) override;
  bool BeforeWait(Event &event) override;
  void OnEvent(const Event &event) override;
  void OnClosed() override { quit_ = true; }

  void LayOut();
  void HandleKey(const hostcore::KeyPress &key);
  bool HostKey(const hostcore::KeyPress &key);
  void SelectByMask(bool select);
  void ShowUserScreen();
  void HandleMouse(const MouseEvent &mouse);
  void EnterByMouse();
  void RunCommandLine();
  bool ChangeFolder(const std::string &line);
  void AskToQuit();
  void CountSelection();
  void ShowPluginsMenu();
  void ViewCurrent(bool edit);
  void SetCommandLine(const std::string &text);
  // Writes the edit histories when they changed.  Where they cannot be
  // written (a state folder that cannot be made or written), the user is
  // told once a run, when `maySay` (never while the host is closing).
  void SaveHistories(bool maySay);

  Terminal &term_;
  hostcore::HostCore core_;
  hostcore::Module module_;
  bool moduleLoaded_ = false;
  hostcore::ModuleEntry entry_;
  InputLine command_;
  bool infoView_ = false;
  bool quit_ = false;
  std::string startCommand_;  // run as typed once the loop starts
  std::string previousFolder_[2];  // where "cd -" goes, per panel
  // What each panel has selected, counted after every event that may have
  // changed it (not after a mere cursor move: a count passes every row).
  std::string selection_[2];
  bool movedOnly_ = false;
  std::string historiesPath_;
  bool historiesUnsavedSaid_ = false;
  hostcore::HistoryStore historiesBase_;  // the histories as last read or written
};

}  // namespace console

#endif
