// The help screen.
#include "console/help.hpp"

#include "console/text_view.hpp"
#include "core/host_texts.hpp"
#include "core/text_document.hpp"

namespace console {

using hostcore::HostText;
using hostcore::Say;

namespace vk = hostcore::vk;
using hostcore::Is;

std::string HelpText() { return Say(HostText::HelpText); }

void RunHelp(Terminal &term) {
  hostcore::TextDocument document;
  document.ReadOnly = true;
  document.Lines.clear();
  const std::string text = HelpText();
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    document.Lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::string note;
  const std::vector<std::string> keys = hostcore::SayKeys({{10, HostText::KeyQuit}}, 10);
  term.PushLayer([&] { DrawTextView(term, document, Say(HostText::TitleHelp), keys, note); });
  for (;;) {
    term.Redraw();
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    if (mouse.What != MouseEvent::None && !TextViewMouse(term, document, mouse, key)) continue;
    if (Is(key, vk::Escape) || Is(key, vk::F(10)) || Is(key, vk::F(1))) break;
    hostcore::DocumentKey(document, key, TextRows(term));
  }
  term.PopLayer();
}

}  // namespace console
