// The editor.
#include "console/editor.hpp"

#include "console/message_box.hpp"
#include "console/text_view.hpp"
#include "core/text_document.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

hostcore::EditorOutcome RunEditor(Terminal &term, const hostcore::EditorRequest &request,
                                  hostcore::HistoryStore &histories) {
  hostcore::EditorOutcome outcome;
  hostcore::TextDocument document;
  document.ReadOnly = request.Locked;
  std::string error;
  if (!hostcore::LoadDocument(request.FileName, document, error)) {
    if (!(request.Flags & EF_CREATENEW)) {
      AskUser(term, "Editor", {error}, {"OK"}, true);
      outcome.Opened = false;
      return outcome;
    }
    document = hostcore::TextDocument();
  }
  document.ReadOnly = request.Locked;
  document.Row = std::max(0, request.StartLine);
  std::string title = request.Title.empty() ? request.FileName : request.Title;
  std::string needle, note;
  const std::vector<std::string> editKeys = {"Help", "Save",   "", "", "",
                                             "",     "Search", "", "", "Quit"};
  const std::vector<std::string> lockedKeys = {"Help", "",       "", "", "",
                                               "",     "Search", "", "", "Quit"};
  term.PushLayer([&] {
    DrawTextView(term, document, title, document.ReadOnly ? lockedKeys : editKeys, note);
  });
  auto save = [&] {
    if (hostcore::SaveDocument(request.FileName, document, error)) {
      outcome.SavedChange = true;
      note = "saved";
      return true;
    }
    AskUser(term, "Editor", {error}, {"OK"}, true);
    return false;
  };
  for (;;) {
    term.Redraw();
    hostcore::KeyPress key;
    MouseEvent mouse;
    if (!term.NextKey(key, &mouse)) break;
    if (mouse.What != MouseEvent::None && !TextViewMouse(term, document, mouse, key)) continue;
    note.clear();
    if (Is(key, vk::Escape) || Is(key, vk::F(10))) {
      if (!document.Modified) break;
      int answer = AskUser(term, "Editor", {"The file has been changed. Save it?"},
                           {"&Save", "&Do not save", "Continue &editing"}, false);
      if (answer == 0 && save()) break;
      if (answer == 1) break;
      continue;
    }
    if (!document.ReadOnly && Is(key, vk::F(2))) {
      if (document.Modified) save();
      continue;
    }
    if (SearchKey(term, document, key, histories, needle, note)) continue;
    hostcore::DocumentKey(document, key, TextRows(term));
  }
  term.PopLayer();
  return outcome;
}

}  // namespace console
