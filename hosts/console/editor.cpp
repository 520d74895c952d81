// The editor.
#include "console/editor.hpp"

#include "console/file_stamp.hpp"
#include "console/help.hpp"
#include "console/key_table.hpp"
#include "console/message_box.hpp"
#include "console/modal.hpp"
#include "console/text_view.hpp"
#include "console/unsaved_rescue.hpp"
#include "console/viewer.hpp"
#include "core/host_texts.hpp"
#include "core/platform.hpp"
#include "core/text_document.hpp"
#include "core/whole_file.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

class EditorModal : public Modal {
 public:
  EditorModal(Terminal &term, const hostcore::EditorRequest &request,
              hostcore::HistoryStore &histories, hostcore::TextDocument &document,
              const FileStamp &stamp)
      : term_(term), request_(request), histories_(histories), document_(document), stamp_(stamp) {
    title_ = request.Title.empty() ? request.FileName : request.Title;
  }
  hostcore::EditorOutcome Outcome;

  void Draw(Terminal &term) override {
    DrawTextView(term, document_, title_, KeyBarLabels(Place::Editor, !document_.ReadOnly), note_);
  }
  void OnEvent(const Event &event) override {
    hostcore::KeyPress key;
    if (event.What == Event::Mouse) {
      if (!TextViewMouse(term_, document_, event.Pointer, key)) return;
    } else if (event.What == Event::Key) {
      key = event.Press;
    } else {
      return;
    }
    note_.clear();
    const KeyBinding *binding = FindKey(Place::Editor, key, false, !document_.ReadOnly);
    switch (binding != nullptr ? binding->What : Action::None) {
      case Action::Leave:
        return Leave();
      case Action::Help:
        return RunHelp(term_);
      case Action::Save:
        if (document_.Modified) Save();
        return;
      case Action::Search:
      case Action::SearchAgain:
        return SearchDocument(term_, document_, binding->What == Action::Search, histories_,
                              needle_, note_);
      case Action::DeleteLine:
        return hostcore::DeleteDocumentLine(document_);
      default:
        hostcore::DocumentKey(document_, key, TextRows(term_));
    }
  }

 private:
  void Leave() {
    if (!document_.Modified) return End();
    int answer = AskUser(term_, Say(HostText::TitleEditor), {Say(HostText::AskSaveChanged)},
                         {Say(HostText::ButtonSave), Say(HostText::ButtonDoNotSave),
                          Say(HostText::ButtonKeepEditing)},
                         false);
    if ((answer == 0 && Save()) || answer == 1) End();
  }
  // Saves, after asking when the file changed on the disk since it was
  // read or last saved (an update, another editor): saving would undo that.
  bool Save() {
    if (StampOf(request_.FileName) != stamp_) {
      int answer = AskUser(
          term_, Say(HostText::TitleEditor),
          {Say(HostText::ChangedOnDisk, {request_.FileName}), Say(HostText::ChangedOnDiskQuestion)},
          {Say(HostText::SaveOverButton), Say(HostText::DoNotSaveNowButton)}, true);
      if (answer != 0) return false;
    }
    std::string error;
    if (!hostcore::SaveDocument(request_.FileName, document_, error)) {
      AskUser(term_, Say(HostText::TitleEditor), {error}, {Say(HostText::ButtonOk)}, true);
      return false;
    }
    stamp_ = StampOf(request_.FileName);
    Outcome.SavedChange = true;
    note_ = Say(HostText::EditorSaved);
    return true;
  }

  Terminal &term_;
  const hostcore::EditorRequest &request_;
  hostcore::HistoryStore &histories_;
  hostcore::TextDocument &document_;
  // The file as it was read or last saved; taken before reading, so that a
  // change made while it was read counts as a change.
  FileStamp stamp_;
  std::string title_, needle_, note_;
};

}  // namespace

hostcore::EditorOutcome RunEditor(Terminal &term, const hostcore::EditorRequest &request,
                                  hostcore::HistoryStore &histories) {
  hostcore::EditorOutcome outcome;
  hostcore::TextDocument document;
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
  FileStamp stamp = StampOf(request.FileName);
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
  EditorModal modal(term, request, histories, document, stamp);
  RunModal(term, modal);
  // Ended with the host: what was typed is kept all the same.
  if (term.HungUp() && document.Modified && !document.ReadOnly &&
      RescueUnsavedText(request, document))
    modal.Outcome.SavedChange = true;
  return modal.Outcome;
}

}  // namespace console
