// Group selection and the selection carried across a re-read.
#include "core/panel_selection.hpp"

#include <ctype.h>

#include <algorithm>

#include "core/host_texts.hpp"
#include "core/platform.hpp"

namespace hostcore {

namespace {

int Fold(unsigned char c) { return tolower(c); }

// The bytes of one UTF-8 character starting at `at` (1 for a stray byte).
size_t CharacterLength(const std::string &text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end - at;
}

// [set] at `mask[at]` against `c`; `at` moves past the closing bracket.
// An unclosed bracket is a plain '['.
bool MatchSet(const std::string &mask, size_t &at, unsigned char c, bool &closed) {
  size_t i = at + 1;
  bool negate = i < mask.size() && (mask[i] == '!' || mask[i] == '^');
  if (negate) ++i;
  bool found = false;
  bool first = true;
  for (; i < mask.size() && (first || mask[i] != ']'); ++i, first = false) {
    int low = Fold(static_cast<unsigned char>(mask[i])), high = low;
    if (i + 2 < mask.size() && mask[i + 1] == '-' && mask[i + 2] != ']') {
      high = Fold(static_cast<unsigned char>(mask[i + 2]));
      i += 2;
    }
    if (Fold(c) >= low && Fold(c) <= high) found = true;
  }
  closed = i < mask.size();
  if (!closed) return Fold(c) == '[';
  at = i + 1;
  return found != negate;
}

bool MatchOne(const std::string &name, const std::string &mask) {
  size_t n = 0, m = 0;
  size_t starMask = std::string::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = ++m;
      starName = n;
      continue;
    }
    if (m < mask.size()) {
      unsigned char c = static_cast<unsigned char>(name[n]);
      if (mask[m] == '?') {
        n += CharacterLength(name, n);
        ++m;
        continue;
      }
      if (mask[m] == '[') {
        size_t after = m;
        bool closed = false;
        if (MatchSet(mask, after, c, closed) && c < 0x80) {
          n += 1;
          m = closed ? after : m + 1;
          continue;
        }
      } else if (Fold(c) == Fold(static_cast<unsigned char>(mask[m]))) {
        ++n;
        ++m;
        continue;
      }
    }
    if (starMask == std::string::npos) return false;
    // Let the last star take one more character and try again.
    starName += CharacterLength(name, starName);
    n = starName;
    m = starMask;
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

std::string Trimmed(const std::string &text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The part of a row's name after its folder (plug-in rows carry full paths).
std::string NamePart(const std::string &name) {
  size_t cut = name.find_last_of(std::string("/") + kPathSeparator);
  return cut == std::string::npos ? name : name.substr(cut + 1);
}

}  // namespace

std::unordered_set<std::string> SelectedNames(const PanelModel &panel) {
  std::unordered_set<std::string> names;
  for (const PanelRow &row : panel.Rows)
    if (row.Selected) names.insert(row.Name);
  return names;
}

void Reselect(PanelModel &panel, const std::unordered_set<std::string> &names) {
  if (names.empty()) return;
  for (PanelRow &row : panel.Rows)
    if (Selectable(row) && names.count(row.Name) != 0) row.Selected = true;
}

bool MatchesMask(const std::string &name, const std::string &masks) {
  size_t start = 0;
  while (start <= masks.size()) {
    size_t end = masks.find_first_of(",;", start);
    if (end == std::string::npos) end = masks.size();
    std::string mask = Trimmed(masks.substr(start, end - start));
    start = end + 1;
    if (mask.empty()) continue;
    if (MatchOne(name, mask)) return true;
    bool anyExtension = mask.size() > 2 && mask.compare(mask.size() - 2, 2, ".*") == 0;
    if (anyExtension && name.find('.') == std::string::npos &&
        MatchOne(name, mask.substr(0, mask.size() - 2)))
      return true;
  }
  return false;
}

int SelectByMask(PanelModel &panel, const std::string &masks) {
  int changed = 0;
  for (PanelRow &row : panel.Rows) {
    if (row.Selected || !Selectable(row) || IsFolderRow(row)) continue;
    if (!MatchesMask(NamePart(row.Name), masks)) continue;
    row.Selected = true;
    ++changed;
  }
  return changed;
}

int UnselectByMask(PanelModel &panel, const std::string &masks) {
  int changed = 0;
  for (PanelRow &row : panel.Rows) {
    if (!row.Selected || !MatchesMask(NamePart(row.Name), masks)) continue;
    row.Selected = false;
    ++changed;
  }
  return changed;
}

void InvertFileSelection(PanelModel &panel) {
  for (PanelRow &row : panel.Rows)
    if (Selectable(row) && !IsFolderRow(row)) row.Selected = !row.Selected;
}

bool SelectWhileMoving(PanelModel &panel, const KeyPress &key, const PanelWindow &window) {
  if (key.Mods != PKF_SHIFT || panel.Rows.empty()) return false;
  ClampCurrent(panel);
  int from = panel.CurrentItem;
  if (!MovePanelCursor(panel, KeyOf(key.Vk), window)) return false;
  int to = panel.CurrentItem;
  bool state = !panel.Rows[static_cast<size_t>(from)].Selected;
  bool toEnd = key.Vk == vk::Home || key.Vk == vk::End;
  int low = std::min(from, to), high = std::max(from, to);
  for (int i = low; i <= high; ++i) {
    if (i == to && i != from && !toEnd) continue;
    PanelRow &row = panel.Rows[static_cast<size_t>(i)];
    if (Selectable(row)) row.Selected = state;
  }
  return true;
}

SelectionTotal SelectedTotal(const PanelModel &panel) {
  SelectionTotal total;
  for (const PanelRow &row : panel.Rows) {
    if (!row.Selected) continue;
    ++total.Rows;
    if (!IsFolderRow(row)) total.Bytes += row.Size;
  }
  return total;
}

namespace {
// 1234567 as "1,234,567".
std::string Grouped(uint64_t number) {
  std::string digits = std::to_string(number), grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}
}  // namespace

std::string SelectionSummary(const PanelModel &panel) {
  SelectionTotal total = SelectedTotal(panel);
  if (total.Rows == 0) return "";
  return Say(total.Rows == 1 ? HostText::SelectedFile : HostText::SelectedFiles,
             {Grouped(total.Bytes), Grouped(static_cast<uint64_t>(total.Rows))});
}

}  // namespace hostcore
