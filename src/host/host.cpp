// The host info copy, message lookup and registration.
#include "host/host.hpp"

#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <atomic>
#include <string>
#include <vector>

PluginStartupInfo HostInfo;
FarStandardFunctions HostFsf;

namespace {
// Handed to the host by GetPluginInfo, read by it later: must outlive the call.
const char *PluginMenuStrings[1];
const char *const CommandPrefix = "cvs";
// The numbers the host's language file is known to hold.
int HostMessages = kMessageCount;
// The host's services are for the thread it called the module on: other
// threads of the module read the texts copied for them there.
std::atomic<bool> HostThreadKnown{false};
thread_local bool OnHostThread = false;
std::vector<std::string> WorkerTexts;
}  // namespace

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

bool FormatFits(const char *format, const char *conversions) {
  if (format == nullptr || conversions == nullptr) return false;
  const char *expected = conversions;
  for (const char *p = format; *p != '\0'; ++p) {
    if (*p != '%') continue;
    ++p;
    if (*p == '%') continue;
    while (*p != '\0' && strchr("-+ #0", *p) != nullptr) ++p;
    for (int digits = 0; isdigit(static_cast<unsigned char>(*p)); ++p) {
      if (++digits > 3) return false;
    }
    if (*p == '.') {
      ++p;
      for (int digits = 0; isdigit(static_cast<unsigned char>(*p)); ++p) {
        if (++digits > 3) return false;
      }
    }
    char conversion = *p == 'i' ? 'd' : *p;
    if (*expected == '\0' || (conversion != 's' && conversion != 'd') || conversion != *expected) {
      return false;
    }
    ++expected;
  }
  return *expected == '\0';
}

const char *CheckedFormat(int msgId, const char *conversions, const char *fallback) {
  const char *text = GetMsg(msgId);
  return text[0] != '\0' && FormatFits(text, conversions) ? text : fallback;
}

namespace {

// Whether the host's language file ends where the module's messages end.
bool LanguageFileInOrder() {
  if (MLanguageEnd >= HostMessages) return false;
  const char *end = HostInfo.GetMsg(HostInfo.ModuleNumber, MLanguageEnd);
  return end != nullptr && strcmp(end, EnglishText(MLanguageEnd)) == 0;
}

}  // namespace

const char *GetMsg(int msgId) {
  const char *builtIn = EnglishText(msgId);
  if (HostThreadKnown.load() && !OnHostThread) {
    const size_t index = static_cast<size_t>(msgId);
    return msgId >= 0 && index < WorkerTexts.size() ? WorkerTexts[index].c_str() : builtIn;
  }
  // The host knows only the numbers of its language file: never ask it for
  // another (it would report the file as damaged).
  if (HostInfo.GetMsg == nullptr || msgId < 0 || msgId >= kMessageCount ||
      msgId >= HostMessages) {
    return builtIn;
  }
  if (msgId >= kFirstLaterMessage && !LanguageFileInOrder()) return builtIn;
  const char *text = HostInfo.GetMsg(HostInfo.ModuleNumber, msgId);
  return text != nullptr && text[0] != '\0' ? text : builtIn;
}

void LimitHostMessages(int count) { HostMessages = count; }

void CopyMessagesForWorkers() {
  if (HostThreadKnown.load() && !OnHostThread) return;
  WorkerTexts.resize(static_cast<size_t>(kMessageCount));
  for (int id = 0; id < kMessageCount; ++id) WorkerTexts[static_cast<size_t>(id)] = GetMsg(id);
}

const char *ModuleFileName() { return HostInfo.ModuleName; }

const char *CheckedFormat(int msgId) {
  return CheckedFormat(msgId, MessageConversions(msgId), EnglishText(msgId));
}

const char *PointToName(const char *path) {
  if (path == nullptr) return "";
  // The host's standard functions are only ours to call when its record
  // was complete enough to carry them.
  if (HostInfo.FSF == &HostFsf && HostFsf.PointToName != nullptr) return HostFsf.PointToName(path);
  return PathNamePart(path);
}

void BindHost(const PluginStartupInfo *info) {
  if (info == nullptr) return;
  // Never read past the host's record: an older host passes a shorter one.
  size_t size = 0;
  if (info->StructSize > 0) size = static_cast<size_t>(info->StructSize);
  if (size > sizeof(PluginStartupInfo)) size = sizeof(PluginStartupInfo);
  memset(&HostInfo, 0, sizeof(HostInfo));
  memcpy(&HostInfo, info, size);
  OnHostThread = true;
  HostThreadKnown.store(true);
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
