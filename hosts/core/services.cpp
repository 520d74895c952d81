// The services answered by the core's models and the front end: menus,
// message boxes, dialogs, the editor and AdvControl.
#include "core/dialog_session.hpp"
#include "core/host_core.hpp"
#include "far/user_screen.hpp"

namespace hostcore {

namespace {
// Version 1.70, build 1, as ACTL_GETFARVERSION reports it.
const INT_PTR kHostVersion = 0x01460000 | 1;
}  // namespace

int HostCore::ServeMenu(INT_PTR number, int x, int y, int maxHeight, DWORD flags, const char *title,
                        const char *bottom, const char *help, int *breakCode,
                        const FarMenuItem *items, int count) {
  MenuModel menu = NewMenu(number, x, y, maxHeight, flags, title, bottom, help, items, count);
  int result = MenuResult(menu, front_->ShowMenu(menu));
  if (breakCode != nullptr) *breakCode = -1;
  front_->MenuDone(menu, result);
  return result;
}

int HostCore::ServeMessage(INT_PTR number, DWORD flags, const char *help, const char *const *items,
                           int itemsNumber, int buttonsNumber) {
  MessageModel box = NewMessage(number, flags, help, items, itemsNumber, buttonsNumber);
  int result = MessageResult(box, front_->ShowMessage(box));
  front_->MessageDone(box, result);
  return result;
}

int HostCore::ServeDialog(bool ex, INT_PTR number, int x1, int y1, int x2, int y2, const char *help,
                          FarDialogItem *items, int count, FARWINDOWPROC proc, LONG_PTR param) {
  if (items == nullptr || count < 0) count = 0;
  DialogSession dialog(*this, ex, NewDialog(number, x1, y1, x2, y2, help, items, count, Histories),
                       proc, param);
  if (count > 0) dialog.ItemsIn.assign(items, items + count);
  int result = dialog.Run();
  CloseDialog(dialog.Model, result, items, count, Histories);
  front_->DialogDone(dialog, result);
  return result;
}

int HostCore::ServeEditor(const EditorRequest &asked) {
  EditorRequest request = asked;
  // The posted lock key is the editor's first key: it locks the text.
  if (!PostedKeys.empty() && PostedKeys.front() == kLockKey) {
    PostedKeys.pop_front();
    request.Locked = true;
  }
  EditorOutcome outcome = front_->Edit(request);
  int result = EEC_NOT_MODIFIED;
  if (!outcome.Opened) {
    result = EEC_OPEN_ERROR;
  } else if (outcome.SavedChange && !request.Locked) {
    result = EEC_MODIFIED;
  }
  front_->EditorDone(request, result);
  return result;
}

INT_PTR HostCore::ServeAdvControl(INT_PTR number, int command, void *param) {
  AdvControlCall call;
  call.ModuleNumber = number;
  call.Command = command;
  INT_PTR result = 0;
  if (command == ACTL_GETFARVERSION) {
    result = kHostVersion;
  } else if (command == ACTL_POSTKEYSEQUENCE && param != nullptr) {
    const KeySequence *keys = static_cast<const KeySequence *>(param);
    call.KeyFlags = keys->Flags;
    for (int i = 0; i < keys->Count && keys->Sequence != nullptr; ++i)
      call.Keys.push_back(keys->Sequence[i]);
    PostedKeys.insert(PostedKeys.end(), call.Keys.begin(), call.Keys.end());
    result = 1;
  } else if (command == ACTL_QUILLET_LEAVESCREEN) {
    result = front_->LeaveScreen() ? 1 : 0;
  } else if (command == ACTL_QUILLET_TAKESCREEN) {
    front_->TakeScreenBack();
    result = 1;
  }
  front_->AdvControlDone(call);
  return result;
}

}  // namespace hostcore
