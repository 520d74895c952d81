// The status report reader on reports recorded from the real cvs client
// (tests/record_status_reports.sh), and the writing of its records into
// panel items.
#include <stdio.h>
#include <string.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "far/field_text.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "panel/status_report.hpp"
#include "test_support.hpp"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::TestsSourceDir;
using testsupport::WriteFile;

namespace {

const std::string kLongTag = "release-tag-with-a-name-of-forty-chars40";
const std::string kLongName = std::string(198, 'n') + ".c";

std::string Recorded(const std::string &name) { return TestsSourceDir() + "/data/status/" + name; }

std::vector<FileStatus> ReadText(const std::string &text, const unsigned char *table = nullptr) {
  FILE *stream = fmemopen(const_cast<char *>(text.data()), text.size(), "r");
  EXPECT_NE(stream, nullptr);
  std::vector<FileStatus> records =
      ReadStatusReport(stream, table != nullptr ? table : IdentityTable());
  fclose(stream);
  return records;
}

std::map<std::string, FileStatus> ByName(const std::vector<FileStatus> &records) {
  std::map<std::string, FileStatus> byName;
  for (const FileStatus &record : records) {
    EXPECT_EQ(byName.count(record.Name), 0u) << "reported twice: " << record.Name;
    byName[record.Name] = record;
  }
  return byName;
}

// What the recorded text itself says: the number of file lines, and whether
// it holds a line too long to be read at once.
size_t CountFileLines(const std::string &text) {
  size_t count = 0;
  for (size_t at = text.find("File: "); at != std::string::npos; at = text.find("File: ", at + 1))
    ++count;
  return count;
}
size_t LongestLine(const std::string &text) {
  size_t longest = 0, start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos;
       start = end + 1, end = text.find('\n', start)) {
    longest = std::max(longest, end - start);
  }
  return longest;
}

struct Expected {
  const char *Name;
  char Letter;
  const char *Shown;
};

}  // namespace

TEST(StatusReport, EveryStateOfTheRecordedWorkingCopy) {
  const std::string text = ReadFile(Recorded("all-states.txt"));
  ASSERT_FALSE(text.empty()) << "run tests/record_status_reports.sh";
  const std::vector<FileStatus> records = ReadText(text);
  EXPECT_EQ(records.size(), CountFileLines(text));
  const std::map<std::string, FileStatus> byName = ByName(records);

  const Expected expected[] = {
      {"up-to-date.c", ' ', "Up-to-date"},
      {"modified.c", 'M', "Modified"},
      {"added.c", 'A', "Added"},
      {"binary.dat", 'A', "Added"},
      {"no file removed.c", 'L', "Locally Removed"},
      {"needs-patch.c", 'U', "Needs Patch"},
      {"needs-merge.c", 'N', "Needs Merge"},
      {"no file needs-checkout.c", 'N', "Needs Checkout"},
      {"conflict-fresh.c", 'c', "Unresolved Conflict"},
      {"conflict-edited.c", 'C', "Conflicts"},
      {"no file entry-invalid.c", 'E', "Entry Invalid"},
      {"on-branch.c", ' ', "Up-to-date"},
      {"long-tag.c", ' ', "Up-to-date"},
      {"dated.c", ' ', "Up-to-date"},
      {"two words.c", ' ', "Up-to-date"},
  };
  for (const Expected &file : expected) {
    SCOPED_TRACE(file.Name);
    auto found = byName.find(file.Name);
    ASSERT_NE(found, byName.end());
    EXPECT_EQ(found->second.Letter, file.Letter);
    EXPECT_STREQ(found->second.StatusText, file.Shown);
    EXPECT_FALSE(found->second.NameCut);
  }

  // Revisions are the first word of their line, without date or path.
  EXPECT_STREQ(byName.at("needs-merge.c").WorkingRevision, "1.1.1.1");
  EXPECT_STREQ(byName.at("needs-merge.c").RepositoryRevision, "1.2");
  EXPECT_STREQ(byName.at("added.c").WorkingRevision, "New");
  EXPECT_STREQ(byName.at("added.c").RepositoryRevision, "No");
  EXPECT_STREQ(byName.at("no file removed.c").WorkingRevision, "-1.1.1.1");

  // "(none)" leaves a field empty; a value is its first word, cut to fit.
  EXPECT_STREQ(byName.at("modified.c").StickyTag, "");
  EXPECT_STREQ(byName.at("modified.c").StickyOptions, "");
  EXPECT_STREQ(byName.at("on-branch.c").StickyTag, "feature-branch");
  EXPECT_STREQ(byName.at("binary.dat").StickyOptions, "-kb");
  EXPECT_EQ(std::string(byName.at("long-tag.c").StickyTag), kLongTag.substr(0, 31));
  EXPECT_TRUE(std::regex_match(std::string(byName.at("dated.c").StickyDate),
                               std::regex("[0-9]{4}(\\.[0-9]{2}){5}")))
      << byName.at("dated.c").StickyDate;
  // This client prints neither field.
  EXPECT_STREQ(byName.at("binary.dat").ExpansionOption, "");
  EXPECT_STREQ(byName.at("modified.c").MergeFrom, "");
}

TEST(StatusReport, LongNamesAndLongLinesAreReadWhole) {
  const std::string text = ReadFile(Recorded("all-states.txt"));
  ASSERT_GT(LongestLine(text), 311u) << "the recording must hold a line longer than 311 characters";
  const std::map<std::string, FileStatus> byName = ByName(ReadText(text));
  auto found = byName.find(kLongName);
  ASSERT_NE(found, byName.end());
  EXPECT_FALSE(found->second.NameCut);
  EXPECT_EQ(found->second.Letter, ' ');
  EXPECT_STREQ(found->second.RepositoryRevision, "1.1.1.1");
  EXPECT_STREQ(found->second.StickyTag, "");
  EXPECT_STREQ(found->second.StickyOptions, "");
}

TEST(StatusReport, ANameLongerThanTheHostsFieldIsCutAndMarked) {
  // The recorded record of modified.c under names just inside and just
  // past what a name can hold.
  const std::string text = ReadFile(Recorded("errors-mixed.txt"));
  size_t first = text.find(
      "===================================================================\nFile: modified.c");
  ASSERT_NE(first, std::string::npos);
  const std::string record = text.substr(first);
  const size_t room = sizeof(FileStatus{}.Name) - 1;
  for (size_t length : {room, room + 1, room + 500}) {
    SCOPED_TRACE(length);
    std::string copy = record;
    const std::string name(length, 'q');
    copy.replace(copy.find("modified.c"), 10, name);
    const std::vector<FileStatus> records = ReadText(copy);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].NameCut, length > room);
    EXPECT_EQ(std::string(records[0].Name), name.substr(0, room));
    EXPECT_EQ(records[0].Letter, 'M');
  }
}

TEST(StatusReport, NamesKeepLeadingBlanksTabsAndTheWordStatus) {
  // cvs writes "File: ", the name, blanks up to 17 characters, a tab and
  // "Status: ": everything before that last tab is the name.
  const std::string text = ReadFile(Recorded("errors-mixed.txt"));
  size_t first = text.find(
      "===================================================================\nFile: modified.c");
  const std::string record = text.substr(first);
  const std::string names[] = {" lead.c", "  two leading", "tab\there.c",
                               "x\tStatus: Locally Modified", "ends in blank "};
  for (const std::string &name : names) {
    SCOPED_TRACE(name);
    std::string copy = record;
    std::string fileLine = "File: " + name;
    if (fileLine.size() < 23) fileLine += std::string(23 - fileLine.size(), ' ');
    size_t at = copy.find("File: modified.c");
    copy.replace(at, copy.find('\t', at) - at, fileLine);
    const std::vector<FileStatus> records = ReadText(copy);
    ASSERT_EQ(records.size(), 1u);
    // Blanks at the end of a name cannot be told from cvs's padding.
    std::string expected = name;
    while (expected.back() == ' ') expected.pop_back();
    EXPECT_EQ(std::string(records[0].Name), expected);
    EXPECT_EQ(records[0].Letter, 'M');
    EXPECT_STREQ(records[0].StatusText, "Modified");
  }
}

TEST(StatusReport, ErrorLinesOfCvsAmongRecordsAreIgnored) {
  const std::string text = ReadFile(Recorded("errors-mixed.txt"));
  ASSERT_NE(text.find("cvs status: nothing known about"), std::string::npos);
  const std::vector<FileStatus> records = ReadText(text);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_STREQ(records[0].Name, "up-to-date.c");
  EXPECT_STREQ(records[1].Name, "no file no-such-file.c");
  EXPECT_STREQ(records[2].Name, "in-the-way.c");
  EXPECT_EQ(records[2].Letter, 'c');
  EXPECT_STREQ(records[2].WorkingRevision, "No");
  EXPECT_STREQ(records[2].RepositoryRevision, "1.1");
  EXPECT_STREQ(records[3].Name, "modified.c");
  EXPECT_EQ(records[3].Letter, 'M');
  // The error line before in-the-way.c's record did not leak into the
  // record before it.
  EXPECT_STREQ(records[1].StickyTag, "");
}

TEST(StatusReport, FailedRunGivesNoRecords) {
  const std::string text = ReadFile(Recorded("failed-run.txt"));
  ASSERT_NE(text.find("cvs [status aborted]"), std::string::npos);
  EXPECT_TRUE(ReadText(text).empty());
  EXPECT_TRUE(ReadText("").empty());
}

TEST(StatusReport, ExpansionOptionAndMergeFromFields) {
  const std::map<std::string, FileStatus> byName =
      ByName(ReadText(ReadFile(Recorded("extra-fields.txt"))));
  EXPECT_STREQ(byName.at("binary.dat").ExpansionOption, "-kb");
  EXPECT_STREQ(byName.at("up-to-date.c").ExpansionOption, "");  // "(default)"
  EXPECT_STREQ(byName.at("up-to-date.c").MergeFrom, "");        // "(none)"
  EXPECT_EQ(byName.size(), ByName(ReadText(ReadFile(Recorded("all-states.txt")))).size());
}

TEST(StatusReport, FieldsBeforeTheFileLineBelongToItsRecord) {
  // The recorded text with each record's file line moved below its
  // Working revision line: the record still gets every field.
  std::string text = ReadFile(Recorded("errors-mixed.txt"));
  std::regex swap("(File: [^\n]*\n)\n(   Working revision:[^\n]*\n)");
  text = std::regex_replace(text, swap, "$2$1");
  const std::map<std::string, FileStatus> byName = ByName(ReadText(text));
  EXPECT_STREQ(byName.at("modified.c").WorkingRevision, "1.1.1.1");
  EXPECT_EQ(byName.at("modified.c").Letter, 'M');
}

TEST(StatusReport, ALongLineIsOneLineWhateverItHolds) {
  // A recorded record whose repository line is padded so that a separator
  // stands at character 312 of the line: a reader that cut the line there
  // would end the record early.  Whole, the line is the repository line,
  // and the sticky tag after it still belongs to the record.
  const std::string text = ReadFile(Recorded("errors-mixed.txt"));
  size_t first = text.find("File: up-to-date.c");
  size_t end = text.find("=====", first);
  ASSERT_NE(end, std::string::npos);
  std::string record = "=====\n" + text.substr(first, end - first);
  std::string padded = "   Repository revision:\t9.9";
  padded += std::string(311 - padded.size(), ' ') + "===============\n";
  std::string withLongLine = record + padded + "   Sticky Tag:\t\tafter-the-line (revision: 1.1)\n";
  const std::vector<FileStatus> records = ReadText(withLongLine);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_STREQ(records[0].Name, "up-to-date.c");
  EXPECT_STREQ(records[0].RepositoryRevision, "9.9");
  EXPECT_STREQ(records[0].StickyTag, "after-the-line");
  // Windows line ends are line ends too.
  std::string crlf = std::regex_replace(withLongLine, std::regex("\n"), "\r\n");
  const std::vector<FileStatus> again = ReadText(crlf);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_STREQ(again[0].StatusText, "Up-to-date");
  EXPECT_STREQ(again[0].StickyTag, "after-the-line");
}

// ---- writing records into items ----

namespace {

PluginPanelItem FreshItem(DWORD attributes) {
  PluginPanelItem item;
  memset(&item, 0, sizeof(item));
  item.FindData.dwFileAttributes = attributes;
  return item;
}

// A listing of plain files by bare name, as the folder reader makes it.
PanelListing ListingOf(const std::vector<std::string> &names) {
  PanelListing listing;
  listing.Items.Reserve(names.size());
  for (const std::string &name : names) CopyToField(listing.Items.Add().FindData.cFileName, name);
  listing.State = ListingState::Read;
  SortListing(listing);
  return listing;
}

std::string Column(const PluginPanelItem &item, int index) {
  if (item.CustomColumnData == nullptr || index >= item.CustomColumnNumber) return "<no column>";
  return item.CustomColumnData[index] == nullptr ? "<null>" : item.CustomColumnData[index];
}

}  // namespace

TEST(ApplyFileStatus, HighlightingBitsFollowTheLetterNotTheDisk) {
  // Bits 0x40 and 0x800 set on the disk: only the letter decides them.
  const std::map<std::string, FileStatus> byName =
      ByName(ReadText(ReadFile(Recorded("extra-fields.txt"))));
  const DWORD kOnDisk = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED | 0x40;
  const struct {
    const char *Name;
    DWORD Attributes;
  } cases[] = {{"modified.c", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED},
               {"needs-patch.c", FILE_ATTRIBUTE_ARCHIVE | 0x40},
               {"conflict-fresh.c", FILE_ATTRIBUTE_ARCHIVE},
               {"up-to-date.c", FILE_ATTRIBUTE_ARCHIVE},
               // The client's locally-removed state takes the letter L: no bit.
               {"no file removed.c", FILE_ATTRIBUTE_ARCHIVE}};
  for (const auto &c : cases) {
    PluginPanelItem item = FreshItem(kOnDisk);
    ApplyFileStatus(item, byName.at(c.Name));
    EXPECT_EQ(item.FindData.dwFileAttributes, c.Attributes) << c.Name;
    ReleaseItemTexts(item);
  }
  // An expansion option other than "(default)" is the text of C3.
  PluginPanelItem binary = FreshItem(0);
  ApplyFileStatus(binary, byName.at("binary.dat"));
  EXPECT_STREQ(binary.Description, "Added SOpt: -kb");
  EXPECT_EQ(Column(binary, 3), "-kb");
  EXPECT_EQ(binary.UserData, static_cast<DWORD_PTR>('A'));
  ReleaseItemTexts(binary);
}

TEST(ApplyFileStatus, DescriptionListsStickyFieldsInOrderAndFitsItsBuffer) {
  // A record with every field at its longest: tag and date from the
  // recording, options and merge source added as a client would print them.
  std::string text = ReadFile(Recorded("all-states.txt"));
  size_t first = text.find("File: long-tag.c");
  size_t end = text.find("=====", first);
  std::string record = text.substr(first, end - first);
  record += "   Sticky Date:\t\t2026.12.08.00.18.05\n";
  record += "   Sticky Options:\t" + std::string(40, 'o') + "\n";
  record += "   Merge From:\t\t" + std::string(40, 'm') + "\n";
  std::vector<FileStatus> records = ReadText(record);
  ASSERT_EQ(records.size(), 1u);
  PluginPanelItem item = FreshItem(0);
  ApplyFileStatus(item, records[0]);
  const std::string expected = "Up-to-date STag: " + kLongTag.substr(0, 31) +
                               " SDate: 2026.12.08.00.18.05" + " SOpt: " + std::string(31, 'o') +
                               " Merge: " + std::string(31, 'm');
  EXPECT_EQ(item.Description, expected);
  EXPECT_LT(expected.size(), 256u);
  ReleaseItemTexts(item);
}

TEST(ApplyRecord, ARecordReportedTwiceReplacesTheFirstWithoutLosingMemory) {
  std::string text = ReadFile(Recorded("errors-mixed.txt"));
  std::string twice = text + text;
  std::regex firstModified("Locally Modified");
  twice = std::regex_replace(twice, firstModified, "Needs Patch",
                             std::regex_constants::format_first_only);
  PanelListing listing = ListingOf({"modified.c", "up-to-date.c"});
  for (const FileStatus &record : ReadText(twice)) ApplyRecord(listing, record);
  EXPECT_STREQ(FindListed(listing, "modified.c")->Description, "Modified");
  EXPECT_EQ(FindListed(listing, "in-the-way.c"), nullptr);
  ReleaseListing(listing);
}

TEST(ApplyRecord, NoFileRecordsGoToTheRowsWithoutAFileAndAFileOfSuchANameKeepsItsOwn) {
  // cvs writes "File: no file lost.c" for a file the disk lacks.  A file of
  // the disk named "no file lost.c" is reported under the same words: the
  // first such record goes to the row without a file, the second to it.
  PanelListing listing = ListingOf({"lost.c", "no file lost.c", "kept.c", "gone.c"});
  FindListed(listing, "lost.c")->UserData = kNoFileRow;
  FindListed(listing, "gone.c")->UserData = kNoFileRow;
  const std::string report =
      "===================================================================\n"
      "File: no file lost.c\t\tStatus: Needs Checkout\n"
      "===================================================================\n"
      "File: no file lost.c\t\tStatus: Locally Modified\n"
      "===================================================================\n"
      "File: kept.c           \tStatus: Up-to-date\n"
      "===================================================================\n"
      "File: gone.c           \tStatus: Up-to-date\n";
  for (const FileStatus &record : ReadText(report)) ApplyRecord(listing, record);
  const PluginPanelItem &lost = *FindListed(listing, "lost.c");
  EXPECT_STREQ(lost.Description, "Needs Checkout");
  EXPECT_EQ(lost.UserData, kNoFileRow | 'N');
  EXPECT_STREQ(FindListed(listing, "no file lost.c")->Description, "Modified");
  EXPECT_EQ(FindListed(listing, "no file lost.c")->UserData, DWORD_PTR('M'));
  EXPECT_STREQ(FindListed(listing, "kept.c")->Description, "Up-to-date");
  // A record without the words never lands on a row without a file.
  EXPECT_EQ(FindListed(listing, "gone.c")->Description, nullptr);
  ReleaseListing(listing);
}

TEST(ListFolder, WhatEntriesNamesJoinsTheDiskRowsInByteOrderOnce) {
  TempDir scratch;
  for (const char *name : {"a.c", "c.c", "Z.c", "only-here"}) WriteFile(scratch / name, "x");
  testsupport::MakeDirs(scratch / "dir");
  KeptEntries kept;
  kept.Read = true;
  // Entries names a.c and c.c (on the disk), b.c twice and y.c (lost), a
  // folder "dir" (there) and "gone" (missing), and c.c also as a folder.
  kept.Files = {"c.c", "b.c", "a.c", "b.c", "y.c"};
  kept.Folders = {"gone", "dir", "c.c"};
  PanelListing listing;
  listing.Directory = scratch.Path();
  ListFolder(listing, &kept);
  ASSERT_EQ(listing.State, ListingState::Read);
  const struct {
    const char *Name;
    DWORD_PTR UserData;
    bool Folder;
  } expected[] = {{"Z.c", 0, false},          {"a.c", kKeptRow, false},
                  {"b.c", kNoFileRow | kKeptRow, false}, {"c.c", kKeptRow, false},
                  {"dir", 0, true},           {"gone", kNoFileRow | kKeptRow, true},
                  {"only-here", 0, false},    {"y.c", kNoFileRow | kKeptRow, false}};
  ASSERT_EQ(listing.Items.Count(), sizeof expected / sizeof expected[0]);
  for (size_t i = 0; i < listing.Items.Count(); ++i) {
    const PluginPanelItem &item = listing.Items[i];
    SCOPED_TRACE(expected[i].Name);
    EXPECT_STREQ(item.FindData.cFileName + listing.NameOffset, expected[i].Name);
    EXPECT_EQ(item.UserData, expected[i].UserData);
    EXPECT_EQ((item.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, expected[i].Folder);
    // A row without a file has no size and no times.
    if (item.UserData & kNoFileRow) {
      EXPECT_EQ(item.FindData.dwFileAttributes & ~DWORD(FILE_ATTRIBUTE_DIRECTORY),
                DWORD(FILE_ATTRIBUTE_OFFLINE));
      EXPECT_EQ(item.FindData.nFileSizeLow, 0u);
      EXPECT_EQ(item.FindData.ftLastWriteTime.dwLowDateTime, 0u);
    }
  }
  ReleaseListing(listing);
}

TEST(StatusReport, AReportFollowedAsItIsWrittenGivesWhatAWholeReadGives) {
  // The recorded report written in small pieces, cut anywhere, by another
  // thread, while the reader follows the file.
  const std::string text = ReadFile(Recorded("all-states.txt"));
  const std::vector<FileStatus> whole = ReadText(text);
  TempDir dir;
  const std::string path = dir / "report";
  WriteFile(path, "");
  FILE *writer = fopen(path.c_str(), "ab");
  FILE *reader = fopen(path.c_str(), "rb");
  ASSERT_TRUE(writer != nullptr && reader != nullptr);
  std::atomic<bool> ended{false};
  std::thread writing([&] {
    for (size_t at = 0; at < text.size(); at += 97) {
      fwrite(text.data() + at, 1, std::min<size_t>(97, text.size() - at), writer);
      fflush(writer);
      usleep(300);
    }
    fclose(writer);
    ended.store(true);
  });
  std::vector<FileStatus> followed;
  FollowStatusReport(reader, IdentityTable(), ended,
                     [&followed](const FileStatus &record) { followed.push_back(record); });
  writing.join();
  fclose(reader);
  ASSERT_EQ(followed.size(), whole.size());
  for (size_t i = 0; i < whole.size(); ++i) {
    EXPECT_EQ(memcmp(&followed[i], &whole[i], sizeof(FileStatus)), 0) << whole[i].Name;
  }
}
