// The module's binding to its host: the private copy of the host's service
// table and the source of the message catalogue's texts.  Only the user
// interface (ui/) and the exports that bind the host include it.
#ifndef QUILLET_HOST_HPP
#define QUILLET_HOST_HPP

#include "far/far_api.hpp"

// Copy of the host's PluginStartupInfo; every host service is called through it.
extern PluginStartupInfo HostInfo;
// Copy of the host's standard functions; HostInfo.FSF points here once filled.
extern FarStandardFunctions HostFsf;

// How many messages the host's language file holds at the least: the
// catalogue never gets from the host a number from there on (the host
// would report its file as damaged), and takes the built-in text instead.
// Until it is set, every number of the module is asked.  A number from
// kFirstLaterMessage on takes the host's text only while the file's end
// mark stands in its place, so that a line added or lost above it never
// shows one message under another's number.
void LimitHostMessages(int count);
// The module's own file, as the host named it at SetStartupInfo.
const char *ModuleFileName();

// Implementations behind the exported entry points.  BindHost makes the
// calling thread the host's and installs the host's texts in the catalogue.
void BindHost(const PluginStartupInfo *info);
void DescribeModule(PluginInfo *info);

#endif
