// Commit: the log message is written in the editor on a prepared template
// of "CVS:" lines, and "cvs commit -F" runs on the selection with the
// user's text alone.
#include <stdio.h>

#include "commands/commands.hpp"
#include "commands/kept_message.hpp"
#include "commands/path_match.hpp"
#include "os/os.hpp"
#include "runner/temp_file.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"
#include "ui/editor.hpp"

namespace {

const char kHomePage[] = "https://quillet.example/";

// The beginning of every template line: cvs's own mark for the lines of
// a message that are not part of it.
const char kTemplateMark[] = "CVS:";

std::string TemplateLine(const std::string &text) { return kTemplateMark + (" " + text) + "\n"; }
std::string DashLine() { return TemplateLine(std::string(70, '-')); }

// Writes `text` into a new file; false when it cannot be created or written
// whole (a full disk).
bool WriteTextFile(const std::string &path, const std::string &text) {
  os::OwnedFile file = OpenTempFile(path, "wt");
  if (file == nullptr) return false;
  bool written = fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return os::CloseFile(file) && written;
}

bool ReadTextFile(const std::string &path, std::string &text) {
  text.clear();
  const os::OwnedFile file = OpenTempFile(path, "rt");
  if (file == nullptr) return false;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  return ferror(file.get()) == 0;
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size() - 1;
    lines.push_back(text.substr(start, end + 1 - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string MessageWithoutTemplate(const std::string &edited) {
  std::string text;
  for (const std::string &line : Lines(edited)) {
    if (line.compare(0, sizeof kTemplateMark - 1, kTemplateMark) == 0) continue;
    // Blank lines before the first line of text are the template's room
    // for it, not part of the message.
    if (text.empty() && line.find_first_not_of(" \t\r\n") == std::string::npos) continue;
    text += line;
    if (text.back() != '\n') text += '\n';
  }
  // Nor are blank lines after the last.
  const size_t last = text.find_last_not_of(" \t\r\n");
  if (last == std::string::npos) return std::string();
  return text.substr(0, text.find('\n', last) + 1);
}

std::string CommitTemplateText(bool withList, const Selection &selection,
                               const std::vector<std::string> &modified, bool &haveFiles,
                               const std::vector<std::string> &removed) {
  std::string text;
  haveFiles = !withList;
  auto listPaths = [&](const char *heading, const std::vector<std::string> &paths) {
    std::string lines;
    auto list = [&lines, &haveFiles](const std::string &path) {
      lines += TemplateLine("    " + path);
      haveFiles = true;
    };
    if (selection.size() == 1 && selection[0] == ".") {
      for (const std::string &path : paths) list(path);
    } else {
      // A selected name lists every changed path it occurs in, so a
      // selected folder lists the files below it.
      for (const std::vector<size_t> &holding : PathsHolding(selection, paths)) {
        for (size_t path : holding) list(paths[path]);
      }
    }
    if (heading != nullptr && lines.empty()) return;
    text += TemplateLine(heading != nullptr ? heading : "Modified and Added Files:") + lines;
  };
  if (withList) {
    text += DashLine();
    listPaths(nullptr, modified);
    listPaths("Removed Files:", removed);
  }
  text += DashLine();
  text += TemplateLine(std::string("Orvelle CVS Plugin fo FAR Manager ") + kHomePage + "  ");
  return text;
}

namespace {

// What the user sees after a commit that did not go through: whether the
// message is kept, and why cvs refused when the cause is a conflict.
std::vector<std::string> FailureNotes(const RunVerdict &verdict, bool keptOnDisk,
                                      const std::string &keptPath) {
  std::vector<std::string> notes = {MessageText(MCommitKept)};
  if (!keptOnDisk) {
    notes.push_back(MessageText(MCommitKeptNotSaved));
    if (!keptPath.empty()) notes.push_back(keptPath);
  }
  if (verdict.Scan.ConflictMarkers) notes.push_back(MessageText(MCommitConflicts));
  return notes;
}

}  // namespace

bool CommitFiles(const Selection &selection, bool withList) {
  // Both files are had before the user writes a word: a machine that
  // cannot give the second must not cost the message written for the first.
  TempFile messageFile = TempFileOrSay("HOME");
  if (messageFile.empty()) return false;
  CvsRun cvs(ExitRule::ZeroOnly, "HOME");
  if (!cvs.Ready()) return false;
  cvs.ReadEvenOnSuccess();
  const std::string &templatePath = messageFile.Path();
  const std::string workingCopy = os::CurrentDir();

  std::vector<std::string> modified, removed;
  if (withList) {
    Selection changed, gone;
    if (!CollectChanges(".", changed, gone)) return false;
    modified.assign(changed.begin(), changed.end());
    removed.assign(gone.begin(), gone.end());
  }
  bool haveFiles = false;
  const std::string written = CommitTemplateText(withList, selection, modified, haveFiles, removed);
  if (!haveFiles) {
    ShowNotice(MessageText(MVerbCommit), MessageText(MCommitNothing));
    return true;
  }
  // A message that did not reach the repository last time comes first,
  // above the fresh list; else the first line is left empty for the user,
  // where the editor's cursor stands.
  std::string kept = LoadKeptMessage(workingCopy);
  if (kept.empty() || kept.back() != '\n') kept += '\n';
  if (!WriteTextFile(templatePath, kept + written)) {
    ShowErrorText(std::string(MessageText(MCommitNotWritten)) + "\n" + templatePath);
    return false;
  }

  int edited = EditFile(templatePath.c_str(), MessageText(MEditorTitle), EF_DISABLEHISTORY);
  if (edited != EEC_MODIFIED) return false;
  // An editor may save a file whole by putting a new one at its name.
  messageFile.HoldAsItIsNow();
  std::string message;
  if (!ReadTextFile(templatePath, message)) {
    ShowErrorText(std::string(MessageText(MCommitNotRead)) + "\n" + templatePath);
    return false;
  }
  message = MessageWithoutTemplate(message);
  if (message.empty()) {
    ShowErrorText(MessageText(MCommitOnlyTemplate));
    return false;
  }
  // Kept before anything else can happen to it: a host ended during the
  // question or the run must not cost it.
  const bool keptOnDisk = KeepMessage(workingCopy, message);
  if (ConfirmCommand(MessageText(MVerbCommit), selection) != 0) return false;
  // cvs takes a message file as it stands: the template's lines are left
  // out here, so that the log holds only what the user wrote.
  if (!WriteTextFile(templatePath, message)) {
    ShowErrorText(std::string(MessageText(MCommitNotWritten)) + "\n" + templatePath);
    return false;
  }

  CvsArgs args = {"cvs", "commit", "-F", templatePath};
  args.AddFileOperands(selection);
  const RunVerdict &verdict = cvs.Run(args);
  if (verdict.Ok()) {
    // cvs ends well when it found nothing to commit: the message reached
    // no log, and stays kept.
    if (verdict.Scan.FilesCommitted == 0)
      ShowNotice(MessageText(MVerbCommit), MessageText(MCommitNothing));
    else
      ForgetKeptMessage(workingCopy);
    cvs.Show();
  } else {
    cvs.Show(FailureNotes(verdict, keptOnDisk, KeptMessagePath(workingCopy)));
  }
  return true;
}
