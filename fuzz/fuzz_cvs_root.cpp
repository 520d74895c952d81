// The working copy's CVS/Root file, any content: a panel on the folder
// reads it and describes itself to the host within its fixed fields.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>


#include "panel/cvs_panel.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static std::string folder;
  if (folder.empty()) {
    char pattern[] = "/tmp/quillet-fuzz-root.XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 0;
    folder = pattern;
    mkdir((folder + "/CVS").c_str(), 0700);
  }
  FILE *root = fopen((folder + "/CVS/Root").c_str(), "wb");
  if (root == nullptr) return 0;
  fwrite(data, 1, size, root);
  fclose(root);

  CvsPanel panel;
  panel.EnterDirectory(folder);
  if (!panel.InWorkingCopy) abort();
  if (panel.CvsRoot.find('\n') != std::string::npos) abort();
  OpenPluginInfo info;
  memset(&info, 0, sizeof info);
  panel.DescribePanel(&info);
  if (info.PanelTitle != nullptr && strlen(info.PanelTitle) >= 256) abort();
  for (int i = 0; i < info.InfoLinesNumber; ++i) {
    if (memchr(info.InfoLines[i].Data, '\0', sizeof info.InfoLines[i].Data) == nullptr) abort();
  }
  return 0;
}
