// Dialogs.
#include "console/dialog.hpp"

#include <chrono>
#include <map>

#include "console/button.hpp"
#include "console/check_box.hpp"
#include "console/history_list.hpp"
#include "console/input_line.hpp"
#include "console/label.hpp"
#include "console/modal.hpp"
#include "console/radio_group.hpp"
#include "core/column_layout.hpp"
#include "core/dialog_keys.hpp"
#include "core/dialog_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

namespace {

struct DialogState {
  hostcore::DialogModel &Model;
  std::map<int, InputLine> Edits;
  int LastFocus = -1;
};

const FarDialogItem &ItemAt(const hostcore::DialogModel &model, int index) {
  return model.Items[static_cast<size_t>(index)];
}

void DrawItem(Terminal &term, DialogState &state, const hostcore::DialogPlace &place, int index,
              const BoxLook &look) {
  const FarDialogItem &item = ItemAt(state.Model, index);
  const hostcore::ItemPlace &at = place.Items[static_cast<size_t>(index)];
  int x = place.Left + at.Left, y = place.Top + at.Top;
  bool focused = index == state.Model.Focus;
  hostcore::HotKeyLabel label;
  label.Text = at.Text;
  label.HotKeyAt = at.HotKeyAt;
  switch (item.Type) {
    case DI_DOUBLEBOX:
    case DI_SINGLEBOX: {
      term.Frame(y, x, at.Height, at.Width, look.Body, item.Type == DI_DOUBLEBOX);
      term.FrameTitle(y, x, at.Width, at.Text, look.Body);
      break;
    }
    case DI_TEXT:
      if (at.Separator) {
        term.HorizontalLine(y, x + 1, at.Width - 2, look.Body, false);
        term.FrameTitle(y, x, at.Width, at.Text, look.Body);
      } else {
        PutLabel(term, y, x, label, look.Body, look.HotKey);
      }
      break;
    case DI_VTEXT: {
      const std::string &text = at.Text;
      int row = 0;
      for (size_t c = 0, next; c < text.size(); c = next) {
        next = hostcore::PieceAt(text, c).End;
        term.Put(y + row++, x, text.substr(c, next - c), look.Body);
      }
      break;
    }
    case DI_EDIT:
    case DI_PSWEDIT:
    case DI_FIXEDIT: {
      InputLine &line = state.Edits[index];
      DrawInputLine(term, y, x, at.Width, line, focused, look.Edit, look.EditFocus);
      if (item.Type == DI_EDIT && (item.Flags & DIF_HISTORY) && item.History != nullptr)
        term.Put(y, x + at.Width, "\xE2\x86\x93", look.Body);  // the history arrow
      break;
    }
    case DI_BUTTON:
      DrawButton(term, y, x, label, focused, look);
      break;
    case DI_CHECKBOX:
      DrawCheckBox(term, y, x, label, item.Selected != 0, focused, look);
      break;
    case DI_RADIOBUTTON:
      DrawRadioButton(term, y, x, label, item.Selected != 0, focused, look);
      break;
    default:
      break;
  }
}

void DrawDialog(Terminal &term, DialogState &state, bool buttons) {
  BoxLook look = DialogLook();
  hostcore::DialogPlace place = hostcore::PlaceDialog(state.Model, term.Width(), term.Height());
  for (int y = place.Top; y < place.Top + place.Height; ++y)
    term.Fill(y, place.Left, place.Width, look.Body);
  term.HideCursor();
  int count = static_cast<int>(state.Model.Items.size());
  // Boxes first: the other items sit inside them.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < count; ++i) {
      int type = ItemAt(state.Model, i).Type;
      bool box = type == DI_DOUBLEBOX || type == DI_SINGLEBOX;
      if (!buttons && type == DI_BUTTON) continue;
      if (box == (pass == 0)) DrawItem(term, state, place, i, look);
    }
  }
}

// Focus moved onto an edit line that selects its text on entry.
void NoteFocus(DialogState &state) {
  int focus = state.Model.Focus;
  if (focus == state.LastFocus) return;
  state.LastFocus = focus;
  if (focus < 0) return;
  const FarDialogItem &item = ItemAt(state.Model, focus);
  if (hostcore::IsEditLine(item) && (item.Flags & DIF_SELECTONENTRY)) {
    hostcore::SelectAll(state.Edits[focus].Edit);
  }
}

void SetLine(DialogState &state, int index, const std::string &text) {
  hostcore::SetEditText(state.Model, index, text);
  hostcore::SetLineText(state.Edits[index].Edit, hostcore::EditText(ItemAt(state.Model, index)));
}

// The item a click at (y, x) lands on: a button, check box, radio button
// or edit line; -1 for none.
int ItemUnderMouse(const hostcore::DialogModel &model, const hostcore::DialogPlace &place, int y,
                   int x) {
  for (int i = 0; i < static_cast<int>(model.Items.size()); ++i) {
    const FarDialogItem &item = ItemAt(model, i);
    const hostcore::ItemPlace &at = place.Items[static_cast<size_t>(i)];
    int width = 0;
    if (item.Type == DI_BUTTON) {
      hostcore::HotKeyLabel label;
      label.Text = at.Text;
      width = ButtonWidth(label);
    } else if (item.Type == DI_CHECKBOX || item.Type == DI_RADIOBUTTON) {
      width = 4 + hostcore::TextWidth(at.Text);  // "[x] " or "( ) " and the label
    } else if (hostcore::IsEditLine(item)) {
      width = at.Width;
    }
    int left = place.Left + at.Left;
    if (width > 0 && y == place.Top + at.Top && x >= left && x < left + width &&
        hostcore::IsFocusable(item))
      return i;
  }
  return -1;
}

// A dialog the module closes itself and the user can only break off (the
// "CVS Running..." box): buttons, texts and frames, nothing to fill in.
bool IsBusyDialog(const hostcore::DialogModel &model) {
  for (const FarDialogItem &item : model.Items) {
    if (item.Type != DI_BUTTON && item.Type != DI_TEXT && item.Type != DI_DOUBLEBOX &&
        item.Type != DI_SINGLEBOX)
      return false;
  }
  return true;
}

// How long a busy dialog takes no key after it opened: keys that come
// sooner were typed before it, for the screen it replaced (a quick Enter
// after leaving the editor must not break off the refresh that follows).
// Its buttons show once it takes keys.
const int kBusyTakesKeysAfterMs = 250;

class DialogModal : public Modal {
 public:
  DialogModal(Terminal &term, hostcore::DialogModel &model, const hostcore::HistoryStore &histories,
              const ModuleClose &moduleClose, bool withProcedure)
      : term_(term), state_{model, {}, -1}, histories_(histories), moduleClose_(moduleClose) {
    for (int i = 0; i < static_cast<int>(model.Items.size()); ++i) {
      const FarDialogItem &item = ItemAt(model, i);
      if (!hostcore::IsEditLine(item)) continue;
      InputLine &line = state_.Edits[i];
      line.Edit = hostcore::NewLineEdit(hostcore::EditText(item), sizeof(item.Data) - 1);
      line.Hidden = item.Type == DI_PSWEDIT;
    }
    early_ = holding_ = withProcedure && moduleClose && IsBusyDialog(model);
    if (early_) {
      term_.BeginHolding();
      keysFrom_ =
          std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTakesKeysAfterMs);
    }
  }
  ~DialogModal() override {
    if (holding_) term_.EndHolding();
  }
  hostcore::DialogClose Close;

  void Draw(Terminal &term) override { DrawDialog(term, state_, !early_); }
  bool BeforeWait(Event &) override {
    int code = -1;
    if (moduleClose_ && moduleClose_(code)) {
      Close.ByModule = true;
      Close.Code = code;
      End();
      return false;
    }
    if (early_ && std::chrono::steady_clock::now() >= keysFrom_) early_ = false;
    NoteFocus(state_);
    return false;
  }
  int WaitMs() const override {
    if (!early_) return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    keysFrom_ - std::chrono::steady_clock::now())
                    .count();
    return static_cast<int>(std::max<long long>(0, left));
  }
  void OnEvent(const Event &event) override {
    if (early_ && (event.What == Event::Key || event.What == Event::Mouse)) {
      term_.Hold(event);
      return;
    }
    if (event.What == Event::Mouse && event.Pointer.LeftPress()) return OnClick(event.Pointer);
    if (event.What == Event::Key) OnKey(event.Press);
  }

 private:
  void Finish(int code) {
    Close.Code = code;
    End();
  }
  void Press(int item) {
    int pressed = hostcore::PressDialogHotKey(state_.Model, item);
    if (pressed != hostcore::kDialogStaysOpen) Finish(pressed);
  }
  // A click acts as the item's hot key: focuses it, toggles a check box,
  // selects a radio button, presses a button.
  void OnClick(const MouseEvent &mouse) {
    hostcore::DialogModel &model = state_.Model;
    hostcore::DialogPlace place = hostcore::PlaceDialog(model, term_.Width(), term_.Height());
    int item = ItemUnderMouse(model, place, mouse.Y, mouse.X);
    if (item < 0) return;
    if (hostcore::IsEditLine(ItemAt(model, item))) {
      hostcore::SetFocus(model, item);
      return;
    }
    Press(item);
  }
  void OnKey(const hostcore::KeyPress &key) {
    hostcore::DialogModel &model = state_.Model;
    int focus = model.Focus;
    bool inEdit = focus >= 0 && hostcore::IsEditLine(ItemAt(model, focus));
    if (Is(key, vk::Escape) || Is(key, vk::F(10)) || Is(key, 'C', PKF_CONTROL) ||
        Is(key, vk::Pause, PKF_CONTROL))
      return Finish(-1);
    if (Is(key, vk::Return)) return Finish(hostcore::PressEnter(model));
    if (Is(key, vk::Tab) || Is(key, vk::Down) || (!inEdit && Is(key, vk::Right))) {
      hostcore::MoveFocus(model, 1);
      return;
    }
    if (Is(key, vk::Tab, PKF_SHIFT) || Is(key, vk::Up) || (!inEdit && Is(key, vk::Left))) {
      hostcore::MoveFocus(model, -1);
      return;
    }
    if (inEdit && (Is(key, vk::Down, PKF_CONTROL) || Is(key, vk::Down, PKF_ALT))) {
      std::vector<std::string> entries = hostcore::EditHistory(model, focus, histories_);
      hostcore::DialogPlace place = hostcore::PlaceDialog(model, term_.Width(), term_.Height());
      const hostcore::ItemPlace &at = place.Items[static_cast<size_t>(focus)];
      std::string chosen;
      if (RunHistoryList(term_, entries, place.Top + at.Top + 1, place.Left + at.Left, at.Width,
                         chosen))
        SetLine(state_, focus, chosen);
      return;
    }
    if (inEdit) {
      bool changed = false;
      if (hostcore::EditLineKey(state_.Edits[focus].Edit, key, &changed)) {
        if (changed) hostcore::SetEditText(model, focus, state_.Edits[focus].Edit.Text);
        return;
      }
    }
    if (!inEdit && Is(key, vk::Space)) {
      int pressed = hostcore::PressSpace(model);
      if (pressed != hostcore::kDialogStaysOpen) Finish(pressed);
      return;
    }
    // Hot keys: Alt+letter anywhere, the letter alone outside edit lines.
    bool alt = key.Mods == PKF_ALT || (!inEdit && (key.Mods & ~PKF_SHIFT) == 0);
    uint32_t typed = key.Char != 0 ? key.Char : static_cast<uint32_t>(key.Vk);
    // A letter of any script typed, or a key code of the ASCII range.
    if (alt && typed > 0x20 && (typed < 0x80 || key.Char != 0)) {
      int item = hostcore::DialogHotKeyItem(model, typed);
      if (item >= 0) Press(item);
    }
  }

  Terminal &term_;
  DialogState state_;
  const hostcore::HistoryStore &histories_;
  const ModuleClose &moduleClose_;
  bool early_ = false;    // it takes no key yet
  bool holding_ = false;  // keys that came early are held until it ends
  std::chrono::steady_clock::time_point keysFrom_;
};

}  // namespace

hostcore::DialogClose RunDialog(Terminal &term, hostcore::DialogModel &model,
                                const hostcore::HistoryStore &histories,
                                const ModuleClose &moduleClose, bool withProcedure) {
  DialogModal modal(term, model, histories, moduleClose, withProcedure);
  RunModal(term, modal);
  return modal.Close;
}

}  // namespace console
