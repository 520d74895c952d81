// CVS states of the listed files: one `cvs -q status -l` run per listing,
// its report read into records and written into the matching items.
#include "panel/file_status.hpp"

#include <stdio.h>
#include <string.h>

#include "host/host.hpp"
#include "os/os.hpp"
#include "panel/ignore_rules.hpp"
#include "panel/kept_files.hpp"
#include "panel/panel_paths.hpp"
#include "runner/cvs_root.hpp"
#include "runner/output_lines.hpp"
#include "runner/runner.hpp"
#include "ui/boxes.hpp"
#include "ui/host_panel.hpp"
#include "ui/run_dialog.hpp"

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

// The last line of a failed run's output that cvs (or what it started)
// wrote of its own: not blank, not indented, no separator and no file line
// of the report.  Empty when there is none.
std::string LastErrorLine(const std::string &path) {
  std::string last;
  os::OwnedFile output = os::OpenFile(path, "rb");
  if (output == nullptr) return last;
  OutputLines lines;
  StartOutputLines(lines, output.get());
  const char *text;
  size_t length;
  while (NextOutputLine(lines, text, length)) {
    length = strnlen(text, length);
    if (length == 0 || text[0] == ' ' || text[0] == '\t' || IsRecordSeparator(text) ||
        strncmp(text, "File: ", 6) == 0)
      continue;
    last.assign(text, length);
  }
  return last;
}

// Why the states of a run with `exitCode` were not read.
std::string WhyNotRead(int exitCode, const std::string &path) {
  if (exitCode == kRunBroken) return GetMsg(MNotReadBroken);
  std::string line = LastErrorLine(path);
  if (line.empty()) line = FormatText(CheckedFormat(MNotReadExitCode), exitCode);
  return line;
}

}  // namespace

void ApplyFileStatus(PluginPanelItem &item, const FileStatus &record) {
  ReleaseItemTexts(item);
  const char letter[2] = {record.Letter, '\0'};
  SetItemColumns(item, {letter, NullIfEmpty(record.WorkingRevision),
                        NullIfEmpty(record.RepositoryRevision), NullIfEmpty(KeywordOption(record))});
  SetItemDescription(item, Describe(record).c_str(), kDescriptionSize);
  item.UserData = static_cast<unsigned char>(record.Letter);

  DWORD &attributes = item.FindData.dwFileAttributes;
  attributes &= ~(kOutOfDateBit | kChangedBit);
  if (record.Letter == 'U') attributes |= kOutOfDateBit;
  if (record.Letter == 'M' || record.Letter == 'A' || record.Letter == 'R')
    attributes |= kChangedBit;
}

void ApplyRecord(PanelListing &listing, const FileStatus &record) {
  if (record.NameCut) return;
  PluginPanelItem *item = FindListed(listing, record.Name);
  if (item != nullptr) ApplyFileStatus(*item, record);
}

std::string ReadCvsStatus(PanelListing &listing, const std::string &directory) {
  // A folder whose items cannot carry their paths is not listed; cvs is
  // not asked about files the panel cannot show.
  if (!FolderPathFits(directory)) {
    listing.State = ListingState::PathTooLong;
    return "";
  }
  // cvs reports on the current directory.  Where the panel's directory
  // cannot be made current, cvs would report on another folder, whose
  // states must not be shown against these names.
  if (!os::ChangeDir(FolderToEnter(directory, os::kSep))) {
    // A folder that cannot be listed either is said once, by the listing.
    ListFolder(listing);
    if (listing.State == ListingState::Read)
      ShowErrorText(FormatText(CheckedFormat(MCannotEnterForStatus), directory.c_str()));
    return GetMsg(MNotReadNoEntry);
  }
  const CvsArgs args = {"cvs", "-q", "status", "-l"};
  const TempFile report = TempFileOrSay("TEMP");
  if (report.empty()) return GetMsg(MNotReadNoTempFile);
  const char *path = report.c_str();
  // The host's table is fetched here, on the host's thread.
  unsigned char decodeTable[256];
  HostDecodeTable(decodeTable);
  // The folder is read, and the report followed as cvs writes it, while
  // cvs runs: what is left after cvs ends is its last few lines.  The last
  // record counts only once cvs has ended well.
  FileStatus unclosed;
  ClearFileStatus(unclosed);
  auto alongside = [&](const std::atomic<bool> &ended) {
    ListFolder(listing);
    if (listing.State != ListingState::Read) return;
    os::OwnedFile output = os::OpenFile(path, "rb");
    if (output == nullptr) return;
    FollowStatusReport(
        output.get(), decodeTable, ended,
        [&listing](const FileStatus &record) { ApplyRecord(listing, record); }, &unclosed);
  };
  int exitCode;
  {
    // The panel's own run asks the user nothing: a login program that
    // would ask for a password fails instead.
    const RunsWithoutTerminal quiet;
    exitCode = RunCvsWhile(args, path, alongside);
  }
  // Without the folder's entries the panel shows nothing, as when cvs is
  // not asked at all.
  if (listing.State == ListingState::Unreadable || listing.State == ListingState::PathTooLong)
    return "";
  if (exitCode == 0) {
    if (unclosed.Name[0] != '\0' && listing.State == ListingState::Read)
      ApplyRecord(listing, unclosed);
    return "";
  }
  // The records read before the run stopped are what cvs did report; the
  // rest of the folder stays without states.  A failure is shown as the
  // commands show theirs; the user who broke the run off knows of it.
  std::string notRead = WhyNotRead(exitCode, report.Path());
  std::string root;
  ReadRootLine(JoinPath(JoinPath(directory, "CVS", os::kSep), "Root", os::kSep), kRootLineLength,
               root);
  std::string host = RemoteShellHost(root);
  for (char &c : host)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  if (exitCode != kRunBroken && !host.empty())
    notRead = FormatText(CheckedFormat(MRemoteNotRead), host.c_str()) + ": " + notRead;
  if (exitCode != kRunBroken) ReportOutcome(exitCode, path);
  return notRead;
}

void MarkFilesWithoutState(PanelListing &listing, bool cvsRuns) {
  // The folder's records and ignore lists are read only when some file
  // needs them.
  bool read = false;
  std::unordered_set<std::string> kept;
  IgnoreRules ignored;
  for (size_t i = 0; i < listing.Items.Count(); ++i) {
    PluginPanelItem &item = listing.Items[i];
    if (item.CustomColumnData != nullptr ||
        (item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      continue;
    if (!cvsRuns) {
      MarkUnknown(item);
      continue;
    }
    if (!read) {
      unsigned char decodeTable[256];
      HostDecodeTable(decodeTable);
      kept = KeptFiles(listing.Directory, decodeTable);
      ignored = IgnoreRules::ForFolder(listing.Directory);
      read = true;
    }
    const char *name = item.FindData.cFileName + listing.NameOffset;
    if (kept.count(name) != 0) continue;
    if (ignored.Ignores(name))
      MarkIgnored(item);
    else
      MarkUnknown(item);
  }
}

void MarkUnknown(PluginPanelItem &item) {
  ReleaseItemTexts(item);
  SetItemColumns(item, {"?"});
  SetItemDescription(item, "Unknown", 8);
  item.UserData = '?';
}

void MarkIgnored(PluginPanelItem &item) {
  ReleaseItemTexts(item);
  SetItemDescription(item, "Ignored", 8);
  // Not in the repository: F3 views it without offering cvs log or diff.
  item.UserData = '?';
}
