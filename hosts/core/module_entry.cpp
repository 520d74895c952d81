// The module's plug-ins menu rows and command prefixes.
#include "core/module_entry.hpp"
#include "core/host_texts.hpp"

#include <ctype.h>
#include <string.h>

#include "core/service_checks.hpp"
#include "far/field_text.hpp"

namespace hostcore {

ModuleEntry ReadModuleEntry(const Module &module, HostCore *checker) {
  ModuleEntry entry;
  if (module.GetPluginInfo == nullptr) return entry;
  PluginInfo info;
  memset(&info, 0, sizeof(info));
  info.StructSize = sizeof(info);
  module.GetPluginInfo(&info);
  if (checker != nullptr) CheckPluginInfo(*checker, info);
  for (int i = 0; info.PluginMenuStrings != nullptr && i < info.PluginMenuStringsNumber; ++i) {
    if (info.PluginMenuStrings[i] != nullptr)
      entry.MenuStrings.push_back(info.PluginMenuStrings[i]);
  }
  if (info.CommandPrefix != nullptr) {
    std::string all = info.CommandPrefix;
    size_t start = 0;
    while (start <= all.size()) {
      size_t colon = all.find(':', start);
      if (colon == std::string::npos) colon = all.size();
      if (colon > start) entry.Prefixes.push_back(all.substr(start, colon - start));
      start = colon + 1;
    }
  }
  return entry;
}

MenuModel PluginsMenu(const ModuleEntry &entry) {
  std::vector<FarMenuItem> items(entry.MenuStrings.size());
  for (size_t i = 0; i < items.size(); ++i) {
    memset(&items[i], 0, sizeof(items[i]));
    CopyToField(items[i].Text, entry.MenuStrings[i].c_str());
  }
  if (!items.empty()) items[0].Selected = 1;
  return NewMenu(0, -1, -1, 0, FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT, Say(HostText::TitlePlugins),
                 nullptr, nullptr, items.data(), static_cast<int>(items.size()));
}

bool SplitPrefixedCommand(const std::string &line, const std::vector<std::string> &prefixes,
                          std::string &rest) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return false;
  for (const std::string &prefix : prefixes) {
    if (line.size() < start + prefix.size() + 1 || line[start + prefix.size()] != ':') continue;
    bool same = true;
    for (size_t i = 0; i < prefix.size() && same; ++i) {
      same = tolower(static_cast<unsigned char>(line[start + i])) ==
             tolower(static_cast<unsigned char>(prefix[i]));
    }
    if (same) {
      rest = line.substr(start + prefix.size() + 1);
      return true;
    }
  }
  return false;
}

}  // namespace hostcore
