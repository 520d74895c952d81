// The viewer: the file read a screen at a time from where it is shown, as
// lines of text or (F4) as hex rows.
#include "console/viewer.hpp"

#include "console/help.hpp"
#include "console/hex_view.hpp"
#include "console/key_bar.hpp"
#include "console/key_table.hpp"
#include "console/modal.hpp"
#include "console/mouse.hpp"
#include "console/text_view.hpp"
#include "core/column_layout.hpp"
#include "core/file_view.hpp"
#include "core/host_texts.hpp"
#include "core/screen_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

namespace {

class ViewerModal : public Modal {
 public:
  ViewerModal(Terminal &term, const std::string &path, hostcore::HistoryStore &histories)
      : term_(term), path_(path), histories_(histories) {}
  hostcore::FileView View;

  void Draw(Terminal &term) override {
    int rows = TextRows(term), width = term.Width();
    uint64_t top = hex_ ? hexView_.Top() : View.Top();
    uint64_t size = View.Size();
    int percent = size == 0 ? 100 : static_cast<int>(top * 100 / size);
    std::string where = " " + std::to_string(top) + "/" + std::to_string(size) + " " +
                        std::to_string(percent) + "% ";
    std::string head = Say(HostText::ViewHead, {hostcore::ShowableText(path_)}) +
                       (note_.empty() ? "" : "  " + note_);
    int headWidth = std::max(0, width - hostcore::TextWidth(where));
    term.Put(0, 0, hostcore::FitText(head, headWidth, false, true), Role::EditorStatus);
    term.Put(0, headWidth, where, Role::EditorStatus);
    std::vector<std::string> shown = hex_ ? hexView_.Rows(rows) : View.Rows(rows);
    int left = hex_ ? 0 : View.LeftCell;
    for (int row = 0; row < rows; ++row) {
      std::string text = row < static_cast<int>(shown.size())
                             ? hostcore::CellSlice(shown[static_cast<size_t>(row)], left, width)
                             : std::string(static_cast<size_t>(width), ' ');
      term.Put(1 + row, 0, text, Role::EditorText);
    }
    std::vector<std::string> keys = KeyBarLabels(Place::Viewer);
    if (hex_) keys[3] = Say(HostText::KeyText);
    DrawKeyBar(term, term.Height() - 1, keys);
    term.HideCursor();
  }

  void OnEvent(const Event &event) override {
    hostcore::KeyPress key;
    if (event.What == Event::Mouse) {
      // The wheel scrolls; a click on the key bar is its key.
      if (!KeyBarClick(term_, event.Pointer, key)) {
        if (event.Pointer.What == MouseEvent::WheelUp) Scroll(hostcore::KeyOf(vk::Up), kWheelRows);
        if (event.Pointer.What == MouseEvent::WheelDown)
          Scroll(hostcore::KeyOf(vk::Down), kWheelRows);
        return;
      }
    } else if (event.What == Event::Key) {
      key = event.Press;
    } else {
      return;
    }
    note_.clear();
    const KeyBinding *binding = FindKey(Place::Viewer, key);
    if (binding == nullptr) return;
    switch (binding->What) {
      case Action::Leave:
        return End();
      case Action::Help:
        return RunHelp(term_);
      case Action::HexView:
        return ToggleHex();
      case Action::Search:
      case Action::SearchAgain:
        return Search(binding->What == Action::Search);
      case Action::Scroll:
        return Scroll(key, 1);
      default:
        return;
    }
  }

 private:
  void ToggleHex() {
    if (!hex_ && !hexOpen_) {
      std::string error;
      if (!hexView_.Open(path_, error)) {
        note_ = error;
        return;
      }
      hexOpen_ = true;
    }
    hex_ = !hex_;
    if (hex_) hexView_.ShowByte(View.Top());
  }

  // F7 asks and finds from the top of the screen, Shift+F7 (and "n") finds
  // the next.  The match's row comes to the top, and the window moves right
  // when the match lies beyond it.
  void Search(bool ask) {
    if (ask && !AskSearchText(term_, histories_, needle_)) return;
    if (needle_.empty()) return;
    int cell = 0;
    if (!View.Find(needle_, ask, cell)) {
      note_ = Say(HostText::ErrorNotFound, {needle_});
      return;
    }
    if (hex_) hexView_.ShowByte(View.Top());
    int width = term_.Width();
    if (cell < View.LeftCell || cell >= View.LeftCell + width)
      View.LeftCell = std::max(0, cell - width / 2);
  }

  void Scroll(const hostcore::KeyPress &key, int rows) {
    int page = std::max(1, TextRows(term_) - 1);
    if (hex_) {
      if (Is(key, vk::Down)) hexView_.Down(rows);
      if (Is(key, vk::Up)) hexView_.Up(rows);
      if (Is(key, vk::Next)) hexView_.Down(page);
      if (Is(key, vk::Prior)) hexView_.Up(page);
      if (key.Vk == vk::Home) hexView_.ToStart();
      if (key.Vk == vk::End) hexView_.ToEnd(TextRows(term_));
      return;
    }
    if (Is(key, vk::Down)) {
      View.Down(rows);
    } else if (Is(key, vk::Up)) {
      View.Up(rows);
    } else if (Is(key, vk::Next)) {
      View.Down(page);
    } else if (Is(key, vk::Prior)) {
      View.Up(page);
    } else if (key.Vk == vk::Home) {
      View.ToStart();
      View.LeftCell = 0;
    } else if (key.Vk == vk::End) {
      View.ToEnd(TextRows(term_));
    } else if (Is(key, vk::Right)) {
      ++View.LeftCell;
    } else if (Is(key, vk::Left)) {
      View.LeftCell = std::max(0, View.LeftCell - 1);
    }
  }

  Terminal &term_;
  const std::string &path_;
  hostcore::HistoryStore &histories_;
  std::string needle_, note_;
  HexView hexView_;
  bool hex_ = false, hexOpen_ = false;
};

}  // namespace

bool RunViewer(Terminal &term, const std::string &path, hostcore::HistoryStore &histories,
               std::string &error) {
  ViewerModal modal(term, path, histories);
  if (!modal.View.Open(path, error)) return false;
  RunModal(term, modal);
  return true;
}

}  // namespace console
