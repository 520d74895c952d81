// The status report reader on reports recorded from the real cvs client
// (tests/record_status_reports.sh), and the writing of its records into
// panel items.
#include <stdio.h>
#include <string.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
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
  std::vector<FileStatus> records = ReadStatusReport(stream, table != nullptr ? table : IdentityTable());
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
  for (size_t at = text.find("File: "); at != std::string::npos; at = text.find("File: ", at + 1)) ++count;
  return count;
}
size_t LongestLine(const std::string &text) {
  size_t longest = 0, start = 0;
  for (size_t end = text.find('\n'); end != std::string::npos; start = end + 1, end = text.find('\n', start)) {
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

TEST(StatusReport, OverlongNameIsCutAndMarkedAndItsLongLineReadInPieces) {
  const std::string text = ReadFile(Recorded("all-states.txt"));
  ASSERT_GT(LongestLine(text), static_cast<size_t>(kReportLineLength))
      << "the recording must hold a line longer than one read";
  const std::map<std::string, FileStatus> byName = ByName(ReadText(text));
  const std::string cut = kLongName.substr(0, 127);
  auto found = byName.find(cut);
  ASSERT_NE(found, byName.end());
  EXPECT_TRUE(found->second.NameCut);
  EXPECT_EQ(found->second.Letter, ' ');
  // The repository line is longer than one read; its first piece gives the
  // revision and the rest of it does not disturb the fields that follow.
  EXPECT_STREQ(found->second.RepositoryRevision, "1.1.1.1");
  EXPECT_STREQ(found->second.StickyTag, "");
  EXPECT_STREQ(found->second.StickyOptions, "");
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
  const std::map<std::string, FileStatus> byName = ByName(ReadText(ReadFile(Recorded("extra-fields.txt"))));
  EXPECT_STREQ(byName.at("binary.dat").ExpansionOption, "-kb");
  EXPECT_STREQ(byName.at("up-to-date.c").ExpansionOption, "");  // "(default)"
  EXPECT_STREQ(byName.at("up-to-date.c").MergeFrom, "");         // "(none)"
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

TEST(StatusReport, PiecesOfALongLineAreLinesOfTheirOwn) {
  // A recorded record whose repository line is padded so that a separator
  // falls exactly at the start of the second piece: that piece ends the
  // record as a separator line would.
  const std::string text = ReadFile(Recorded("errors-mixed.txt"));
  size_t first = text.find("File: up-to-date.c");
  size_t end = text.find("=====", first);
  ASSERT_NE(end, std::string::npos);
  std::string record = "=====\n" + text.substr(first, end - first);
  std::string padded = "   Repository revision:\t9.9";
  padded += std::string(kReportLineLength - padded.size(), ' ') + "===============\n";
  // The repository line below the first piece's: the piece overrides it,
  // and the separator inside the long line closes the record.
  std::string withLongLine = record + padded + "   Sticky Tag:\t\tafter-the-piece (revision: 1.1)\n";
  const std::vector<FileStatus> records = ReadText(withLongLine);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_STREQ(records[0].Name, "up-to-date.c");
  EXPECT_STREQ(records[0].RepositoryRevision, "9.9");
  EXPECT_STREQ(records[0].StickyTag, "");  // came after the record ended
}

TEST(StatusReport, NamesAreDecodedThroughTheTable) {
  unsigned char table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
  const std::vector<FileStatus> records = ReadText(ReadFile(Recorded("errors-mixed.txt")), table);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_STREQ(records[0].Name, "UP-TO-DATE.C");  // blanks before the tab removed, then decoded
  EXPECT_STREQ(records[3].StatusText, "Modified");  // only names are decoded
}

// ---- writing records into items ----

namespace {

PluginPanelItem FreshItem(DWORD attributes) {
  PluginPanelItem item;
  memset(&item, 0, sizeof(item));
  item.FindData.dwFileAttributes = attributes;
  return item;
}

std::string Column(const PluginPanelItem &item, int index) {
  if (item.CustomColumnData == nullptr || index >= item.CustomColumnNumber) return "<no column>";
  return item.CustomColumnData[index] == nullptr ? "<null>" : item.CustomColumnData[index];
}

}  // namespace

TEST(ApplyFileStatus, StatesBecomeDescriptionColumnsLetterAndAttributes) {
  const std::map<std::string, FileStatus> byName = ByName(ReadText(ReadFile(Recorded("extra-fields.txt"))));
  const DWORD kOnDisk = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED | 0x40;

  PluginPanelItem modified = FreshItem(FILE_ATTRIBUTE_ARCHIVE);
  ApplyFileStatus(modified, byName.at("modified.c"));
  EXPECT_STREQ(modified.Description, "Modified");
  EXPECT_EQ(modified.CustomColumnNumber, 4);
  EXPECT_EQ(Column(modified, 0), "M");
  EXPECT_EQ(Column(modified, 1), "1.1.1.1");
  EXPECT_EQ(Column(modified, 2), "1.1.1.1");
  EXPECT_EQ(Column(modified, 3), "<null>");  // "(default)"
  EXPECT_EQ(modified.UserData, 77u);
  EXPECT_EQ(modified.FindData.dwFileAttributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED);

  PluginPanelItem patch = FreshItem(kOnDisk);
  ApplyFileStatus(patch, byName.at("needs-patch.c"));
  EXPECT_EQ(patch.FindData.dwFileAttributes, FILE_ATTRIBUTE_ARCHIVE | 0x40u);
  EXPECT_EQ(Column(patch, 2), "1.2");

  PluginPanelItem conflict = FreshItem(kOnDisk);
  ApplyFileStatus(conflict, byName.at("conflict-fresh.c"));
  EXPECT_EQ(Column(conflict, 0), "c");
  EXPECT_EQ(conflict.FindData.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  // The client's locally-removed state takes its first letter, L, which
  // carries no highlighting bit.
  PluginPanelItem removed = FreshItem(kOnDisk);
  ApplyFileStatus(removed, byName.at("no file removed.c"));
  EXPECT_STREQ(removed.Description, "Locally Removed");
  EXPECT_EQ(Column(removed, 0), "L");
  EXPECT_EQ(removed.FindData.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  PluginPanelItem binary = FreshItem(0);
  ApplyFileStatus(binary, byName.at("binary.dat"));
  EXPECT_STREQ(binary.Description, "Added SOpt: -kb");
  EXPECT_EQ(Column(binary, 3), "-kb");
  EXPECT_EQ(Column(binary, 1), "New");

  PluginPanelItem upToDate = FreshItem(kOnDisk);
  ApplyFileStatus(upToDate, byName.at("on-branch.c"));
  EXPECT_STREQ(upToDate.Description, "Up-to-date STag: feature-branch");
  EXPECT_EQ(upToDate.UserData, 32u);
  EXPECT_EQ(upToDate.FindData.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  PluginPanelItem items[] = {modified, patch, conflict, removed, binary, upToDate};
  for (PluginPanelItem &item : items) ReleaseItemTexts(item);
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
  const std::string expected = "Up-to-date STag: " + kLongTag.substr(0, 31) + " SDate: 2026.12.08.00.18.05" +
                               " SOpt: " + std::string(31, 'o') + " Merge: " + std::string(31, 'm');
  EXPECT_EQ(item.Description, expected);
  EXPECT_LT(expected.size(), 256u);
  ReleaseItemTexts(item);
}

TEST(ApplyReport, MatchesWholeExactNamesOnlyAndNeverACutName) {
  const std::vector<FileStatus> records = ReadText(ReadFile(Recorded("all-states.txt")));
  ItemMap items;
  const std::string cut = kLongName.substr(0, 127);
  for (const std::string &name : {std::string("modified.c"), std::string("Modified.c"), std::string("two words.c"),
                                  cut, kLongName, std::string("unreported.c")}) {
    items.emplace(name, FreshItem(0));
  }
  ApplyReport(items, records);
  EXPECT_STREQ(items.at("modified.c").Description, "Modified");
  EXPECT_EQ(items.at("Modified.c").Description, nullptr);
  EXPECT_STREQ(items.at("two words.c").Description, "Up-to-date");
  // The long name's record carries only its first 127 characters: it is
  // matched neither to the file of exactly that name nor to itself.
  EXPECT_EQ(items.at(cut).Description, nullptr);
  EXPECT_EQ(items.at(kLongName).Description, nullptr);
  EXPECT_EQ(items.at("unreported.c").Description, nullptr);
  for (auto &entry : items) ReleaseItemTexts(entry.second);
}

TEST(ApplyReport, ARecordReportedTwiceReplacesTheFirstWithoutLosingMemory) {
  std::string text = ReadFile(Recorded("errors-mixed.txt"));
  std::string twice = text + text;
  std::regex firstModified("Locally Modified");
  twice = std::regex_replace(twice, firstModified, "Needs Patch", std::regex_constants::format_first_only);
  ItemMap items;
  items.emplace("modified.c", FreshItem(0));
  ApplyReport(items, ReadText(twice));
  EXPECT_STREQ(items.at("modified.c").Description, "Modified");
  ReleaseItemTexts(items.at("modified.c"));
}

TEST(ByteOrder, CapitalsFirstPrefixFirstUnsignedBytes) {
  ItemMap items;
  for (const char *name : {"a.c", "Makefile", "a", "\xE9t\xE9.c", "Z", "_x"}) items.emplace(name, FreshItem(0));
  std::vector<std::string> order;
  for (const auto &entry : items) order.push_back(entry.first);
  EXPECT_EQ(order, (std::vector<std::string>{"Makefile", "Z", "_x", "a", "a.c", "\xE9t\xE9.c"}));
}

TEST(FreeFindItems, ReleasesItemsBuiltByTheReader) {
  const std::vector<FileStatus> records = ReadText(ReadFile(Recorded("all-states.txt")));
  PluginPanelItem *array = new PluginPanelItem[records.size() + 1];
  for (size_t i = 0; i < records.size(); ++i) {
    array[i] = FreshItem(0);
    ApplyFileStatus(array[i], records[i]);
  }
  array[records.size()] = FreshItem(0);
  MarkUnknown(array[records.size()]);
  EXPECT_STREQ(array[records.size()].Description, "Unknown");
  EXPECT_EQ(Column(array[records.size()], 0), "?");
  EXPECT_EQ(array[records.size()].UserData, static_cast<DWORD_PTR>('?'));
  // Everything is released here; the sanitizer build reports any leak.
  FreeFindItems(array, static_cast<int>(records.size() + 1));
  FreeFindItems(nullptr, 3);
  PluginPanelItem untouched = FreshItem(0);
  FreeFindItems(&untouched, 0);
}
