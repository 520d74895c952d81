// Rescuing unsaved text as the host ends, and saying so at the next start.
#include "console/unsaved_rescue.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "console/message_box.hpp"
#include "core/host_texts.hpp"
#include "core/whole_file.hpp"

namespace console {

namespace {

std::string NotesFolder;

// The notes are kept as data, one per line with its fields after a tab, and
// said at the next start in the language of that start.
const char kFileNote[] = "file";
const char kPluginNote[] = "plug-in";

std::vector<std::string> Fields(const std::string &line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

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
    AddNote(std::string(kPluginNote) + "\t" +
            (request.Title.empty() ? request.FileName : request.Title));
    return true;
  }
  const std::string recovery = RecoveryName(request.FileName);
  if (hostcore::ReplaceFileWhole(recovery, hostcore::DocumentText(document),
                                 hostcore::LinkRule::Replace, 0600, error))
    AddNote(std::string(kFileNote) + "\t" + request.FileName + "\t" + recovery);
  return false;
}

std::vector<std::string> TakeRescueNotes() {
  std::vector<std::string> notes;
  const std::string path = NotesPath();
  if (path.empty() || !Taken(path)) return notes;
  std::istringstream text(ReadAll(path));
  for (std::string line; std::getline(text, line);) {
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() == 3 && fields[0] == kFileNote) {
      notes.push_back(hostcore::Say(hostcore::HostText::RescuedFileText, {fields[1]}));
      notes.push_back(hostcore::Say(hostcore::HostText::RescuedFileSavedAs, {fields[2]}));
    } else if (fields.size() == 2 && fields[0] == kPluginNote) {
      notes.push_back(hostcore::Say(hostcore::HostText::RescuedPluginText, {fields[1]}));
      notes.push_back(hostcore::Say(hostcore::HostText::RescuedPluginHandedOver));
    }
  }
  unlink(path.c_str());
  return notes;
}

void SayWhatWasRescued(Terminal &term) {
  const std::vector<std::string> notes = TakeRescueNotes();
  if (!notes.empty())
    AskUser(term, hostcore::Say(hostcore::HostText::TitleRescued), notes,
            {hostcore::Say(hostcore::HostText::ButtonOk)}, false);
}

}  // namespace console
