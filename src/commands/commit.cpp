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

// Writes `text` into a new file; false when it cannot be created or written.
bool WriteTextFile(const std::string &path, const std::string &text) {
  FILE *file = fopen(path.c_str(), "wt");
  if (file == nullptr) return false;
  bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
  return fclose(file) == 0 && written;
}

}  // namespace

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
  std::string templatePath = TempFileName("HOME");
  if (templatePath.empty()) return false;
  // The template's name is held from the start, before the query runs.
  if (!WriteTextFile(templatePath, "")) {
    os::RemoveFile(templatePath);
    return false;
  }

  std::vector<std::string> modified;
  if (withList) {
    Selection found;
    if (!CollectModified(".", found, false)) {
      os::RemoveFile(templatePath);
      return false;
    }
    modified.assign(found.begin(), found.end());
  }
  bool haveFiles = false;
  std::string text = CommitTemplateText(withList, selection, modified, haveFiles);
  if (!haveFiles) {
    os::RemoveFile(templatePath);
    return true;
  }
  if (!WriteTextFile(templatePath, text)) {
    os::RemoveFile(templatePath);
    return false;
  }

  int edited =
      HostInfo.Editor(templatePath.c_str(), "CVS log", -1, -1, -1, -1, EF_DISABLEHISTORY, 0, 1);
  if (edited != EEC_MODIFIED || ConfirmCommand(kCommitEntry, selection) != 0) {
    os::RemoveFile(templatePath);
    return false;
  }

  CvsArgs args;
  args.push_back("cvs");
  args.push_back("commit");
  args.push_back("-F");
  args.push_back(templatePath.c_str());
  AppendFileOperands(args, selection);
  args.push_back(nullptr);

  std::string outputPath = TempFileName("HOME");
  if (!outputPath.empty()) {
    int exitCode = RunCvs(args.data(), outputPath.c_str());
    ReportOutcome(exitCode, outputPath.c_str());
    os::RemoveFile(outputPath);
  }
  os::RemoveFile(templatePath);
  return !outputPath.empty();
}
