// Ready-made answers of the scripted user.
#include <fstream>

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
    std::ofstream file(call.FileName, std::ios::binary | std::ios::app);
    file << text;
    return file ? static_cast<int>(EEC_MODIFIED) : static_cast<int>(EEC_OPEN_ERROR);
  };
}

std::function<int(EditorCall &)> LeaveEditor() {
  return [](EditorCall &) { return static_cast<int>(EEC_NOT_MODIFIED); };
}

void SelectRadio(FarDialogItem *items, int count, int index) {
  if (index < 0 || index >= count || items[index].Type != DI_RADIOBUTTON) return;
  // A group runs from the item that carries DIF_GROUP over the radio buttons after it.
  int first = index;
  while (first > 0 && !(items[first].Flags & DIF_GROUP) &&
         items[first - 1].Type == DI_RADIOBUTTON) {
    --first;
  }
  for (int i = first; i < count && items[i].Type == DI_RADIOBUTTON; ++i) {
    if (i != first && (items[i].Flags & DIF_GROUP)) break;
    items[i].Selected = 0;
  }
  items[index].Selected = 1;
}

}  // namespace standin
