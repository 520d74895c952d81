// What a command acts on, and the menu that chooses the command.
#include <ctype.h>
#include <string.h>

#include <vector>

#include "entry/command_table.hpp"
#include "entry/dispatch.hpp"
#include "host/host.hpp"
#include "os/os.hpp"
#include "ui/host_panel.hpp"
#include "ui/menu.hpp"

namespace {

const DWORD kMenuFlags = FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT;

// Shows the rows of the menu entries `first` .. `first + count - 1` of the
// command table; the index chosen among them, or -1.
int ShowCommandRows(const char *title, const char *bottom, int first, int count) {
  std::vector<FarMenuItem> items(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const CommandRow &row = *CommandAt(first + i);
    FarMenuItem &item = items[static_cast<size_t>(i)];
    memset(&item, 0, sizeof item);
    item.Selected = row.StartsSelected ? 1 : 0;
    // A separator row has no text: the host's language file has no message
    // for it, and asking for one makes the host report a damaged file.
    item.Separator = row.MenuText == kNoText ? 1 : 0;
    if (!item.Separator) CopyToField(item.Text, GetMsg(row.MenuText));
  }
  return ShowMenu(title, bottom, items.data(), count, kMenuFlags);
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
  if (!ReadActivePanel(info)) return false;
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
  const char *title = GetMsg(wholeDirectory ? MMenuCurrentDir : MMenuSelection);
  if (!os::IsDirectory("CVS")) {
    if (wholeDirectory) {
      int result = ShowCommandRows(title, GetMsg(MMenuNoModule), kEntryCheckout, 2);
      return result >= 0 ? result + kEntryCheckout : -1;
    }
    int result = ShowCommandRows(title, GetMsg(MMenuNoModule), kEntryUpdate, kEntryDiff + 1);
    return result >= 0 ? result : -1;
  }
  for (;;) {
    int result = ShowCommandRows(title, nullptr, kEntryUpdate, kEntryMark + 1);
    if (result != kEntryMark) return result;
    int mark = ShowCommandRows(GetMsg(MMenuMarkTitle), nullptr, kEntryMarkModified,
                               kEntryMarkUnknown - kEntryMarkModified + 1);
    if (mark >= 0) return mark + kEntryMarkModified;
  }
}
