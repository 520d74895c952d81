// The panel's path rules on any current folder and any name the host may
// ask for, with both separators.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "panel/panel_paths.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // current NUL dir [NUL]
  std::string input(reinterpret_cast<const char *>(data), size);
  size_t cut = input.find('\0');
  const std::string current = input.substr(0, cut);
  const std::string dir = cut == std::string::npos ? std::string() : input.substr(cut + 1);
  const std::string dirText(dir.c_str());
  for (char sep : {'/', '\\'}) {
    std::string next;
    if (NextDirectory(current, dirText.c_str(), sep, next) && next.empty()) abort();
    NextDirectory(current, nullptr, sep, next);
    const std::string joined = JoinPath(current, dirText, sep);
    if (joined.size() < current.size() + dirText.size()) abort();
    if (BareName(joined, sep).size() > joined.size()) abort();
    const std::string enter = FolderToEnter(current, sep);
    if (enter.compare(0, current.size(), current) != 0) abort();
  }
  return 0;
}
