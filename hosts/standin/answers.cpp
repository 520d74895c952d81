// Ready-made answers of the scripted user.
#include <fstream>

#include "core/dialog_model.hpp"
#include "standin/standin.hpp"

namespace standin {

std::function<int(const MenuCall &)> Choose(int index) {
  return [index](const MenuCall &) { return index; };
}

std::function<int(FarDialogItem *, int)> Press(int item) {
  return [item](FarDialogItem *, int) { return item; };
}

std::function<int(FarDialogItem *, int)> Edit(std::function<void(FarDialogItem *)> change,
                                              int closeItem) {
  return [change, closeItem](FarDialogItem *items, int) {
    change(items);
    return closeItem;
  };
}

std::function<int(const MessageCall &)> Answer(int button) {
  return [button](const MessageCall &) { return button; };
}

std::function<int(EditorCall &)> AppendAndSave(const std::string &text) {
  return [text](EditorCall &call) {
    if (call.LockKeyPosted) return static_cast<int>(EEC_NOT_MODIFIED);
    std::ofstream file(call.FileName, std::ios::binary | std::ios::app);
    file << text;
    return file ? static_cast<int>(EEC_MODIFIED) : static_cast<int>(EEC_OPEN_ERROR);
  };
}

std::function<int(EditorCall &)> LeaveEditor() {
  return [](EditorCall &) { return static_cast<int>(EEC_NOT_MODIFIED); };
}

void SelectRadio(FarDialogItem *items, int count, int index) {
  hostcore::SelectRadio(items, count, index);
}

}  // namespace standin
