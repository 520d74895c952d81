// Writing CVS states into the panel's items, and asking cvs for them.
#ifndef QUILLET_FILE_STATUS_HPP
#define QUILLET_FILE_STATUS_HPP

#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "host/far_api.hpp"
#include "panel/status_report.hpp"

// Names ordered by plain unsigned byte comparison: exact, case-sensitive
// lookup, capitals before small letters, a prefix before the longer name.
struct ByteOrder {
  bool operator()(const std::string &a, const std::string &b) const {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    int order = memcmp(a.data(), b.data(), common);
    return order != 0 ? order < 0 : a.size() < b.size();
  }
};
// The listing's items by bare file name.
typedef std::map<std::string, PluginPanelItem, ByteOrder> ItemMap;

// Writes one record into one item: description, the four status columns,
// the letter in UserData and the highlighting bits of the attributes.
// Texts the item held before are released first.
void ApplyFileStatus(PluginPanelItem &item, const FileStatus &record);
// Applies every record whose name is among `items`.
void ApplyReport(ItemMap &items, const std::vector<FileStatus> &records);
// Runs `cvs -q status -l` in `directory` and applies its report to `items`.
void ReadCvsStatus(ItemMap &items, const std::string &directory);

// Marks a plain file that has no state: "Unknown", one column "?", '?'.
void MarkUnknown(PluginPanelItem &item);
// Releases the texts an item owns and clears their fields.
void ReleaseItemTexts(PluginPanelItem &item);

#endif
