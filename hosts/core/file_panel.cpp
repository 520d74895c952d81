// File panels: rows from the file system in panel order.
#include <ctype.h>

#include <algorithm>

#include "core/panel_model.hpp"
#include "core/platform.hpp"

namespace hostcore {

bool IsFolderRow(const PanelRow &row) { return (row.Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

namespace {
int CompareNames(const std::string &a, const std::string &b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    int x = tolower(static_cast<unsigned char>(a[i]));
    int y = tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}
}  // namespace

bool RowComesBefore(const PanelRow &a, const PanelRow &b) {
  bool aUp = a.Name == "..", bUp = b.Name == "..";
  if (aUp != bUp) return aUp;
  bool aFolder = IsFolderRow(a), bFolder = IsFolderRow(b);
  if (aFolder != bFolder) return aFolder;
  return CompareNames(a.Name, b.Name) < 0;
}

void SortRows(std::vector<PanelRow> &rows) {
  std::stable_sort(rows.begin(), rows.end(), RowComesBefore);
}

std::string ParentOf(const std::string &dir) {
  std::string path = dir;
  while (path.size() > 1 && (path.back() == '/' || path.back() == kPathSeparator)) path.pop_back();
  size_t cut = path.find_last_of(std::string("/") + kPathSeparator);
  if (cut == std::string::npos) return "";
  if (cut == path.size() - 1) return "";  // the root itself
  std::string parent = path.substr(0, cut);
  // "/usr" goes to "/", "C:\work" to "C:\".
  if (parent.empty() || (parent.size() == 2 && parent[1] == ':')) parent += path[cut];
  return parent;
}

bool ReadFileRows(const std::string &dir, std::vector<PanelRow> &rows) {
  rows.clear();
  if (!ParentOf(dir).empty()) {
    PanelRow up;
    up.Name = "..";
    up.Attributes = FILE_ATTRIBUTE_DIRECTORY;
    rows.push_back(up);
  }
  std::vector<FolderEntry> entries;
  bool read = ReadFolder(dir, entries);
  for (const FolderEntry &entry : entries) {
    PanelRow row;
    row.Name = entry.Name;
    row.Attributes = entry.Attributes;
    row.Size = entry.Size;
    row.WriteTime = entry.WriteTime;
    rows.push_back(row);
  }
  SortRows(rows);
  return read;
}

int FindRow(const PanelModel &panel, const std::string &name) {
  for (size_t i = 0; i < panel.Rows.size(); ++i) {
    const std::string &row = panel.Rows[i].Name;
    if (row == name) return static_cast<int>(i);
    if (row.size() > name.size() && row.compare(row.size() - name.size(), name.size(), name) == 0) {
      char before = row[row.size() - name.size() - 1];
      if (before == '/' || before == kPathSeparator) return static_cast<int>(i);
    }
  }
  return -1;
}

void ClampCurrent(PanelModel &panel) {
  int count = static_cast<int>(panel.Rows.size());
  if (panel.CurrentItem >= count) panel.CurrentItem = count - 1;
  if (panel.CurrentItem < 0) panel.CurrentItem = 0;
  if (panel.TopItem > panel.CurrentItem) panel.TopItem = panel.CurrentItem;
  if (panel.TopItem < 0) panel.TopItem = 0;
}

}  // namespace hostcore
