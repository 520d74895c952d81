// The `cvs status` report reader on any text, with any character table:
// every field stays inside its capacity, and writing the records into
// listed items keeps every description inside its buffer.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "far/field_text.hpp"
#include "panel/cvs_panel.hpp"
#include "panel/file_status.hpp"
#include "panel/folder_listing.hpp"
#include "panel/status_report.hpp"

namespace {

template <size_t N>
void MustEnd(const char (&field)[N]) {
  if (memchr(field, '\0', N) == nullptr) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // A leading 'T' and 256 bytes: a character table of the input's own.
  unsigned char table[256];
  memcpy(table, IdentityTable(), sizeof table);
  if (size > 257 && data[0] == 'T') {
    memcpy(table, data + 1, sizeof table);
    data += 257;
    size -= 257;
  }
  std::string text(reinterpret_cast<const char *>(data), size);
  text += '\n';  // fmemopen needs a buffer that is not empty
  FILE *report = fmemopen(&text[0], text.size(), "r");
  if (report == nullptr) return 0;
  std::vector<FileStatus> records = ReadStatusReport(report, table);
  fclose(report);

  std::vector<std::string> names;
  for (const FileStatus &record : records) {
    MustEnd(record.Name);
    MustEnd(record.StatusText);
    MustEnd(record.WorkingRevision);
    MustEnd(record.RepositoryRevision);
    MustEnd(record.ExpansionOption);
    MustEnd(record.StickyTag);
    MustEnd(record.StickyDate);
    MustEnd(record.StickyOptions);
    MustEnd(record.MergeFrom);
    if (record.Name[0] == '\0') abort();
    names.push_back(record.Name);
  }
  PanelListing listing;
  listing.Items.Reserve(names.size() + 1);
  for (const std::string &name : names) CopyToField(listing.Items.Add().FindData.cFileName, name);
  SortListing(listing);
  for (const FileStatus &record : records) ApplyRecord(listing, record);
  for (size_t i = 0; i < listing.Items.Count(); ++i) {
    const PluginPanelItem &item = listing.Items[i];
    if (item.Description != nullptr && strlen(item.Description) >= 256) abort();
  }
  ReleaseListing(listing);
  return 0;
}
