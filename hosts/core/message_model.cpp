// Message boxes: the two forms of the call, their buttons and their place.
#include "core/message_model.hpp"

#include "core/column_layout.hpp"

#include <algorithm>

#include "core/host_texts.hpp"
#include "core/hot_key.hpp"

namespace hostcore {

namespace {
// Frame, blank margin and the spaces of the button row.
const int kBoxChrome = 10;
const int kButtonChrome = 4;  // "[ " and " ]"
}  // namespace

MessageModel NewMessage(INT_PTR pluginNumber, DWORD flags, const char *helpTopic,
                        const char *const *items, int itemsNumber, int buttonsNumber) {
  MessageModel box;
  box.PluginNumber = pluginNumber;
  box.Flags = flags;
  box.HelpTopic = helpTopic != nullptr ? helpTopic : "";
  box.ItemsNumber = itemsNumber;
  box.ButtonsNumber = buttonsNumber;
  box.Warning = (flags & FMSG_WARNING) != 0;
  box.LeftAlign = (flags & FMSG_LEFTALIGN) != 0;
  if (flags & FMSG_ALLINONE) {
    std::string text = items != nullptr ? reinterpret_cast<const char *>(items) : "";
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      box.AllLines.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  } else {
    for (int i = 0; items != nullptr && i < itemsNumber; ++i)
      box.AllLines.push_back(items[i] != nullptr ? items[i] : "");
  }
  std::vector<std::string> lines = box.AllLines;
  if (!lines.empty()) {
    box.Title = lines.front();
    lines.erase(lines.begin());
  }
  if (flags & FMSG_MB_OKCANCEL) {
    box.Buttons = {Say(HostText::ButtonOk), Say(HostText::ButtonCancel)};
  } else if (flags & FMSG_MB_OK) {
    box.Buttons = {Say(HostText::ButtonOk)};
  } else if (buttonsNumber > 0) {
    size_t count = std::min(lines.size(), static_cast<size_t>(buttonsNumber));
    box.Buttons.assign(lines.end() - static_cast<long>(count), lines.end());
    lines.resize(lines.size() - count);
  }
  box.Lines = lines;
  return box;
}

int MessageResult(const MessageModel &box, int button) {
  if (button < 0 || button >= static_cast<int>(box.Buttons.size())) return -1;
  return button;
}

MessageBox PlaceMessage(const MessageModel &box, int screenWidth, int screenHeight) {
  int widest = TextWidth(box.Title);
  for (const std::string &line : box.Lines) widest = std::max(widest, TextWidth(line));
  int buttons = 0;
  for (const std::string &label : box.Buttons)
    buttons += TextWidth(ParseHotKey(label).Text) + kButtonChrome + 1;
  widest = std::max(widest, buttons);
  MessageBox place;
  place.Width = std::min(widest + kBoxChrome, std::max(screenWidth, 1));
  // Frame and margins (4), the lines, and a separator and button row when there are buttons.
  place.Height = static_cast<int>(box.Lines.size()) + 4 + (box.Buttons.empty() ? 0 : 2);
  place.Height = std::min(place.Height, std::max(screenHeight, 1));
  place.Left = std::max(0, (screenWidth - place.Width) / 2);
  place.Top = std::max(0, (screenHeight - place.Height) / 2);
  return place;
}

}  // namespace hostcore
