// The viewer.
#include "console/viewer.hpp"

#include "console/text_view.hpp"
#include "core/text_document.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

bool RunViewer(Terminal &term, const std::string &path, hostcore::HistoryStore &histories,
               std::string &error) {
  hostcore::TextDocument document;
  document.ReadOnly = true;
  if (!hostcore::LoadDocument(path, document, error)) return false;
  std::string needle, note;
  const std::vector<std::string> keys = {"Help", "", "Quit", "", "", "", "Search", "", "", "Quit"};
  term.PushLayer([&] { DrawTextView(term, document, "View: " + path, keys, note); });
  for (;;) {
    term.Redraw();
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    if (mouse.What != MouseEvent::None && !TextViewMouse(term, document, mouse, key)) continue;
    note.clear();
    if (Is(key, vk::Escape) || Is(key, vk::F(3)) || Is(key, vk::F(10))) break;
    if (SearchKey(term, document, key, histories, needle, note)) continue;
    hostcore::DocumentKey(document, key, TextRows(term));
  }
  term.PopLayer();
  return true;
}

}  // namespace console
