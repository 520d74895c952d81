// Rescuing unsaved text as the host ends, and saying so at the next start.
#include "console/unsaved_rescue.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "console/message_box.hpp"
#include "core/whole_file.hpp"

namespace console {

namespace {

std::string NotesFolder;

std::string NotesPath() { return NotesFolder.empty() ? "" : NotesFolder + "/rescued"; }

bool Taken(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

std::string ReadAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Adds one note for the next start; the notes file is written whole.
void AddNote(const std::string &note) {
  const std::string path = NotesPath();
  if (path.empty()) return;
  std::string error;
  hostcore::ReplaceFileWhole(path, ReadAll(path) + note + "\n", hostcore::LinkRule::Replace, 0600,
                             error);
}

}  // namespace

void SetRescueFolder(const std::string &folder) { NotesFolder = folder; }

std::string RecoveryName(const std::string &file) {
  std::string name = file + ".recovered";
  for (int number = 1; Taken(name) && number < 1000; ++number)
    name = file + ".recovered." + std::to_string(number);
  return name;
}

bool RescueUnsavedText(const hostcore::EditorRequest &request, hostcore::TextDocument &document) {
  std::string error;
  if (request.ForPlugin) {
    // The plug-in gets the text as if the user had saved it: it keeps the
    // message it was being written for.
    if (!hostcore::SaveDocument(request.FileName, document, error)) return false;
    AddNote("The text written in \"" + (request.Title.empty() ? request.FileName : request.Title) +
            "\" was handed to the plug-in when Quillet was ended.");
    return true;
  }
  const std::string recovery = RecoveryName(request.FileName);
  if (hostcore::ReplaceFileWhole(recovery, hostcore::DocumentText(document),
                                 hostcore::LinkRule::Replace, 0600, error))
    AddNote("Unsaved text of " + request.FileName + " was saved as " + recovery +
            " when Quillet was ended.");
  return false;
}

std::vector<std::string> TakeRescueNotes() {
  std::vector<std::string> notes;
  const std::string path = NotesPath();
  if (path.empty() || !Taken(path)) return notes;
  std::istringstream text(ReadAll(path));
  for (std::string line; std::getline(text, line);)
    if (!line.empty()) notes.push_back(line);
  unlink(path.c_str());
  return notes;
}

void SayWhatWasRescued(Terminal &term) {
  const std::vector<std::string> notes = TakeRescueNotes();
  if (!notes.empty()) AskUser(term, "Kept when Quillet was ended", notes, {"OK"}, false);
}

}  // namespace console
