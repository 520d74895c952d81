// What the module asks of the host's panels and command line.
#ifndef QUILLET_UI_HOST_PANEL_HPP
#define QUILLET_UI_HOST_PANEL_HPP

#include <string>

#include "far/far_api.hpp"

// The active panel as the host describes it; false when it gives none.
bool ReadActivePanel(PanelInfo &info);
// Makes the items of `info` whose PPIF_SELECTED flag is set the active
// panel's selection, and redraws the panel.
void SelectInActivePanel(PanelInfo &info);
// Closes the plug-in panel `panel`; the host shows `directory` in its file
// panel instead.
void ClosePluginPanel(HANDLE panel, const std::string &directory);
// Inserts `text` into the host's command line at its cursor.
void InsertIntoCommandLine(const std::string &text);
// The host's table that decodes the names of the status report (character
// table 1), or the identity where the host has none.
void HostDecodeTable(unsigned char table[256]);
// The name part of a path, through the host's standard function when the
// host supplied it, else after the last separator.
const char *PointToName(const char *path);

#endif
