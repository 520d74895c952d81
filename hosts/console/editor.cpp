// The editor.
#include "console/editor.hpp"

#include "console/message_box.hpp"
#include "console/text_view.hpp"
#include "console/viewer.hpp"
#include "core/host_texts.hpp"
#include "core/platform.hpp"
#include "core/text_document.hpp"
#include "core/whole_file.hpp"

namespace console {

using hostcore::HostText;
using hostcore::Say;

namespace vk = hostcore::vk;
using hostcore::Is;

hostcore::EditorOutcome RunEditor(Terminal &term, const hostcore::EditorRequest &request,
                                  hostcore::HistoryStore &histories) {
  hostcore::EditorOutcome outcome;
  hostcore::TextDocument document;
  document.ReadOnly = request.Locked;
  std::string error;
  uint64_t size = 0;
  if (request.Locked && hostcore::FileSize(request.FileName, size) &&
      size > hostcore::kLargestEditedFile) {
    // Locked text too large to edit (a long cvs log) is still shown: the
    // viewer reads what it shows, as F6 would switch to it.
    if (!RunViewer(term, request.FileName, histories, error))
      AskUser(term, Say(HostText::TitleEditor), {error}, {Say(HostText::ButtonOk)}, true);
    return outcome;
  }
  if (!hostcore::LoadDocument(request.FileName, document, error)) {
    if (!(request.Flags & EF_CREATENEW) || hostcore::IsPlainFile(request.FileName)) {
      AskUser(term, Say(HostText::TitleEditor), {error}, {Say(HostText::ButtonOk)}, true);
      outcome.Opened = false;
      return outcome;
    }
    document = hostcore::TextDocument();
  }
  document.ReadOnly = request.Locked;
  document.Row = std::max(0, request.StartLine);
  std::string title = request.Title.empty() ? request.FileName : request.Title;
  std::string needle, note;
  const std::vector<std::string> editKeys = hostcore::SayKeys({{1, HostText::KeyHelp},
                                                               {2, HostText::KeySave},
                                                               {7, HostText::KeySearch},
                                                               {10, HostText::KeyQuit}},
                                                              10);
  const std::vector<std::string> lockedKeys = hostcore::SayKeys(
      {{1, HostText::KeyHelp}, {7, HostText::KeySearch}, {10, HostText::KeyQuit}}, 10);
  term.PushLayer([&] {
    DrawTextView(term, document, title, document.ReadOnly ? lockedKeys : editKeys, note);
  });
  auto save = [&] {
    if (hostcore::SaveDocument(request.FileName, document, error)) {
      outcome.SavedChange = true;
      note = Say(HostText::EditorSaved);
      return true;
    }
    AskUser(term, Say(HostText::TitleEditor), {error}, {Say(HostText::ButtonOk)}, true);
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
      int answer = AskUser(term, Say(HostText::TitleEditor), {Say(HostText::AskSaveChanged)},
                           {Say(HostText::ButtonSave), Say(HostText::ButtonDoNotSave),
                            Say(HostText::ButtonKeepEditing)},
                           false);
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
