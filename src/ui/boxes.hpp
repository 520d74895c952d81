// The message boxes the module shows: errors, notices, the confirmation
// before a command, and the question before cvs
// runs where a working copy could make it start a program.
#ifndef QUILLET_UI_BOXES_HPP
#define QUILLET_UI_BOXES_HPP

#include <string>
#include <vector>

#include "runner/cvs_args.hpp"
#include "runner/temp_file.hpp"
#include "working_copy/cvs_visits.hpp"

// A warning box with one OK button: "Error", then `lines` ("\n" between).
void ShowErrorText(const std::string &lines);
// A plain box with one OK button: the title, then `lines`.
void ShowNotice(const std::string &title, const std::string &lines);

// OK/Cancel box listing up to ten names under a heading that names the
// command by `verb`; 0 = go on.
int ConfirmCommand(const char *verb, const Selection &selection);
// The all-in-one text of that box: heading line, up to ten names, "...".
std::string ConfirmationText(const char *verb, const Selection &selection);

// A fresh temporary file (TempFile::Take), and when none can be made a
// warning box that names each folder tried and why it failed.
TempFile TempFileOrSay(const char *fallbackVariable);

// Asks, in a warning box that says what was found, whether a command the
// user chose may run cvs on `selection` (CheckCommandFolders); "Cancel" is
// the default.  True when nothing is in the way or the user chose to run
// all the same.
bool MayRunCvsOn(const Selection &selection, bool recursive);
// The same for a command on the whole current folder and below.
bool MayRunOnCurrentFolderRoot();
// CheckCommandFolders on a worker thread; when it takes more than a moment
// a small dialog shows, whose Break ends the walk (it then ends Unchecked).
VisitFinding CheckWithBreak(const Selection &folders, bool recursive, const VisitLimits &limits);
// What stands in the way of cvs on `selection` once the questions that the
// user's word settles for the session are asked: nothing, a finding the
// user declined, or one of the kinds that are asked about at each run.
// The check is kept, to be made again right before cvs starts.
VisitFinding FindingAfterQuestions(const Selection &selection, bool recursive);
// For the panel's own runs in `directory` (not below it): what stands in
// the way.  A finding that needs the user's word is asked about once a
// session (Cancel the default); agreed, it no longer stands in the way.
VisitFinding PanelFinding(const std::string &directory);

#endif
