// What a command acts on, and the menu that chooses the command.
#include <ctype.h>
#include <string.h>

#include <vector>

#include "entry/command_table.hpp"
#include "entry/dispatch.hpp"
#include "far/field_text.hpp"
#include "os/os.hpp"
#include "texts/messages.hpp"
#include "ui/host_panel.hpp"
#include "ui/menu.hpp"

namespace {

const DWORD kMenuFlags = FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT;

// Shows the rows of the command table that `shown` takes, in the table's
// order; the row chosen, or null.
template <class Shown>
const CommandRow *ShowCommandRows(const char *title, const char *bottom, Shown shown) {
  std::vector<const CommandRow *> rows;
  for (const CommandRow *row = CommandsBegin(); row != CommandsEnd(); ++row)
    if (shown(*row)) rows.push_back(row);
  std::vector<FarMenuItem> items(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const CommandRow &row = *rows[i];
    FarMenuItem &item = items[i];
    memset(&item, 0, sizeof item);
    item.Selected = row.StartsSelected ? 1 : 0;
    // A separator row has no text: the host's language file has no message
    // for it, and asking for one makes the host report a damaged file.
    item.Separator = row.MenuText == kNoText ? 1 : 0;
    if (!item.Separator) CopyToField(item.Text, MessageText(row.MenuText));
  }
  const int chosen = ShowMenu(title, bottom, items.data(), static_cast<int>(items.size()), kMenuFlags);
  return chosen >= 0 && static_cast<size_t>(chosen) < rows.size() ? rows[static_cast<size_t>(chosen)]
                                                                  : nullptr;
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

const CommandRow *ShowCommandMenu(bool wholeDirectory) {
  const char *title = MessageText(wholeDirectory ? MMenuCurrentDir : MMenuSelection);
  if (!os::IsDirectory("CVS")) {
    // Out of a working copy: what makes one, and for selected files what
    // runs on files.
    return ShowCommandRows(title, MessageText(MMenuNoModule), [wholeDirectory](const CommandRow &row) {
      return row.Where == Place::Anywhere || (!wholeDirectory && row.Where == Place::Files);
    });
  }
  for (;;) {
    const CommandRow *chosen = ShowCommandRows(title, nullptr, [](const CommandRow &row) {
      return row.Where != Place::MarkMenu;
    });
    if (chosen == nullptr || chosen->Where != Place::OpensMarkMenu) return chosen;
    // Esc in the sub-menu goes back to the command menu.
    const CommandRow *mark = ShowCommandRows(MessageText(MMenuMarkTitle), nullptr, [](const CommandRow &row) {
      return row.Where == Place::MarkMenu;
    });
    if (mark != nullptr) return mark;
  }
}
