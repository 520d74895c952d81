// The core's state: the process's one core, the module and its language.
#include "core/host_core.hpp"

#include <string.h>

#include "core/service_table.hpp"
#include "far/field_text.hpp"

namespace hostcore {

namespace {
HostCore *instance = nullptr;
}  // namespace

LONG_PTR DefaultDialogAnswer(int message) {
  return (message == DN_CLOSE || message == DN_INITDIALOG) ? 1 : 0;
}

HostCore::HostCore(FrontEnd &front) : front_(&front) {
  instance = this;
  ResetCore();
}

HostCore::~HostCore() {
  if (instance == this) instance = nullptr;
}

HostCore &HostCore::Instance() { return *instance; }

void HostCore::ResetCore() {
  for (PanelModel &panel : Panels) panel = PanelModel();
  Panels[1].Rect = RECT{40, 1, 79, 22};
  Active = 0;
  CommandLine.clear();
  PluginItems = nullptr;
  PluginItemsNumber = 0;
  Histories.clear();
  PostedKeys.clear();
  LateDialogMessages = 0;
  Current = nullptr;
  CloseRequested = false;
  CloseDirectory.clear();
  ClosePanel = 0;
  UpdateRequested[0] = UpdateRequested[1] = false;
  ScreenLeft = false;
}

PluginStartupInfo HostCore::StartupInfo(int structSize) {
  PluginStartupInfo info;
  memset(&info, 0, sizeof(info));
  info.StructSize = structSize;
  CopyToField(info.ModuleName, Current != nullptr ? Current->Path.c_str() : "");
  info.ModuleNumber = ModuleNumber;
  info.RootKey = "Software\\Far\\Plugins";
  FillServices(info);
  memset(&Fsf, 0, sizeof(Fsf));
  Fsf.StructSize = sizeof(Fsf);
  FillStandardFunctions(Fsf);
  info.FSF = &Fsf;
  Contract.Open();
  return info;
}

void HostCore::BindModule(const Module &module) {
  Current = &module;
  PluginStartupInfo info = StartupInfo();
  module.SetStartupInfo(&info);
}

bool HostCore::LoadLanguage(const std::string &path) {
  LanguageFile file;
  if (!ReadLanguageFile(path, file)) return false;
  if (ConvertText) {
    for (std::string &text : file.Texts) text = ConvertText(text, file.Name);
  }
  Language = file.Texts;
  LanguageName = file.Name;
  return true;
}

bool HostCore::LoadLanguageBeside(const std::string &modulePath, const std::string &language) {
  std::string path = FindLanguageFile(modulePath, language);
  return !path.empty() && LoadLanguage(path);
}

}  // namespace hostcore
