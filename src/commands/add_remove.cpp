// The Add command's dialog and its run in batches.  Remove has none: the
// dispatcher confirms it.
#include <stdio.h>

#include "commands/commands.hpp"
#include "commands/dialog_items.hpp"
#include "os/argument_room.hpp"

namespace {

enum { kCancel = 2, kBinary = 3, kItemCount = 5 };

// The check box keeps its last state for the next Add.
FarDialogItem gItems[kItemCount] = {
    DialogItem(DI_DOUBLEBOX, 3, 1, 27, 5, 0, 0, 0, 0, ""),
    DialogItem(DI_BUTTON, 0, 4, 0, 0, 0, 0, DIF_CENTERGROUP, 1, "OK"),
    DialogItem(DI_BUTTON, 0, 4, 0, 0, 0, 0, DIF_CENTERGROUP, 0, "Cancel"),
    DialogItem(DI_CHECKBOX, 5, 2, 15, 0, 0, 0, 0, 0, "Binary (-kb)"),
    DialogItem(DI_TEXT, 4, 3, 28, 8, 0, 0, DIF_SEPARATOR, 0, ""),
};

}  // namespace

bool AskAddOptions(CvsArgs &args) {
  int result = RunDialog(gItems, kItemCount, 31, 7);
  if (result == -1 || result == kCancel) return false;
  if (gItems[kBinary].Selected) args.push_back("-kb");
  return true;
}

std::vector<Selection> SplitIntoBatches(const CvsArgs &head, const Selection &names, size_t room,
                                        const std::function<size_t(const std::string &)> &cost) {
  // The words before the names, the "--" a batch may need, and the end.
  size_t fixed = cost("--") + cost("");
  for (const char *word : head)
    if (word != nullptr) fixed += cost(word);
  std::vector<Selection> batches;
  size_t used = 0;
  for (const std::string &name : names) {
    const size_t more = cost(name);
    // A name too long for any batch goes alone; the system then refuses it.
    if (batches.empty() || used + more > room) {
      batches.emplace_back();
      used = fixed;
    }
    batches.back().push_back(name);
    used += more;
  }
  return batches;
}

namespace {

// Appends the file at `path` to `whole`; false when it could not be.
bool AppendOutput(FILE *whole, const std::string &path) {
  FILE *part = fopen(path.c_str(), "rt");
  if (part == nullptr) return false;
  char buffer[65536];
  bool written = true;
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, part)) > 0)
    written = written && fwrite(buffer, 1, got, whole) == got;
  written = written && !ferror(part);
  fclose(part);
  return written;
}

CvsArgs WithNames(const CvsArgs &head, const Selection &names) {
  CvsArgs args = head;
  AppendFileOperands(args, names);
  args.push_back(nullptr);
  return args;
}

}  // namespace

int RunInBatches(const CvsArgs &head, const Selection &names, const char *outputPath,
                 size_t *batchCount) {
  const std::vector<Selection> batches =
      SplitIntoBatches(head, names, os::ArgumentRoom(), os::ArgumentCost);
  if (batchCount != nullptr) *batchCount = batches.size();
  if (batches.size() <= 1) return RunCvs(WithNames(head, names).data(), outputPath);

  // Every batch's output goes into the one file the user is shown.
  FILE *whole = os::OpenOutputFile(outputPath);
  if (whole == nullptr) return kRunNoOutputFile;
  int result = 0;
  bool kept = true;
  for (const Selection &batch : batches) {
    const std::string part = TempFileNameOrSay("HOME");
    if (part.empty()) {
      result = kRunNoOutputFile;
      break;
    }
    const int exitCode = RunCvs(WithNames(head, batch).data(), part.c_str());
    kept = AppendOutput(whole, part) && kept;
    os::RemoveFile(part);
    if (result == 0) result = exitCode;
    // Broken off, or cvs did not start: the batches left are not run.
    if (exitCode < 0) break;
  }
  kept = fclose(whole) == 0 && kept;
  return result == 0 && !kept ? kRunNoOutputFile : result;
}
