// Text the editor holds unsaved when the host is ended by a signal (the
// terminal hung up, or SIGTERM) is not lost: a file's text goes into a
// recovery file beside it, and a plug-in's editor (a commit message) saves
// its text into the plug-in's file, so that the plug-in keeps it as the
// user saving it would.  Each rescue leaves a note in the user's state
// folder, and the next start says what was kept where.
#ifndef QUILLET_CONSOLE_UNSAVED_RESCUE_HPP
#define QUILLET_CONSOLE_UNSAVED_RESCUE_HPP

#include <string>
#include <vector>

#include "console/terminal.hpp"
#include "core/front_end.hpp"
#include "core/text_document.hpp"

namespace console {

// The folder that keeps the notes (the histories' folder); "" keeps none.
void SetRescueFolder(const std::string &folder);

// Saves the unsaved text of `document`, opened for `request`, as the host
// ends; true when the plug-in's own file now holds it (the editor then
// ends as if the user had saved).
bool RescueUnsavedText(const hostcore::EditorRequest &request, hostcore::TextDocument &document);

// The name a file's text is rescued under: "<file>.recovered", or with a
// number after it where that name is taken.
std::string RecoveryName(const std::string &file);

// The notes of the last end, once: shown in a box and then removed.
std::vector<std::string> TakeRescueNotes();
void SayWhatWasRescued(Terminal &term);

}  // namespace console

#endif
