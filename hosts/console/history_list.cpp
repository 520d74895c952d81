// History lists.
#include "console/history_list.hpp"

#include <algorithm>

#include "console/list_box.hpp"
#include "core/host_texts.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

bool RunHistoryList(Terminal &term, const std::vector<std::string> &entries, int y, int x,
                    int width, std::string &chosen) {
  std::vector<std::string> newestFirst(entries.rbegin(), entries.rend());
  int index = RunListBox(term, Say(HostText::TitleHistory), newestFirst, 0, y, x,
                         std::max(width + 2, 20), 10);
  if (index < 0) return false;
  chosen = newestFirst[static_cast<size_t>(index)];
  return true;
}

}  // namespace console
