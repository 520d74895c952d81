// CVS states of the listed files: one `cvs -q status -l` run per listing,
// its report read into records and written into the matching items.
#include "panel/file_status.hpp"

#include <stdio.h>
#include <string.h>

#include "host/host.hpp"
#include "os/os.hpp"
#include "panel/panel_paths.hpp"
#include "runner/runner.hpp"

namespace {

const DWORD kOutOfDateBit = 0x40;                     // letter 'U'
const DWORD kChangedBit = FILE_ATTRIBUTE_COMPRESSED;  // letters 'M', 'A', 'R'
const size_t kDescriptionSize = 256;

char *NewText(const char *text, size_t size) {
  char *copy = new char[size];
  CopyToField(copy, size, text);
  return copy;
}

char *CopyOrNull(const char *text) {
  if (text[0] == '\0') return nullptr;
  return NewText(text, strlen(text) + 1);
}

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

// The host's character table 1 for names, or the identity when it has none.
void FetchDecodeTable(unsigned char table[256]) {
  memcpy(table, IdentityTable(), 256);
  if (HostInfo.CharTable == nullptr) return;
  CharTableSet set;
  memset(&set, 0, sizeof(set));
  if (HostInfo.CharTable(1, reinterpret_cast<char *>(&set), sizeof(set)) == -1) return;
  memcpy(table, set.DecodeTable, 256);
}

}  // namespace

void ReleaseItemTexts(PluginPanelItem &item) {
  delete[] item.Description;
  item.Description = nullptr;
  if (item.CustomColumnData != nullptr) {
    for (int i = 0; i < item.CustomColumnNumber; ++i) delete[] item.CustomColumnData[i];
    delete[] item.CustomColumnData;
  }
  item.CustomColumnData = nullptr;
  item.CustomColumnNumber = 0;
}

void ApplyFileStatus(PluginPanelItem &item, const FileStatus &record) {
  ReleaseItemTexts(item);
  char letter[2] = {record.Letter, '\0'};
  char **columns = new char *[4]();
  item.CustomColumnData = columns;
  item.CustomColumnNumber = 4;
  columns[0] = NewText(letter, sizeof(letter));
  columns[1] = CopyOrNull(record.WorkingRevision);
  columns[2] = CopyOrNull(record.RepositoryRevision);
  columns[3] = CopyOrNull(KeywordOption(record));
  item.Description = NewText(Describe(record).c_str(), kDescriptionSize);
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

void ReadCvsStatus(PanelListing &listing, const std::string &directory) {
  // cvs reports on the current directory.  Where the panel's directory
  // cannot be made current, cvs would report on another folder, whose
  // states must not be shown against these names.
  if (!os::ChangeDir(FolderToEnter(directory, os::kSep))) {
    // A folder that cannot be listed either is said once, by the listing.
    ListFolder(listing);
    if (listing.State == ListingState::Read)
      ShowErrorText("Cannot enter the folder " + directory + ", so cvs cannot report on it");
    return;
  }
  CvsArgs args = {"cvs", "-q", "status", "-l", nullptr};
  std::string path = TempFileNameOrSay("TEMP");
  if (path.empty()) return;
  // The host's table is fetched here, on the host's thread.
  unsigned char decodeTable[256];
  FetchDecodeTable(decodeTable);
  // The folder is read, and the report followed as cvs writes it, while
  // cvs runs: what is left after cvs ends is its last few lines.
  auto alongside = [&](const std::atomic<bool> &ended) {
    ListFolder(listing);
    if (listing.State != ListingState::Read) return;
    FILE *report = fopen(path.c_str(), "rb");
    if (report == nullptr) return;
    try {
      FollowStatusReport(report, decodeTable, ended,
                         [&listing](const FileStatus &record) { ApplyRecord(listing, record); });
    } catch (...) {
      fclose(report);
      throw;
    }
    fclose(report);
  };
  int exitCode;
  try {
    exitCode = RunCvsWhile(args.data(), path.c_str(), alongside);
  } catch (...) {
    os::RemoveFile(path);
    throw;
  }
  // Without the folder's entries the panel shows nothing, as when cvs is
  // not asked at all.  Otherwise the output of a failed run is shown, and
  // what was read of it is no report: the listing is made again without
  // states.
  if (exitCode != 0 && listing.State != ListingState::Unreadable) {
    ReportOutcome(0, path.c_str());
    ReleaseListing(listing);
    listing.State = ListingState::NotRead;
  }
  os::RemoveFile(path);
}

void MarkUnknown(PluginPanelItem &item) {
  ReleaseItemTexts(item);
  char **columns = new char *[1]();
  item.CustomColumnData = columns;
  item.CustomColumnNumber = 1;
  columns[0] = NewText("?", 2);
  item.Description = NewText("Unknown", 8);
  item.UserData = '?';
}
