// Commit: the log message is written in the editor on a prepared template,
// then "cvs commit -F <template>" runs on the selection.
#include <stdio.h>

#include "commands/commands.hpp"
#include "commands/path_match.hpp"
#include "host/host.hpp"
#include "ui/boxes.hpp"
#include "ui/editor.hpp"
#include "ui/run_dialog.hpp"

namespace {

const char kHomePage[] = "https://quillet.example/";

std::string DashLine() { return ": " + std::string(70, '-') + "\n"; }

// What the user wrote in a commit that did not reach the repository (the
// commit failed, was broken off or was not confirmed); the next commit's
// template offers it again.  Kept while the module stays loaded.
std::string KeptMessage;

// Writes `text` into a new file; false when it cannot be created or written
// whole (a full disk).
bool WriteTextFile(const std::string &path, const std::string &text) {
  os::OwnedFile file = os::OpenFile(path, "wt");
  if (file == nullptr) return false;
  bool written = fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return os::CloseFile(file) && written;
}

bool ReadTextFile(const std::string &path, std::string &text) {
  text.clear();
  const os::OwnedFile file = os::OpenFile(path, "rt");
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

std::string UsersText(const std::string &edited, const std::string &written) {
  // Each line the module wrote is taken away once; the rest, in its order,
  // is the user's.
  std::vector<std::string> ours = Lines(written);
  std::string text;
  for (std::string line : Lines(edited)) {
    std::string bare = line;
    if (!bare.empty() && bare.back() != '\n') bare += '\n';
    bool found = false;
    for (std::string &mine : ours) {
      if (!mine.empty() && mine == bare) {
        mine.clear();
        found = true;
        break;
      }
    }
    if (!found) text += bare;
  }
  // Nothing but blank lines is no message.
  return text.find_first_not_of(" \t\r\n") == std::string::npos ? std::string() : text;
}

std::string CommitTemplateText(bool withList, const Selection &selection,
                               const std::vector<std::string> &modified, bool &haveFiles) {
  std::string text;
  haveFiles = !withList;
  if (withList) {
    text += DashLine();
    text += ": Modified and Added Files:\n";
    bool wholeDirectory = selection.size() == 1 && selection[0] == ".";
    auto list = [&text, &haveFiles](const std::string &path) {
      text += ":     ";
      text += path;
      text += '\n';
      haveFiles = true;
    };
    if (wholeDirectory) {
      for (const std::string &path : modified) list(path);
    } else {
      // A selected name lists every changed path it occurs in, so a
      // selected folder lists the files below it.
      for (const std::vector<size_t> &holding : PathsHolding(selection, modified)) {
        for (size_t path : holding) list(modified[path]);
      }
    }
  }
  text += DashLine();
  text += ": Orvelle CVS Plugin fo FAR Manager ";
  text += kHomePage;
  text += "  \n";
  return text;
}

bool CommitFiles(const Selection &selection, bool withList) {
  // Both names are had before the user writes a word: a machine that
  // cannot give the second must not cost the message written for the first.
  const TempFile messageFile = TempFileOrSay("HOME");
  if (messageFile.empty()) return false;
  const TempFile output = TempFileOrSay("HOME");
  if (output.empty()) return false;
  const std::string &templatePath = messageFile.Path();

  std::vector<std::string> modified;
  if (withList) {
    Selection found;
    if (!CollectModified(".", found, false)) return false;
    modified.assign(found.begin(), found.end());
  }
  bool haveFiles = false;
  const std::string written = CommitTemplateText(withList, selection, modified, haveFiles);
  if (!haveFiles) return true;
  // A message that did not reach the repository last time comes back under
  // the fresh list.
  if (!WriteTextFile(templatePath, written + KeptMessage)) {
    ShowErrorText(std::string(GetMsg(MCommitNotWritten)) + "\n" + templatePath);
    return false;
  }

  int edited = EditFile(templatePath.c_str(), GetMsg(MEditorTitle), EF_DISABLEHISTORY);
  if (edited != EEC_MODIFIED) return false;
  std::string message;
  if (!ReadTextFile(templatePath, message)) {
    ShowErrorText(std::string(GetMsg(MCommitNotRead)) + "\n" + templatePath);
    return false;
  }
  const std::string usersText = UsersText(message, written);
  if (ConfirmCommand(GetMsg(MVerbCommit), selection) != 0) {
    KeptMessage = usersText;
    return false;
  }

  CvsArgs args = {"cvs", "commit", "-F", templatePath};
  args.AddFileOperands(selection);

  int exitCode = RunCvs(args, output.c_str());
  if (exitCode == 0) {
    KeptMessage.clear();
    ReportOutcome(exitCode, output.c_str());
  } else {
    KeptMessage = usersText;
    ReportOutcome(exitCode, output.c_str(),
                  usersText.empty() ? nullptr : GetMsg(MCommitKept));
  }
  return true;
}
