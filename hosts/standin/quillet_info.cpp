// quillet-info: loads a module into the stand-in host and prints how it
// registers with the host.
#include <stdio.h>
#include <string.h>

#include "standin/standin.hpp"

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s MODULE\n", argv[0]);
    return 2;
  }
  standin::Module module;
  std::string error;
  if (!standin::LoadModule(argv[1], module, error)) {
    fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  standin::Host &host = standin::Host::Get();
  host.BindModule(module);
  PluginInfo info;
  memset(&info, 0, sizeof(info));
  module.GetPluginInfo(&info);
  int version = module.GetMinFarVersion();
  printf("minimum host version: %d.%d\n", (version >> 8) & 0xFF, version & 0xFF);
  printf("language: %s (%lu messages)\n",
         host.LanguageName.empty() ? "(none)" : host.LanguageName.c_str(),
         static_cast<unsigned long>(host.Language.size()));
  printf("command prefix: %s\n", info.CommandPrefix != nullptr ? info.CommandPrefix : "(none)");
  for (int i = 0; i < info.PluginMenuStringsNumber; ++i) {
    printf("plug-ins menu: %s\n", info.PluginMenuStrings[i]);
  }
  standin::UnloadModule(module);
  return 0;
}
