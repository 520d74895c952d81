// The host's message box: a title, text lines and a row of buttons, read
// from either form of the Message service.
#ifndef QUILLET_HOSTCORE_MESSAGE_MODEL_HPP
#define QUILLET_HOSTCORE_MESSAGE_MODEL_HPP

#include <string>
#include <vector>

#include "far/far_api.hpp"

namespace hostcore {

struct MessageModel {
  // The call as the module made it.
  INT_PTR PluginNumber = 0;
  DWORD Flags = 0;
  std::string HelpTopic;
  int ItemsNumber = 0, ButtonsNumber = 0;
  // Every line handed over, title first (FMSG_ALLINONE text split at "\n").
  std::vector<std::string> AllLines;
  // The same, sorted out: the title, the body lines and the buttons.
  std::string Title;
  std::vector<std::string> Lines;
  std::vector<std::string> Buttons;
  bool Warning = false;    // FMSG_WARNING: the warning colours
  bool LeftAlign = false;  // FMSG_LEFTALIGN: body lines not centred
  int Focus = 0;           // the button that Enter presses
};

// Builds the box.  FMSG_MB_OK and FMSG_MB_OKCANCEL give the buttons "OK"
// and "Cancel"; otherwise the last ButtonsNumber lines are the buttons.
MessageModel NewMessage(INT_PTR pluginNumber, DWORD flags, const char *helpTopic,
                        const char *const *items, int itemsNumber, int buttonsNumber);
// What the box returns for a button: its index, or -1 (Esc, or a box
// without buttons, which does not wait).
int MessageResult(const MessageModel &box, int button);

// Where a box sits: centred, wide enough for its longest line, its title
// and its button row.
struct MessageBox {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};
MessageBox PlaceMessage(const MessageModel &box, int screenWidth, int screenHeight);

}  // namespace hostcore

#endif
