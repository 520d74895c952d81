// The Add command's dialog and its run in batches.  Remove has none: the
// dispatcher confirms it.
#include <stdio.h>

#include "commands/commands.hpp"
#include "os/argument_room.hpp"
#include "runner/run_codes.hpp"
#include "runner/temp_file.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/dialog.hpp"
#include "ui/run_dialog.hpp"

namespace {

// The check box keeps its last state for the next Add.
struct AddChoices {
  bool Binary = false;
};
AddChoices gChoices;

}  // namespace

const DialogDeclaration &AddDialog() {
  static const DialogDeclaration dialog = {
      31, 7,
      {Box(3, 1, 27, 5),
       Button("ok", MOk, 4).AsDefault(),
       Button("cancel", MCancel, 4),
       Check("binary", MAddBinary, Field(gChoices.Binary), 5, 2, 15),
       Separator(4, 3, 28, 8)}};
  return dialog;
}

bool AskAddOptions(CvsArgs &args) {
  DialogSession dialog(AddDialog());
  const std::string closedBy = dialog.Show();
  if (closedBy.empty() || closedBy == "cancel") return false;
  if (gChoices.Binary) args.Add("-kb");
  return true;
}

std::vector<Selection> SplitIntoBatches(const CvsArgs &head, const Selection &names, size_t room,
                                        const std::function<size_t(const std::string &)> &cost) {
  // The words before the names, the "--" a batch may need, and the end.
  size_t fixed = cost("--") + cost("");
  for (const std::string &word : head) fixed += cost(word);
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
  const os::OwnedFile part = OpenTempFile(path, "rt");
  if (part == nullptr) return false;
  char buffer[65536];
  bool written = true;
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, part.get())) > 0)
    written = written && fwrite(buffer, 1, got, whole) == got;
  return written && !ferror(part.get());
}

CvsArgs WithNames(const CvsArgs &head, const Selection &names) {
  CvsArgs args = head;
  args.AddFileOperands(names);
  return args;
}

}  // namespace

int RunInBatches(const CvsArgs &head, const Selection &names, const char *outputPath,
                 size_t *batchCount) {
  const std::vector<Selection> batches =
      SplitIntoBatches(head, names, os::ArgumentRoom(), os::ArgumentCost);
  if (batchCount != nullptr) *batchCount = batches.size();
  if (batches.size() <= 1) return RunCvs(WithNames(head, names), outputPath);

  // Every batch's output goes into the one file the user is shown.
  os::OwnedFile whole = OpenTempFile(outputPath, "w");
  if (whole == nullptr) return kRunNoOutputFile;
  int result = 0;
  bool kept = true;
  for (const Selection &batch : batches) {
    const TempFile part = TempFileOrSay("HOME");
    if (part.empty()) {
      result = kRunNoOutputFile;
      break;
    }
    const int exitCode = RunCvs(WithNames(head, batch), part.c_str());
    kept = AppendOutput(whole.get(), part.Path()) && kept;
    if (result == 0) result = exitCode;
    // Broken off, or cvs did not start: the batches left are not run.
    if (exitCode < 0) break;
  }
  kept = os::CloseFile(whole) && kept;
  return result == 0 && !kept ? kRunNoOutputFile : result;
}
