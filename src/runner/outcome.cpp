// The confirmation before a command and the presentation of a run's output.
#include <string>
#include <vector>

#include "host/host.hpp"
#include "runner/runner.hpp"

namespace {

// Command words by menu entry number.
const char CommandVerbs[11][32] = {
    "Update", "Commit",       "Commit",        "Checkout",
    "Export", "Show log for", "Show stat for", "Show differences for",
    "",       "Add",          "Remove"};

// The English texts of the two formats, for a language file that lacks
// them or whose texts do not fit the values passed.
const char kConfirmHeading[] = "%s %d item(s)";
const char kFailedExitCode[] = "CVS ended with exit code %d";

const size_t kHeadingLimit = 299;
const size_t kOutcomeLineLimit = 99;
const size_t kListedNames = 10;
const DWORD kLockKey = KEY_CTRL | 'L';

}  // namespace

std::string ConfirmationText(int entryNumber, const Selection &selection) {
  const int verbs = static_cast<int>(sizeof CommandVerbs / sizeof CommandVerbs[0]);
  const char *verb = entryNumber >= 0 && entryNumber < verbs ? CommandVerbs[entryNumber] : "";
  std::string text = FormatText(CheckedFormat(MConfirmHeading, "sd", kConfirmHeading), verb,
                                static_cast<int>(selection.size()));
  if (text.size() > kHeadingLimit) text.resize(kHeadingLimit);
  // The heading is the box's title line; the names follow on lines of
  // their own.
  if (text.empty() || text.back() != '\n') text += '\n';
  for (size_t i = 0; i < selection.size() && i < kListedNames; ++i) text += selection[i] + "\n";
  if (selection.size() > kListedNames) text += "...\n";
  return text;
}

int ConfirmCommand(int entryNumber, const Selection &selection) {
  std::string text = ConfirmationText(entryNumber, selection);
  return HostInfo.Message(HostInfo.ModuleNumber, FMSG_LEFTALIGN | FMSG_ALLINONE | FMSG_MB_OKCANCEL,
                          nullptr, reinterpret_cast<const char *const *>(text.c_str()), 0, 0);
}

void ReportOutcome(int exitCode, const char *outputPath, const char *note) {
  if (exitCode != 0) {
    std::string line = FormatText(CheckedFormat(MFailedExitCode, "d", kFailedExitCode), exitCode);
    if (line.size() > kOutcomeLineLimit) line.resize(kOutcomeLineLimit);
    std::vector<const char *> items = {GetMsg(MOutcomeTitle), line.c_str()};
    if (note != nullptr) items.push_back(note);
    items.push_back(GetMsg(MOutcomeShow));
    items.push_back(GetMsg(MOutcomeClose));
    if (HostInfo.Message(HostInfo.ModuleNumber, FMSG_WARNING, nullptr, items.data(),
                         static_cast<int>(items.size()), 2) != 0)
      return;
  }
  if (outputPath == nullptr) return;
  // Ctrl+L, taken by the editor opened next: the output opens locked.
  DWORD key = kLockKey;
  KeySequence sequence;
  sequence.Flags = 0;
  sequence.Count = 1;
  sequence.Sequence = &key;
  HostInfo.AdvControl(HostInfo.ModuleNumber, ACTL_POSTKEYSEQUENCE, &sequence);
  HostInfo.Editor(outputPath, "CVS log", -1, -1, -1, -1, EF_ENABLE_F6, 0, 1);
}
