// One-line questions through the dialog widget.
#include "console/input_box.hpp"
#include "core/host_texts.hpp"

#include <string.h>

#include "console/dialog.hpp"
#include "core/column_layout.hpp"
#include "core/dialog_model.hpp"
#include "far/field_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

// Text shown in a label as it is: "&" would otherwise mark a hot key.
std::string Literal(const std::string &text) {
  std::string shown;
  for (char c : text) shown += c == '&' ? std::string("&&") : std::string(1, c);
  return shown;
}

}  // namespace

bool AskLine(Terminal &term, hostcore::HistoryStore &histories, const InputBoxText &box,
             std::string &text) {
  const int kWidth = box.Width;
  FarDialogItem items[5];
  memset(items, 0, sizeof(items));
  items[0] = FarDialogItem{DI_DOUBLEBOX, 3, 1, kWidth - 4, 6, 0, {0}, 0, 0, ""};
  CopyToField(items[0].Data, Literal(box.Title).c_str());
  items[1] = FarDialogItem{DI_TEXT, 5, 2, 0, 0, 0, {0}, 0, 0, ""};
  // A long name in the prompt is cut, with a mark, to stay in the frame.
  CopyToField(items[1].Data,
              Literal(hostcore::FitText(box.Prompt, kWidth - 10, false, true)).c_str());
  // The text starts selected: typing replaces it, a cursor key keeps it.
  DWORD flags = DIF_SELECTONENTRY | (box.History != nullptr ? DWORD(DIF_HISTORY) : DWORD(0)) |
                (box.StartFromHistory ? DWORD(DIF_USELASTHISTORY) : DWORD(0));
  items[2] = FarDialogItem{DI_EDIT, 5, 3, kWidth - 7, 0, 1, {0}, flags, 0, ""};
  items[2].History = box.History;
  CopyToField(items[2].Data, text.c_str());
  items[3] = FarDialogItem{DI_BUTTON, 0, 5, 0, 0, 0, {0}, DIF_CENTERGROUP, 1, ""};
  CopyToField(items[3].Data, box.Button.c_str());
  items[4] = FarDialogItem{DI_BUTTON, 0, 5, 0, 0, 0, {0}, DIF_CENTERGROUP, 0, ""};
  CopyToField(items[4].Data, Say(HostText::ButtonCancel));
  hostcore::DialogModel model =
      hostcore::NewDialog(0, -1, -1, kWidth, 8, nullptr, items, 5, histories);
  hostcore::DialogClose close = RunDialog(term, model, histories, nullptr);
  int result = hostcore::DialogResult(model, close.Code);
  if (result == 4) result = -1;
  hostcore::CloseDialog(model, result, items, 5, histories);
  if (result < 0) return false;
  text = hostcore::EditText(items[2]);
  return !(box.NeedText && text.empty());
}

}  // namespace console
