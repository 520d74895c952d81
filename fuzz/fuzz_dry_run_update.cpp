// The dry-run update output on any text: read as whole lines, every line
// through the patterns of the four Mark entries and of the commit, the names
// found marked in a host panel and listed in the commit template, whose
// lines must be exactly those of a plain substring search.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "commands/commands.hpp"
#include "commands/path_match.hpp"
#include "far/field_text.hpp"
#include "host/host.hpp"
#include "runner/output_lines.hpp"

namespace {

std::vector<PluginPanelItem> panelItems;

int FARAPI PanelControl(HANDLE, int command, void *param) {
  if (command == FCTL_GETPANELINFO) {
    PanelInfo *info = static_cast<PanelInfo *>(param);
    memset(info, 0, sizeof *info);
    info->PanelType = PTYPE_FILEPANEL;
    info->PanelItems = panelItems.data();
    info->ItemsNumber = static_cast<int>(panelItems.size());
  }
  return 1;
}

struct Pattern {
  const char *Letters;
  bool LocalOnly;
};
const Pattern kPatterns[] = {{"MA", false}, {"C", false}, {"UP", false}, {"?", true}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static bool bound = false;
  if (!bound) {
    PluginStartupInfo info;
    memset(&info, 0, sizeof info);
    info.StructSize = sizeof info;
    info.Control = PanelControl;
    BindHost(&info);
    bound = true;
  }
  std::string text(reinterpret_cast<const char *>(data), size);
  text += '\n';
  FILE *output = fmemopen(&text[0], text.size(), "r");
  if (output == nullptr) return 0;
  std::vector<std::string> lines;
  OutputLines reader;
  StartOutputLines(reader, output);
  const char *line;
  size_t length;
  while (NextOutputLine(reader, line, length)) {
    if (line[length] != '\0') abort();
    lines.emplace_back(line, strnlen(line, length));
  }
  fclose(output);

  for (const Pattern &pattern : kPatterns) {
    Selection names;
    std::string name;
    for (const std::string &whole : lines) {
      if (!ScanStateLine((whole + "\n").c_str(), pattern.Letters, pattern.LocalOnly, name))
        continue;
      // A name is a piece of its line, never empty.
      if (name.empty() || whole.find(name) == std::string::npos) abort();
      names.push_back(name);
    }
    panelItems.assign(names.size() / 2 + 1, PluginPanelItem());
    for (size_t i = 0; i + 1 < panelItems.size(); ++i) {
      CopyToField(panelItems[i].FindData.cFileName, names[i * 2]);
      panelItems[i].Flags = i % 2 ? PPIF_SELECTED : 0;
    }
    Selection selection(names.begin(), names.begin() + static_cast<long>(names.size() / 3));
    bool haveFiles = false;
    const std::string listed = CommitTemplateText(true, selection, names, haveFiles);
    // The whole folder (".") alone lists every path once.
    const bool wholeDirectory = selection.size() == 1 && selection[0] == ".";
    std::string expected;
    for (const std::string &entry : selection) {
      for (const std::string &path : names) {
        if (wholeDirectory || path.find(entry) != std::string::npos)
          expected += "CVS:     " + path + "\n";
      }
      if (wholeDirectory) break;
    }
    if (listed.find("CVS: Modified and Added Files:\n" + expected) == std::string::npos) abort();
    MarkInPanel(names);
  }
  return 0;
}
