// Commit: the log message is written in the editor on a prepared template,
// then "cvs commit -F <template>" runs on the selection.
#include <stdio.h>

#include "commands/commands.hpp"
#include "commands/path_match.hpp"
#include "host/host.hpp"

namespace {

const char kHomePage[] = "https://quillet.example/";
const int kCommitEntry = 1;

std::string DashLine() { return ": " + std::string(70, '-') + "\n"; }

// What the user wrote in a commit that did not reach the repository (the
// commit failed, was broken off or was not confirmed); the next commit's
// template offers it again.  Kept while the module stays loaded.
std::string KeptMessage;

// Writes `text` into a new file; false when it cannot be created or written
// whole (a full disk).
bool WriteTextFile(const std::string &path, const std::string &text) {
  FILE *file = fopen(path.c_str(), "wt");
  if (file == nullptr) return false;
  bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return fclose(file) == 0 && written;
}

bool ReadTextFile(const std::string &path, std::string &text) {
  text.clear();
  FILE *file = fopen(path.c_str(), "rt");
  if (file == nullptr) return false;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  bool read = ferror(file) == 0;
  fclose(file);
  return read;
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
  std::string templatePath = TempFileNameOrSay("HOME");
  if (templatePath.empty()) return false;
  std::string outputPath = TempFileNameOrSay("HOME");
  if (outputPath.empty()) {
    os::RemoveFile(templatePath);
    return false;
  }
  struct Cleanup {
    const std::string &first, &second;
    ~Cleanup() {
      os::RemoveFile(first);
      os::RemoveFile(second);
    }
  } cleanup{templatePath, outputPath};

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
    ShowErrorText("The commit message file cannot be written:\n" + templatePath);
    return false;
  }

  int edited =
      HostInfo.Editor(templatePath.c_str(), "CVS log", -1, -1, -1, -1, EF_DISABLEHISTORY, 0, 1);
  if (edited != EEC_MODIFIED) return false;
  std::string message;
  if (!ReadTextFile(templatePath, message)) {
    ShowErrorText("The commit message file cannot be read back:\n" + templatePath);
    return false;
  }
  const std::string usersText = UsersText(message, written);
  if (ConfirmCommand(kCommitEntry, selection) != 0) {
    KeptMessage = usersText;
    return false;
  }

  CvsArgs args;
  args.push_back("cvs");
  args.push_back("commit");
  args.push_back("-F");
  args.push_back(templatePath.c_str());
  AppendFileOperands(args, selection);
  args.push_back(nullptr);

  int exitCode = RunCvs(args.data(), outputPath.c_str());
  if (exitCode == 0) {
    KeptMessage.clear();
    ReportOutcome(exitCode, outputPath.c_str());
  } else {
    KeptMessage = usersText;
    ReportOutcome(exitCode, outputPath.c_str(),
                  usersText.empty() ? nullptr : "Your message is kept for the next commit.");
  }
  return true;
}
