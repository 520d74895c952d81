// The module's binding to its host: the private copy of the host's service
// table, message lookup, and the one checked copy into fixed host fields.
#ifndef QUILLET_HOST_HPP
#define QUILLET_HOST_HPP

#include <stddef.h>

#include <string>

#include "far/far_api.hpp"
#include "far/field_text.hpp"
#include "host/messages.hpp"

// Copy of the host's PluginStartupInfo; every host service is called through it.
extern PluginStartupInfo HostInfo;
// Copy of the host's standard functions; HostInfo.FSF points here once filled.
extern FarStandardFunctions HostFsf;

// The text of a message number: the host's, from the module's language
// file, or the built-in English text where the host gives none (a missing
// or short file).  A number from kFirstLaterMessage on takes the host's
// text only while the file's end mark stands in its place, so that a line
// added or lost above it never shows one message under another's number.
// Never freed or copied.
const char *GetMsg(int msgId);
// How many messages the host's language file holds at the least: GetMsg
// never asks the host for a number from there on (the host would report
// its file as damaged), and takes the built-in text instead.  Until it is
// set, every number of the module is asked.
void LimitHostMessages(int count);
// Copies every text GetMsg gives, on the host's thread, for a worker thread
// of the module about to start: the host's services may be called only on
// its own thread, so GetMsg elsewhere reads this copy (the built-in English
// where none was made).
void CopyMessagesForWorkers();
// The module's own file, as the host named it at SetStartupInfo.
const char *ModuleFileName();

// The name part of a path, through the host's standard function when the
// host supplied it, else after the last separator.
const char *PointToName(const char *path);

// CopyToField (field_text.hpp) also takes standard strings.
inline void CopyToField(char *field, size_t capacity, const std::string &text) {
  CopyToField(field, capacity, text.c_str());
}
template <size_t N>
void CopyToField(char (&field)[N], const std::string &text) {
  CopyToField(field, N, text.c_str());
}

// Formats like snprintf into a string.  A message text is never passed here
// unchecked: CheckedFormat first.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
FormatText(const char *format, ...);

// True when `format`'s conversions are exactly `conversions`, one letter
// each in order: 's' a string, 'd' an int ("%i" too).  "%%" is a plain
// percent sign; flags and a width or precision of at most three digits are
// allowed; "*", "$", length modifiers, "%n" and every other conversion are
// not.
bool FormatFits(const char *format, const char *conversions);
// The text of message `msgId` when it fits `conversions`, else `fallback`
// (the built-in English text): a language file edited by hand, with a line
// too many or a "%n", never reaches printf.
const char *CheckedFormat(int msgId, const char *conversions, const char *fallback);
// The same with the message's own conversions and built-in English text.
const char *CheckedFormat(int msgId);

// Implementations behind the exported entry points.
void BindHost(const PluginStartupInfo *info);
void DescribeModule(PluginInfo *info);

#endif
