// The host info copy, the host's texts for the message catalogue, and
// registration.
#include "host/host.hpp"

#include <string.h>

#include "texts/messages.hpp"

PluginStartupInfo HostInfo;
FarStandardFunctions HostFsf;

namespace {
// Handed to the host by GetPluginInfo, read by it later: must outlive the call.
const char *PluginMenuStrings[1];
const char *const CommandPrefix = "cvs";
// The numbers the host's language file is known to hold.
int HostMessages = kMessageCount;

// Whether the host's language file ends where the module's messages end.
bool LanguageFileInOrder() {
  if (MLanguageEnd >= HostMessages) return false;
  const char *end = HostInfo.GetMsg(HostInfo.ModuleNumber, MLanguageEnd);
  return end != nullptr && strcmp(end, EnglishText(MLanguageEnd)) == 0;
}

// The catalogue's source of texts in the user's language, called on the
// host's thread only.
const char *HostText(int msgId) {
  // The host knows only the numbers of its language file: never ask it for
  // another (it would report the file as damaged).
  if (HostInfo.GetMsg == nullptr || msgId < 0 || msgId >= kMessageCount || msgId >= HostMessages) {
    return nullptr;
  }
  if (msgId >= kFirstLaterMessage && !LanguageFileInOrder()) return nullptr;
  return HostInfo.GetMsg(HostInfo.ModuleNumber, msgId);
}

}  // namespace

void LimitHostMessages(int count) { HostMessages = count; }

const char *ModuleFileName() { return HostInfo.ModuleName; }

void BindHost(const PluginStartupInfo *info) {
  if (info == nullptr) return;
  // Never read past the host's record: an older host passes a shorter one.
  size_t size = 0;
  if (info->StructSize > 0) size = static_cast<size_t>(info->StructSize);
  if (size > sizeof(PluginStartupInfo)) size = sizeof(PluginStartupInfo);
  memset(&HostInfo, 0, sizeof(HostInfo));
  memcpy(&HostInfo, info, size);
  SetTextSource(HostText);
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
  PluginMenuStrings[0] = MessageText(MPluginMenu);
  info->PluginMenuStrings = PluginMenuStrings;
  info->PluginMenuStringsNumber = 1;
  info->CommandPrefix = CommandPrefix;
}
