// The commit message that did not reach the repository (the commit failed,
// was declined, or the host ended first), kept on disk for the next commit
// in the same working copy: one file per working copy in the user's state
// folder, written whole, deleted once a commit there has gone through.
// Where no file can be written it is kept in memory while the module stays
// loaded.
#ifndef QUILLET_COMMANDS_KEPT_MESSAGE_HPP
#define QUILLET_COMMANDS_KEPT_MESSAGE_HPP

#include <string>

// The file that keeps the message of `workingCopy` (a full path), or ""
// when the user has no state folder.
std::string KeptMessagePath(const std::string &workingCopy);
// The message kept for `workingCopy`; "" when there is none.
std::string LoadKeptMessage(const std::string &workingCopy);
// Keeps `text` for the next commit in `workingCopy`; false when it could
// not be written to disk (it is then kept in memory only).
bool KeepMessage(const std::string &workingCopy, const std::string &text);
// The commit went through: nothing is kept for `workingCopy` any more.
void ForgetKeptMessage(const std::string &workingCopy);

#endif
