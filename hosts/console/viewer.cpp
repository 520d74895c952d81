// The viewer: the file read a screen at a time from where it is shown.
#include "console/viewer.hpp"

#include "console/key_bar.hpp"
#include "console/mouse.hpp"
#include "console/text_view.hpp"
#include "core/column_layout.hpp"
#include "core/file_view.hpp"
#include "core/host_texts.hpp"
#include "core/screen_text.hpp"

namespace console {

using hostcore::HostText;
using hostcore::Say;

namespace vk = hostcore::vk;
using hostcore::Is;

namespace {

void DrawFileView(Terminal &term, hostcore::FileView &view, const std::string &path,
                  const std::vector<std::string> &keys, const std::string &note) {
  int rows = TextRows(term), width = term.Width();
  uint64_t size = view.Size();
  int percent = size == 0 ? 100 : static_cast<int>(view.Top() * 100 / size);
  std::string where = " " + std::to_string(view.Top()) + "/" + std::to_string(size) + " " +
                      std::to_string(percent) + "% ";
  std::string head =
      Say(HostText::ViewHead, {hostcore::ShowableText(path)}) + (note.empty() ? "" : "  " + note);
  int headWidth = std::max(0, width - hostcore::TextWidth(where));
  term.Put(0, 0, hostcore::FitText(head, headWidth, false, true), Role::EditorStatus);
  term.Put(0, headWidth, where, Role::EditorStatus);
  std::vector<std::string> shown = view.Rows(rows);
  for (int row = 0; row < rows; ++row) {
    std::string text =
        row < static_cast<int>(shown.size())
            ? hostcore::CellSlice(shown[static_cast<size_t>(row)], view.LeftCell, width)
            : std::string(static_cast<size_t>(width), ' ');
    term.Put(1 + row, 0, text, Role::EditorText);
  }
  DrawKeyBar(term, term.Height() - 1, keys);
  term.HideCursor();
}

// F7 asks and finds from the top of the screen, Shift+F7 (and "n") finds
// the next; "/" asks too.  The match's row comes to the top, and the
// window moves right when the match lies beyond it.
bool ViewerSearchKey(Terminal &term, hostcore::FileView &view, const hostcore::KeyPress &key,
                     hostcore::HistoryStore &histories, std::string &needle, std::string &note) {
  bool ask = Is(key, vk::F(7)) || (key.Char == '/' && key.Mods == 0);
  bool again = Is(key, vk::F(7), PKF_SHIFT) || (key.Char == 'n' && key.Mods == 0);
  if (!ask && !again) return false;
  if (ask && !AskSearchText(term, histories, needle)) return true;
  if (needle.empty()) return true;
  int cell = 0;
  if (!view.Find(needle, ask, cell)) {
    note = Say(HostText::ErrorNotFound, {needle});
    return true;
  }
  int width = term.Width();
  if (cell < view.LeftCell || cell >= view.LeftCell + width)
    view.LeftCell = std::max(0, cell - width / 2);
  return true;
}

// The wheel scrolls; a click on the key bar is its key (true, in `key`).
bool ViewerMouse(const Terminal &term, hostcore::FileView &view, const MouseEvent &mouse,
                 hostcore::KeyPress &key) {
  if (KeyBarClick(term, mouse, key)) return true;
  if (mouse.What == MouseEvent::WheelUp) view.Up(kWheelRows);
  if (mouse.What == MouseEvent::WheelDown) view.Down(kWheelRows);
  return false;
}

}  // namespace

bool RunViewer(Terminal &term, const std::string &path, hostcore::HistoryStore &histories,
               std::string &error) {
  hostcore::FileView view;
  if (!view.Open(path, error)) return false;
  std::string needle, note;
  const std::vector<std::string> keys = hostcore::SayKeys({{1, HostText::KeyHelp},
                                                           {3, HostText::KeyQuit},
                                                           {7, HostText::KeySearch},
                                                           {10, HostText::KeyQuit}},
                                                          10);
  term.PushLayer([&] { DrawFileView(term, view, path, keys, note); });
  for (;;) {
    term.Redraw();
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    if (mouse.What != MouseEvent::None && !ViewerMouse(term, view, mouse, key)) continue;
    note.clear();
    int page = std::max(1, TextRows(term) - 1);
    if (Is(key, vk::Escape) || Is(key, vk::F(3)) || Is(key, vk::F(10))) break;
    if (ViewerSearchKey(term, view, key, histories, needle, note)) continue;
    if (Is(key, vk::Down)) {
      view.Down(1);
    } else if (Is(key, vk::Up)) {
      view.Up(1);
    } else if (Is(key, vk::Next)) {
      view.Down(page);
    } else if (Is(key, vk::Prior)) {
      view.Up(page);
    } else if (Is(key, vk::Home) || Is(key, vk::Home, PKF_CONTROL)) {
      view.ToStart();
      view.LeftCell = 0;
    } else if (Is(key, vk::End) || Is(key, vk::End, PKF_CONTROL)) {
      view.ToEnd(TextRows(term));
    } else if (Is(key, vk::Right)) {
      ++view.LeftCell;
    } else if (Is(key, vk::Left)) {
      view.LeftCell = std::max(0, view.LeftCell - 1);
    }
  }
  term.PopLayer();
  return true;
}

}  // namespace console
