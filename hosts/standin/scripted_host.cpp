// The scripted front end: the script answers what a user would, and every
// call is recorded for the tests to read.
#include <fstream>
#include <sstream>

#include "core/dialog_session.hpp"
#include "standin/standin.hpp"

namespace standin {

namespace {

// The scripted user's next answer, or `fallback` when the script has none.
template <typename Queue, typename Call>
int NextAnswer(Queue &queue, Call &call, int fallback) {
  if (queue.empty()) return fallback;
  auto answer = queue.front();
  queue.pop_front();
  return answer(call);
}

MenuCall MenuCallOf(const hostcore::MenuModel &menu) {
  MenuCall call;
  call.PluginNumber = menu.PluginNumber;
  call.X = menu.X;
  call.Y = menu.Y;
  call.MaxHeight = menu.MaxHeight;
  call.Flags = menu.Flags;
  call.Title = menu.Title;
  call.Bottom = menu.Bottom;
  call.HelpTopic = menu.HelpTopic;
  call.Items = menu.Items;
  return call;
}

MessageCall MessageCallOf(const hostcore::MessageModel &box) {
  MessageCall call;
  call.PluginNumber = box.PluginNumber;
  call.Flags = box.Flags;
  call.HelpTopic = box.HelpTopic;
  call.Lines = box.AllLines;
  call.ItemsNumber = box.ItemsNumber;
  call.ButtonsNumber = box.ButtonsNumber;
  return call;
}

}  // namespace

Host::Host() : hostcore::HostCore(static_cast<hostcore::FrontEnd &>(*this)) {}

Host &Host::Get() {
  static Host host;
  return host;
}

void Host::Reset() {
  script = Script();
  ResetCore();
  Menus.clear();
  Dialogs.clear();
  Messages.clear();
  Editors.clear();
  Controls.clear();
  AdvControls.clear();
  hostcore::ScopedLock lock(recordLock_);
  Calls.clear();
}

void Host::ServiceCalled(const std::string &call) {
  hostcore::ScopedLock lock(recordLock_);
  Calls.push_back(call);
}

int Host::ShowMenu(hostcore::MenuModel &menu) {
  MenuCall call = MenuCallOf(menu);
  return NextAnswer(script.Menu, call, -1);
}

void Host::MenuDone(const hostcore::MenuModel &menu, int result) {
  MenuCall call = MenuCallOf(menu);
  call.Result = result;
  Menus.push_back(call);
}

int Host::ShowMessage(hostcore::MessageModel &box) {
  MessageCall call = MessageCallOf(box);
  return NextAnswer(script.Message, call, -1);
}

void Host::MessageDone(const hostcore::MessageModel &box, int result) {
  MessageCall call = MessageCallOf(box);
  call.Result = result;
  Messages.push_back(call);
}

hostcore::DialogClose Host::ShowDialog(hostcore::DialogSession &dialog) {
  hostcore::DialogClose close;
  if (!dialog.IsEx()) {
    // The script works on the host's dialog as the user would.
    std::vector<FarDialogItem> &items = dialog.Model.Items;
    if (!script.Dialog.empty()) {
      auto answer = script.Dialog.front();
      script.Dialog.pop_front();
      close.Code = answer(items.data(), static_cast<int>(items.size()));
    }
    return close;
  }
  // "CVS Running...": wait for the module's close, or let the user press
  // the break item after the scripted time.
  if (script.WhileRunStands) script.WhileRunStands();
  int waitMs = script.RunBreakAfterMs >= 0 ? script.RunBreakAfterMs : script.RunTimeoutMs;
  hostcore::ScopedLock lock(dialog.Lock());
  bool byModule = dialogWoken_.WaitFor(lock, waitMs, [&] { return dialog.ModuleClosePending(); });
  if (byModule && script.BreakAsModuleCloses) {
    // The user's close comes first; the module's stays pending for the
    // next round when the dialog refuses the user's.
    script.BreakAsModuleCloses = false;
    close.Code = script.RunBreakItem;
    return close;
  }
  if (byModule) {
    close.ByModule = dialog.TakeModuleClose(close.Code);
    return close;
  }
  close.Code = script.RunBreakAfterMs >= 0 ? script.RunBreakItem : -1;
  return close;
}

void Host::WakeDialog(hostcore::DialogSession &) { dialogWoken_.NotifyAll(); }

void Host::DialogDone(const hostcore::DialogSession &dialog, int result) {
  const hostcore::DialogModel &model = dialog.Model;
  DialogCall call;
  call.Ex = dialog.IsEx();
  call.PluginNumber = model.PluginNumber;
  call.X1 = model.X1;
  call.Y1 = model.Y1;
  call.X2 = model.X2;
  call.Y2 = model.Y2;
  call.HelpTopic = model.HelpTopic;
  call.ItemsIn = dialog.ItemsIn;
  call.ItemsOut = model.Items;
  call.ProcMessages = dialog.ProcMessages();
  call.Result = result;
  Dialogs.push_back(call);
}

hostcore::EditorOutcome Host::Edit(const hostcore::EditorRequest &request) {
  EditorCall &call = openEditor_;
  call = EditorCall();
  call.FileName = request.FileName;
  call.Title = request.Title;
  call.X1 = request.X1;
  call.Y1 = request.Y1;
  call.X2 = request.X2;
  call.Y2 = request.Y2;
  call.Flags = request.Flags;
  call.StartLine = request.StartLine;
  call.StartChar = request.StartChar;
  call.LockKeyPosted = request.Locked;
  hostcore::EditorOutcome outcome;
  std::ifstream file(call.FileName, std::ios::binary);
  if (!file) {
    outcome.Opened = false;
    return outcome;
  }
  std::stringstream content;
  content << file.rdbuf();
  call.Content = content.str();
  file.close();
  int result = NextAnswer(script.Editor, call, EEC_NOT_MODIFIED);
  outcome.Opened = result != EEC_OPEN_ERROR;
  outcome.SavedChange = result == EEC_MODIFIED;
  return outcome;
}

void Host::EditorDone(const hostcore::EditorRequest &, int result) {
  openEditor_.Result = result;
  Editors.push_back(openEditor_);
}

bool Host::GetCharTable(int command, CharTableSet &table) {
  if (command != 1 || !script.HasCharTable) return false;
  table = script.CharTable;
  return true;
}

bool LoadModule(const std::string &path, Module &module, std::string &error) {
  if (!hostcore::LoadModuleExports(path, module, error)) return false;
  Host::Get().LoadLanguageBeside(path);
  return true;
}

void UnloadModule(Module &module) {
  // The module's time is over: a call from it now (a thread it left
  // behind) breaks the contract.
  Host::Get().Contract.Close();
  hostcore::UnloadModule(module);
}

}  // namespace standin
