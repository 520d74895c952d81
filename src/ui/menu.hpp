// The host's menus.
#ifndef QUILLET_UI_MENU_HPP
#define QUILLET_UI_MENU_HPP

#include "far/far_api.hpp"

// Shows `count` rows centred, at the host's default height, with `title`
// and `bottom` (null for none), no help topic and no break keys; the index
// of the chosen row (separators counted) or -1.
int ShowMenu(const char *title, const char *bottom, const FarMenuItem *items, int count,
             DWORD flags);

#endif
