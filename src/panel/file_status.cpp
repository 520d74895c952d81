// CVS states of the listed files: one `cvs -q status -l` run per listing,
// its report read into records and written into the matching items.
#include "panel/file_status.hpp"

#include <stdio.h>
#include <string.h>

#include "os/os.hpp"
#include "panel/panel_paths.hpp"
#include "panel/state_classes.hpp"
#include "runner/cvs_args.hpp"
#include "runner/output_lines.hpp"
#include "runner/start_program.hpp"
#include "runner/temp_file.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"
#include "ui/host_panel.hpp"
#include "ui/run_dialog.hpp"
#include "working_copy/cvs_root.hpp"
#include "working_copy/ignore_rules.hpp"
#include "working_copy/kept_files.hpp"

namespace {

const DWORD kOutOfDateBit = 0x40;                     // letter 'U'
const DWORD kChangedBit = FILE_ATTRIBUTE_COMPRESSED;  // letters 'M', 'A', 'R'
const size_t kDescriptionSize = 256;

const char *NullIfEmpty(const char *text) { return text[0] != '\0' ? text : nullptr; }

std::string Describe(const FileStatus &record) {
  std::string text = record.StatusText;
  const struct {
    const char *Label;
    const char *Value;
    const char *After;
  } parts[] = {{" STag: ", record.StickyTag, record.StickyBranch ? " (branch)" : ""},
               {" SDate: ", record.StickyDate, ""},
               {" SOpt: ", record.StickyOptions, ""},
               {" Merge: ", record.MergeFrom, ""}};
  for (const auto &part : parts) {
    if (part.Value[0] != '\0') text += std::string(part.Label) + part.Value + part.After;
  }
  return text;
}

// The keyword option for the option column: the expansion-option line
// where the client prints one, else the sticky option (cvs 1.12 gives
// "-kb" only there).
const char *KeywordOption(const FileStatus &record) {
  return record.HasExpansionOption ? record.ExpansionOption : record.StickyOptions;
}

}  // namespace

void ApplyFileStatus(PluginPanelItem &item, const FileStatus &record) {
  ReleaseItemTexts(item);
  const char letter[2] = {record.Letter, '\0'};
  SetItemColumns(item, {letter, NullIfEmpty(record.WorkingRevision),
                        NullIfEmpty(record.RepositoryRevision), NullIfEmpty(KeywordOption(record))});
  SetItemDescription(item, Describe(record).c_str(), kDescriptionSize);
  item.UserData = (item.UserData & kNoFileRow) | static_cast<unsigned char>(record.Letter);

  DWORD &attributes = item.FindData.dwFileAttributes;
  attributes &= ~(kOutOfDateBit | kChangedBit);
  if (record.Letter == 'U') attributes |= kOutOfDateBit;
  if (record.Letter == 'M' || record.Letter == 'A' || record.Letter == 'R')
    attributes |= kChangedBit;
}

void ApplyRecord(PanelListing &listing, const FileStatus &record) {
  if (record.NameCut) return;
  // cvs names a file that is not on the disk "no file <name>".  A file of
  // the disk may have such a name itself: the record is its own unless the
  // name after the words is a row without a file that has no state yet.
  static const char kNoFile[] = "no file ";
  if (strncmp(record.Name, kNoFile, sizeof kNoFile - 1) == 0) {
    PluginPanelItem *missing = FindListed(listing, record.Name + sizeof kNoFile - 1);
    if (missing != nullptr && IsNoFileRow(*missing) && missing->CustomColumnData == nullptr) {
      ApplyFileStatus(*missing, record);
      return;
    }
  }
  PluginPanelItem *item = FindListed(listing, record.Name);
  if (item != nullptr && !IsNoFileRow(*item)) ApplyFileStatus(*item, record);
}

std::string ReadCvsStatus(PanelListing &listing, const std::string &directory) {
  // cvs reports on the current directory.  Where the panel's directory
  // cannot be made current, cvs would report on another folder, whose
  // states must not be shown against these names.
  if (!os::ChangeDir(FolderToEnter(directory, os::kSep))) {
    ShowErrorText(FormatText(CheckedFormat(MCannotEnterForStatus), directory.c_str()));
    return MessageText(MNotReadNoEntry);
  }
  const CvsArgs args = {"cvs", "-q", "status", "-l"};
  CvsRun cvs(ExitRule::ZeroOnly, "TEMP");
  if (!cvs.Ready()) return MessageText(MNotReadNoTempFile);
  const char *path = cvs.OutputPath().c_str();
  // The host's table is fetched here, on the host's thread.
  unsigned char decodeTable[256];
  HostDecodeTable(decodeTable);
  // The report is followed as cvs writes it: what is left after cvs ends
  // is its last few lines.  The last record counts only once cvs has ended
  // well.
  FileStatus unclosed;
  ClearFileStatus(unclosed);
  auto alongside = [&](const std::atomic<bool> &ended) {
    os::OwnedFile output = OpenTempFile(path, "rb");
    if (output == nullptr) return;
    FollowStatusReport(
        output.get(), decodeTable, ended,
        [&listing](const FileStatus &record) { ApplyRecord(listing, record); }, &unclosed);
  };
  const RunVerdict *run;
  {
    // The panel's own run asks the user nothing: a login program that
    // would ask for a password fails instead.
    const RunsWithoutTerminal quiet;
    run = &cvs.Run(args, alongside);
  }
  const RunVerdict &verdict = *run;
  if (verdict.Ok()) {
    if (unclosed.Name[0] != '\0') ApplyRecord(listing, unclosed);
    return "";
  }
  // The records read before the run stopped are what cvs did report; the
  // rest of the folder stays without states.  A failure is shown as the
  // commands show theirs; the user who broke the run off knows of it.
  if (verdict.What == RunVerdict::BrokenOff) return WhyNoAnswer(verdict);
  cvs.Show();
  // A remote root that needs a login: the panel names the host it could
  // not log in to without asking.
  std::string root;
  ReadRootLine(JoinPath(JoinPath(directory, "CVS", os::kSep), "Root", os::kSep), kRootLineLength,
               root);
  std::string host = RemoteShellHost(root);
  for (char &c : host)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  if (host.empty()) return WhyNoAnswer(verdict);
  return FormatText(CheckedFormat(MRemoteNotRead), host.c_str()) + ": " + WhyNoAnswer(verdict);
}

void MarkRowsWithoutState(PanelListing &listing, const KeptEntries &kept, RowsCvsRead read) {
  // The ignore lists are read only when some file needs them.
  bool rulesRead = false;
  IgnoreRules ignored;
  for (size_t i = 0; i < listing.Items.Count(); ++i) {
    PluginPanelItem &item = listing.Items[i];
    const bool keptRow = (item.UserData & kKeptRow) != 0;
    item.UserData &= ~kKeptRow;
    if (item.CustomColumnData != nullptr) continue;
    const bool noFile = IsNoFileRow(item);
    if (noFile && (item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      // cvs reports on no folder here; the folder's own entry says it is
      // missing, and an update with new folders brings it back.
      MarkRow(item, 'N', MessageText(MStateMissingFolder));
      continue;
    }
    if (item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const char *name = item.FindData.cFileName + listing.NameOffset;
    const bool isKept = noFile || !kept.Read ||
                        (kept.Decoded ? kept.DecodedFiles.count(name) != 0 : keptRow);
    if (read == RowsCvsRead::NotAWorkingCopy) {
      MarkRow(item, kLetterUnknown, MessageText(MStateUnknown));
    } else if (isKept) {
      // cvs keeps the file (or, without CVS/Entries, may keep it) and gave
      // no state for it.
      if (read == RowsCvsRead::NotRun)
        MarkRow(item, kLetterNotRun, MessageText(MStateNotRun));
      else
        MarkRow(item, kLetterNotRead, MessageText(MStateNotRead));
    } else {
      if (!rulesRead) {
        ignored = IgnoreRules::ForFolder(listing.Directory);
        rulesRead = true;
      }
      if (ignored.Ignores(name))
        MarkRow(item, kLetterIgnored, MessageText(MStateIgnored));
      else
        MarkRow(item, kLetterUnknown, MessageText(MStateUnknown));
    }
  }
}

void MarkRow(PluginPanelItem &item, char letter, const char *text) {
  ReleaseItemTexts(item);
  const char column[2] = {letter, '\0'};
  SetItemColumns(item, {column});
  SetItemDescription(item, text, strlen(text) + 1);
  item.UserData = (item.UserData & kNoFileRow) | static_cast<unsigned char>(letter);
}
