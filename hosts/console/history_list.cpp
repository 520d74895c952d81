// History lists.
#include "console/history_list.hpp"

#include <algorithm>

#include "console/host_texts.hpp"
#include "console/list_box.hpp"

namespace console {

bool RunHistoryList(Terminal &term, const std::vector<std::string> &entries, int y, int x,
                    int width, std::string &chosen) {
  std::vector<std::string> newestFirst(entries.rbegin(), entries.rend());
  int index = RunListBox(term, Text(T::HistoryTitle), newestFirst, 0, y, x, std::max(width + 2, 20), 10);
  if (index < 0) return false;
  chosen = newestFirst[static_cast<size_t>(index)];
  return true;
}

}  // namespace console
