// The report reader on damaged and on very large reports: recorded reports
// of the real client, mutated at random (fixed seeds) or repeated many
// times.  Under the sanitizer build any write past a field fails the run.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

#include "far/field_text.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "panel/status_report.hpp"
#include "test_support.hpp"

using testsupport::ReadFile;
using testsupport::TestsSourceDir;

namespace {

std::string Recorded(const std::string &name) {
  return ReadFile(TestsSourceDir() + "/data/status/" + name);
}

std::vector<FileStatus> Read(const std::string &text, const unsigned char *table) {
  // fmemopen cannot open an empty buffer on every C library.
  std::string copy = text.empty() ? std::string("\n") : text;
  FILE *stream = fmemopen(&copy[0], copy.size(), "r");
  EXPECT_NE(stream, nullptr);
  std::vector<FileStatus> records = ReadStatusReport(stream, table);
  fclose(stream);
  return records;
}

template <size_t N>
bool Terminated(const char (&field)[N]) {
  return memchr(field, '\0', N) != nullptr;
}

std::string Mutate(std::string text, std::mt19937 &random) {
  std::uniform_int_distribution<int> byte(0, 255);
  const int edits = 1 + static_cast<int>(random() % 12);
  for (int e = 0; e < edits && !text.empty(); ++e) {
    size_t at = random() % text.size();
    switch (random() % 6) {
      case 0:  // a random byte, NUL, tab and line end included
        text[at] = static_cast<char>(byte(random));
        break;
      case 1:  // a long run without line end, past one read
        text.insert(at, std::string(200 + random() % 900, "x \t="[random() % 4]));
        break;
      case 2:  // a piece cut out
        text.erase(at, random() % 200);
        break;
      case 3:  // a piece repeated
        text.insert(at, text.substr(at, random() % 300));
        break;
      case 4:  // a line end inside a line
        text.insert(at, 1, '\n');
        break;
      default:  // the report cut short
        text.resize(at);
        break;
    }
  }
  return text;
}

}  // namespace

TEST(StatusReportVolume, MutatedRecordingsStayInsideEveryField) {
  const std::string sources[] = {Recorded("all-states.txt"), Recorded("errors-mixed.txt"),
                                 Recorded("extra-fields.txt")};
  ASSERT_FALSE(sources[0].empty());
  std::mt19937 random(20261208);
  unsigned char table[256];
  for (int round = 0; round < 600; ++round) {
    SCOPED_TRACE(round);
    const std::string text = Mutate(sources[round % 3], random);
    for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(round % 2 ? random() : i);
    const std::vector<FileStatus> records = Read(text, table);
    std::vector<std::string> names;
    for (const FileStatus &record : records) {
      ASSERT_TRUE(Terminated(record.Name) && Terminated(record.StatusText) &&
                  Terminated(record.WorkingRevision) && Terminated(record.RepositoryRevision) &&
                  Terminated(record.ExpansionOption) && Terminated(record.StickyTag) &&
                  Terminated(record.StickyDate) && Terminated(record.StickyOptions) &&
                  Terminated(record.MergeFrom));
      ASSERT_NE(record.Name[0], '\0');
      // A record with a status has the letter of that status.
      if (record.StatusText[0] != '\0') {
        ASSERT_NE(record.Letter, '\0');
      }
      names.push_back(record.Name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    PanelListing listing;
    listing.Items.Reserve(names.size() + 1);
    for (const std::string &name : names) CopyToField(listing.Items.Add().FindData.cFileName, name);
    SortListing(listing);
    for (const FileStatus &record : records) ApplyRecord(listing, record);
    for (size_t i = 0; i < listing.Items.Count(); ++i) {
      if (listing.Items[i].Description != nullptr) {
        ASSERT_LT(strlen(listing.Items[i].Description), 256u);
      }
    }
    ReleaseListing(listing);
  }
}

TEST(StatusReportVolume, ALargeReportIsReadWhole) {
  // The recorded report of modified.c, repeated under 20000 names.
  const std::string text = Recorded("errors-mixed.txt");
  size_t first = text.find(
      "===================================================================\nFile: modified.c");
  ASSERT_NE(first, std::string::npos);
  const std::string record = text.substr(first);
  const int count = 20000;
  std::string report;
  report.reserve(record.size() * count + 64);
  char name[32];
  for (int i = 0; i < count; ++i) {
    snprintf(name, sizeof(name), "file%05d.c", i);
    std::string copy = record;
    copy.replace(copy.find("modified.c"), 10, name);
    report += copy;
  }
  const auto start = std::chrono::steady_clock::now();
  const std::vector<FileStatus> records = Read(report, IdentityTable());
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(records.size(), static_cast<size_t>(count));
  EXPECT_STREQ(records[12345].Name, "file12345.c");
  EXPECT_EQ(records[12345].Letter, 'M');
  EXPECT_STREQ(records[count - 1].WorkingRevision, "1.1.1.1");
  // For information only: the reader's pace on this machine.
  printf("read %d records (%zu bytes) in %.3f s\n", count, report.size(), seconds);
}
