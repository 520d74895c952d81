// The host info copy, message lookup and registration.
#include "host/host.hpp"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

PluginStartupInfo HostInfo;
FarStandardFunctions HostFsf;

namespace {
// Handed to the host by GetPluginInfo, read by it later: must outlive the call.
const char *PluginMenuStrings[1];
const char *const CommandPrefix = "cvs";
}  // namespace

void CopyToField(char *field, size_t capacity, const char *text) {
  CopyToField(field, capacity, text, text != nullptr ? strlen(text) : 0);
}

void CopyToField(char *field, size_t capacity, const char *text, size_t length) {
  if (field == nullptr || capacity == 0) return;
  if (text == nullptr) length = 0;
  if (length >= capacity) length = capacity - 1;
  if (length > 0) memmove(field, text, length);
  field[length] = '\0';
}

std::string FormatText(const char *format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int needed = vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (needed > 0) {
    text.resize(static_cast<size_t>(needed) + 1);
    vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<size_t>(needed));
  }
  va_end(again);
  return text;
}

const char *GetMsg(int msgId) {
  if (HostInfo.GetMsg == nullptr) return "";
  const char *text = HostInfo.GetMsg(HostInfo.ModuleNumber, msgId);
  return text != nullptr ? text : "";
}

const char *PointToName(const char *path) {
  if (path == nullptr) return "";
  // The host's standard functions are only ours to call when its record
  // was complete enough to carry them.
  if (HostInfo.FSF == &HostFsf && HostFsf.PointToName != nullptr) return HostFsf.PointToName(path);
  const char *name = path;
  for (const char *p = path; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  }
  return name;
}

void BindHost(const PluginStartupInfo *info) {
  if (info == nullptr) return;
  // Never read past the host's record: an older host passes a shorter one.
  size_t size = 0;
  if (info->StructSize > 0) size = static_cast<size_t>(info->StructSize);
  if (size > sizeof(PluginStartupInfo)) size = sizeof(PluginStartupInfo);
  memset(&HostInfo, 0, sizeof(HostInfo));
  memcpy(&HostInfo, info, size);
  if (size >= sizeof(PluginStartupInfo) && info->FSF != nullptr) {
    size_t fsfSize = sizeof(FarStandardFunctions);
    if (info->FSF->StructSize > 0 && static_cast<size_t>(info->FSF->StructSize) < fsfSize) {
      fsfSize = static_cast<size_t>(info->FSF->StructSize);
    }
    memset(&HostFsf, 0, sizeof(HostFsf));
    memcpy(&HostFsf, info->FSF, fsfSize);
    HostInfo.FSF = &HostFsf;
  }
}

void DescribeModule(PluginInfo *info) {
  if (info == nullptr) return;
  info->StructSize = sizeof(PluginInfo);
  info->Flags = 0;
  PluginMenuStrings[0] = GetMsg(MPluginMenu);
  info->PluginMenuStrings = PluginMenuStrings;
  info->PluginMenuStringsNumber = 1;
  info->CommandPrefix = CommandPrefix;
}
