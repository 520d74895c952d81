// The module's binding to its host: the private copy of the host's service
// table, message lookup, and the one checked copy into fixed host fields.
#ifndef QUILLET_HOST_HPP
#define QUILLET_HOST_HPP

#include <stddef.h>

#include <string>

#include "host/far_api.hpp"

// Copy of the host's PluginStartupInfo; every host service is called through it.
extern PluginStartupInfo HostInfo;
// Copy of the host's standard functions; HostInfo.FSF points here once filled.
extern FarStandardFunctions HostFsf;

// Message numbers of the language file.
enum MessageId {
  MConfirmHeading = 0,  // "%s %d" : command word, number of names
  MFailedExitCode = 1,  // "%d"    : exit code
  MOutcomeClose = 2,    // second button of the outcome box
  MOutcomeTitle = 3,    // title of the outcome box
  MOutcomeShow = 4,     // first button of the outcome box
  MPluginMenu = 5,      // entry in the plug-ins menu
  MModuleLabel = 9      // label of the checkout/export module edit
};

// The host's text for a message number; never freed or copied.
const char *GetMsg(int msgId);

// The name part of a path, through the host's standard function when the
// host supplied it, else after the last separator.
const char *PointToName(const char *path);

// Copies text into a fixed field of `capacity` bytes (terminator included),
// cutting it to fit; never writes past the field.
void CopyToField(char *field, size_t capacity, const char *text);
// The same for `length` bytes of text that need not end in a NUL.
void CopyToField(char *field, size_t capacity, const char *text, size_t length);
inline void CopyToField(char *field, size_t capacity, const std::string &text) {
  CopyToField(field, capacity, text.c_str());
}
template <size_t N>
void CopyToField(char (&field)[N], const char *text) {
  CopyToField(field, N, text);
}
template <size_t N>
void CopyToField(char (&field)[N], const std::string &text) {
  CopyToField(field, N, text.c_str());
}
template <size_t N>
void CopyToField(char (&field)[N], const char *text, size_t length) {
  CopyToField(field, N, text, length);
}

// Formats like snprintf into a string (message texts carry printf conversions).
std::string FormatText(const char *format, ...);

// Implementations behind the exported entry points.
void BindHost(const PluginStartupInfo *info);
void DescribeModule(PluginInfo *info);

#endif
