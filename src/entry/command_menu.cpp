// What a command acts on, and the menu that chooses the command.
#include <ctype.h>
#include <string.h>

#include "entry/dispatch.hpp"
#include "host/host.hpp"

namespace {

FarMenuItem MenuItem(const char *text, int selected, int separator) {
  FarMenuItem item;
  memset(&item, 0, sizeof item);
  CopyToField(item.Text, text);
  item.Selected = selected;
  item.Separator = separator;
  return item;
}

const int kCommandCount = 13;
const FarMenuItem gCommandMenu[kCommandCount] = {
    MenuItem("&Update...", 1, 0),
    MenuItem("&Commit", 0, 0),
    MenuItem("Ligh&t (modem) commit", 0, 0),
    MenuItem("Check&out...", 0, 0),
    MenuItem("E&xport...", 0, 0),
    MenuItem("&Log", 0, 0),
    MenuItem("&Stat", 0, 0),
    MenuItem("&Differences", 0, 0),
    MenuItem("", 0, 1),
    MenuItem("&Add", 0, 0),
    MenuItem("&Remove", 0, 0),
    MenuItem("&Browse", 0, 0),
    MenuItem("&Mark >", 0, 0),
};

const int kMarkCount = 4;
const FarMenuItem gMarkMenu[kMarkCount] = {
    MenuItem("&Modified", 1, 0),
    MenuItem("&Conflicts", 0, 0),
    MenuItem("&Out-of-date", 0, 0),
    MenuItem("&Not in repository", 0, 0),
};

const DWORD kMenuFlags = FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT;

int ShowMenu(const char *title, const char *bottom, const FarMenuItem *items, int count) {
  return HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, kMenuFlags, title, bottom, nullptr,
                       nullptr, nullptr, items, count);
}

// The text of a fixed host field, also when the host left it unterminated.
std::string FieldText(const char *field, size_t capacity) {
  return std::string(field, strnlen(field, capacity));
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string RelativeToPanel(const char *name, const char *curDir) {
  size_t prefix = strlen(curDir);
  if (prefix == 0 || strlen(name) < prefix) return name;
  for (size_t i = 0; i < prefix; ++i) {
    if (tolower(static_cast<unsigned char>(name[i])) !=
        tolower(static_cast<unsigned char>(curDir[i])))
      return name;
  }
  // The folder must end where the name's next component begins: a folder
  // "proj" is no prefix of "project2/a.c".
  if (IsSeparator(name[prefix])) return name + prefix + 1;
  if (IsSeparator(curDir[prefix - 1])) return name + prefix;
  return name;
}

bool CollectSelection(Selection &out, bool &wholeDirectory) {
  PanelInfo info;
  memset(&info, 0, sizeof info);
  if (!HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, &info)) return false;
  if (info.PanelType != PTYPE_FILEPANEL) return false;

  int count = info.SelectedItemsNumber;
  bool whole = count <= 0 || info.SelectedItems == nullptr;
  if (!whole && count == 1) {
    const PluginPanelItem &only = info.SelectedItems[0];
    // The "CVS" folder alone, or the item under the cursor with nothing
    // selected, stands for the folder itself.
    whole = FieldText(only.FindData.cFileName, sizeof only.FindData.cFileName) == "CVS" ||
            (only.Flags & PPIF_SELECTED) == 0;
  }
  if (whole) {
    out.push_back(".");
    wholeDirectory = true;
    return true;
  }
  std::string curDir = FieldText(info.CurDir, sizeof info.CurDir);
  for (int i = 0; i < count; ++i) {
    const FAR_FIND_DATA &data = info.SelectedItems[i].FindData;
    std::string name = FieldText(data.cFileName, sizeof data.cFileName);
    out.push_back(RelativeToPanel(name.c_str(), curDir.c_str()));
  }
  wholeDirectory = false;
  return true;
}

int ShowCommandMenu(bool wholeDirectory) {
  const char *title = wholeDirectory ? "CVS: Current Dir" : "CVS: Selection";
  if (!os::IsDirectory("CVS")) {
    if (wholeDirectory) {
      int result = ShowMenu(title, "no module here", &gCommandMenu[kEntryCheckout], 2);
      return result >= 0 ? result + kEntryCheckout : -1;
    }
    int result = ShowMenu(title, "no module here", gCommandMenu, kEntryDiff + 1);
    return result >= 0 ? result : -1;
  }
  for (;;) {
    int result = ShowMenu(title, nullptr, gCommandMenu, kCommandCount);
    if (result != kEntryMark) return result;
    int mark = ShowMenu("CVS: Mark", nullptr, gMarkMenu, kMarkCount);
    if (mark >= 0) return mark + kEntryMarkModified;
  }
}
