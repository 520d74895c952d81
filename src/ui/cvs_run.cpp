// Running cvs for the user, from the output file to the box that says why.
#include "ui/cvs_run.hpp"

#include "host/host.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/editor.hpp"
#include "ui/run_dialog.hpp"

namespace {

// `line` in pieces of at most `width` bytes, cut at the last blank that
// leaves a piece, else where the width ends.
std::vector<std::string> Wrapped(const std::string &line, size_t width) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (line.size() - start > width) {
    size_t cut = line.rfind(' ', start + width);
    if (cut == std::string::npos || cut <= start) cut = start + width;
    pieces.push_back(line.substr(start, cut - start));
    start = cut;
    while (start < line.size() && line[start] == ' ') ++start;
  }
  if (start < line.size() || pieces.empty()) pieces.push_back(line.substr(start));
  return pieces;
}

// A language file's text is cut to one line of the box.
const size_t kSummaryLimit = 99;

std::string WhatHappened(const RunVerdict &verdict) {
  if (verdict.What == RunVerdict::BrokenOff) return MessageText(MRunBrokenOff);
  std::string line = FormatText(CheckedFormat(MFailedExitCode), verdict.ExitCode);
  if (line.size() > kSummaryLimit) line.resize(kSummaryLimit);
  return line;
}

}  // namespace

CvsRun::CvsRun(ExitRule rule, const char *fallbackVariable)
    : rule_(rule), output_(TempFileOrSay(fallbackVariable)) {}

const RunVerdict &CvsRun::Run(const CvsArgs &args, const AlongsideWork &alongside) {
  return Judge(RunCvsWhile(args, output_.c_str(), alongside));
}

const RunVerdict &CvsRun::Judge(int exitCode) {
  OutputScan scan;
  if (exitCode != 0 || rule_ != ExitRule::ZeroOnly || readOnSuccess_)
    ScanOutputFile(output_.Path(), scan);
  verdict_ = JudgeRun(rule_, exitCode, scan);
  return verdict_;
}

void CvsRun::Show(const char *note) const {
  Show(note != nullptr ? std::vector<std::string>{note} : std::vector<std::string>());
}

void CvsRun::Show(const std::vector<std::string> &notes) const {
  ShowVerdict(verdict_, output_.c_str(), notes);
}

std::vector<std::string> FailureLines(const RunVerdict &verdict) {
  std::vector<std::string> lines = {WhatHappened(verdict)};
  size_t left = verdict.Scan.CausesLeft;
  for (size_t i = 0; i < verdict.Scan.Causes.size(); ++i) {
    const std::vector<std::string> pieces = Wrapped(verdict.Scan.Causes[i], kBoxWidth);
    if (lines.size() + pieces.size() > kMaxBoxLines - 1) {
      left += verdict.Scan.Causes.size() - i;
      break;
    }
    lines.insert(lines.end(), pieces.begin(), pieces.end());
  }
  if (left > 0) lines.push_back(FormatText(CheckedFormat(MOutcomeMoreLines), static_cast<int>(left)));
  return lines;
}

std::string WhyNoAnswer(const RunVerdict &verdict) {
  if (verdict.What == RunVerdict::BrokenOff) return MessageText(MNotReadBroken);
  std::string text;
  for (const std::string &cause : verdict.Scan.Causes) {
    if (!text.empty()) text += '\n';
    text += cause;
  }
  if (text.empty()) text = FormatText(CheckedFormat(MNotReadExitCode), verdict.ExitCode);
  return text;
}

void ShowVerdict(const RunVerdict &verdict, const char *outputPath,
                 const std::vector<std::string> &notes) {
  if (!verdict.Ok()) {
    const std::vector<std::string> lines = FailureLines(verdict);
    std::vector<const char *> items = {MessageText(MOutcomeTitle)};
    for (const std::string &line : lines) items.push_back(line.c_str());
    for (const std::string &note : notes) items.push_back(note.c_str());
    items.push_back(MessageText(MOutcomeShow));
    items.push_back(MessageText(MOutcomeClose));
    if (HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items.data(),
                         static_cast<int>(items.size()), 2) != 0)
      return;
  }
  if (outputPath == nullptr) return;
  ShowOutputLocked(outputPath, MessageText(MEditorTitle));
}

void ReportOutcome(int exitCode, const char *outputPath, const char *note) {
  OutputScan scan;
  if (outputPath != nullptr) ScanOutputFile(outputPath, scan);
  ShowVerdict(JudgeRun(ExitRule::ZeroOnly, exitCode, scan), outputPath,
              note != nullptr ? std::vector<std::string>{note} : std::vector<std::string>());
}
