// The service arguments and returned records FAR 1.70 refuses, misreads or
// crashes on (read from its plugapi.cpp, dialog.cpp, plugins.cpp and
// language.cpp), and the few things this host does not carry out, so that a
// test passing here does not hide a module that leans on them.
#include "core/service_checks.hpp"

#include <stdio.h>
#include <string.h>

#include <string>

#include "core/dialog_session.hpp"
#include "core/host_core.hpp"
#include "far/user_screen.hpp"

namespace hostcore {

namespace {

// FAR's console is 25 rows: a box of more lines loses the last ones, and
// with them its buttons (FarMessageFn cuts at ScrY - 2).
const int kMessageLinesShown = 22;
// Flags FAR 1.70 knows, and those this host carries out as FAR does.
const DWORD kMenuFlagsCarriedOut = FMENU_SHOWAMPERSAND | FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT;
const DWORD kMessageFlagsKnown = 0x3F;  // FMSG_WARNING .. FMSG_ALLINONE
const DWORD kMessageButtonsMask = 0x000F0000;
const DWORD kMessageButtonsKnown = 0x00060000;  // FMSG_MB_OK .. FMSG_MB_RETRYCANCEL
const DWORD kDialogExFlagsKnown = 0x1F;         // FDLG_WARNING .. FDLG_NONMODAL
const DWORD kEditorFlagsKnown = 0x3FF;          // EF_NONMODAL .. EF_DELETEONLYFILEONCLOSE
const DWORD kEditorFlagsCarriedOut = EF_CREATENEW | EF_ENABLE_F6 | EF_DISABLEHISTORY;
const DWORD kKeySequenceFlagsKnown = 0x3;       // KSFLAGS_DISABLEOUTPUT, NOSENDKEYSTOPLUGINS
const int kHighestControl = FCTL_INSERTCMDLINE;
const int kHighestViewMode = 9;

// The same bit means something else on another item type (DIF_HISTORY is
// DIF_BTNNOCLOSE on a button, DIF_SEPARATOR is DIF_VAREDIT on an edit
// line): only the flags of the item's own type are read the way it meant.
DWORD DialogFlagsOf(int type) {
  switch (type) {
    case DI_TEXT:
    case DI_VTEXT:
      return DIF_GROUP | DIF_CENTERGROUP | DIF_SEPARATOR;
    case DI_SINGLEBOX:
    case DI_DOUBLEBOX:
      return 0;
    case DI_EDIT:
    case DI_FIXEDIT:
      return DIF_GROUP | DIF_HISTORY | DIF_USELASTHISTORY | DIF_SELECTONENTRY;
    case DI_PSWEDIT:
      return DIF_GROUP | DIF_SELECTONENTRY;
    default:  // buttons, check boxes, radio buttons
      return DIF_GROUP | DIF_CENTERGROUP;
  }
}

void Breach(HostCore &core, const std::string &service, const std::string &argument,
            const std::string &reason) {
  core.Contract.Report(service, argument, reason);
}

std::string Hex(DWORD value) {
  char text[16];
  snprintf(text, sizeof(text), "0x%lX", static_cast<unsigned long>(value));
  return text;
}

bool EndsWithin(const char *field, size_t size) { return memchr(field, '\0', size) != nullptr; }

std::string ItemName(const char *array, int index, const char *field) {
  return std::string(array) + "[" + std::to_string(index) + "]." + field;
}

void CheckModuleNumber(HostCore &core, const char *service, INT_PTR number, bool anyAllowed) {
  if (number == core.ModuleNumber || (anyAllowed && number == -1)) return;
  Breach(core, service, "PluginNumber",
         std::to_string(static_cast<long long>(number)) +
             " is not the number SetStartupInfo gave: the host answers -1 or the wrong module");
}

// Every panel command reads the handle; the command line ones do not.
bool ReadsPanelHandle(int command) {
  return command != FCTL_GETCMDLINE && command != FCTL_SETCMDLINE &&
         command != FCTL_INSERTCMDLINE;
}

bool IsOpenPanel(HostCore &core, HANDLE plugin) {
  for (const PanelModel &panel : core.Panels) {
    if (panel.Plugin && panel.PluginHandle == plugin) return true;
  }
  return false;
}

}  // namespace

void CheckGetMsg(HostCore &core, INT_PTR number, int id) {
  CheckModuleNumber(core, "GetMsg", number, false);
  // Without a language file FAR answers "" to any number; a file it has
  // read ends where its messages end.
  const size_t count = core.Language.size();
  if (id < 0 || (count > 0 && static_cast<size_t>(id) >= count)) {
    Breach(core, "GetMsg", "MsgId",
           std::to_string(id) + " is outside the language file's " + std::to_string(count) +
               " messages (numbered from 0): the host reports the file as damaged, with a "
               "button that quits");
  }
}

void CheckMenu(HostCore &core, INT_PTR number, DWORD flags, const int *breakKeys,
               const FarMenuItem *items, int count) {
  CheckModuleNumber(core, "Menu", number, false);
  if (breakKeys != nullptr)
    Breach(core, "Menu", "BreakKeys", "are not carried out here: no key would break the menu");
  if (flags & ~kMenuFlagsCarriedOut) {
    Breach(core, "Menu", "Flags",
           Hex(flags & ~kMenuFlagsCarriedOut) +
               " is not carried out here (FMENU_USEEXT would make the host read the rows as "
               "another record)");
  }
  if (count < 0 || (count > 0 && items == nullptr)) {
    Breach(core, "Menu", "ItemsNumber",
           std::to_string(count) + " rows with " + (items ? "an array" : "no array"));
    return;
  }
  int selected = 0;
  for (int i = 0; i < count; ++i) {
    const FarMenuItem &item = items[i];
    if (!EndsWithin(item.Text, sizeof(item.Text))) {
      Breach(core, "Menu", ItemName("Item", i, "Text"),
             "does not end within its 128 bytes: the host cuts it");
    } else if (item.Separator && item.Text[0] != '\0') {
      Breach(core, "Menu", ItemName("Item", i, "Text"),
             "a separator's text is never shown: the host clears it");
    }
    if (item.Selected && !item.Separator) ++selected;
  }
  if (selected > 1) {
    Breach(core, "Menu", "Item[].Selected",
           std::to_string(selected) + " rows marked: the host highlights only the first");
  }
}

void CheckMessage(HostCore &core, INT_PTR number, DWORD flags, const char *const *items,
                  int itemsNumber, int buttonsNumber) {
  CheckModuleNumber(core, "Message", number, true);
  const DWORD buttons = flags & kMessageButtonsMask;
  if ((flags & ~(kMessageFlagsKnown | kMessageButtonsMask)) || buttons > kMessageButtonsKnown) {
    Breach(core, "Message", "Flags", Hex(flags) + " holds flags the host does not know");
  } else if (buttons > FMSG_MB_OKCANCEL) {
    Breach(core, "Message", "Flags", Hex(buttons) + ": these buttons are not carried out here");
  }
  if (items == nullptr) {
    Breach(core, "Message", "Items", "no lines: the host shows nothing and answers -1");
    return;
  }
  int lines = itemsNumber;
  if (flags & FMSG_ALLINONE) {
    lines = 1;
    for (const char *at = reinterpret_cast<const char *>(items); *at != '\0'; ++at)
      lines += (*at == '\n' && at[1] != '\0') ? 1 : 0;
  } else {
    if (!(flags & FMSG_ERRORTYPE) && itemsNumber < 2) {
      Breach(core, "Message", "ItemsNumber",
             std::to_string(itemsNumber) +
                 " lines (a title and at least one more are needed): the host shows nothing and "
                 "answers -1");
    }
    for (int i = 0; i < itemsNumber; ++i) {
      if (items[i] == nullptr)
        Breach(core, "Message", "Items[" + std::to_string(i) + "]", "is null");
    }
    if (buttons == 0 && (buttonsNumber < 0 || buttonsNumber > itemsNumber - 1)) {
      Breach(core, "Message", "ButtonsNumber",
             std::to_string(buttonsNumber) + " buttons out of " + std::to_string(itemsNumber) +
                 " lines after the title");
    }
  }
  if (lines > kMessageLinesShown) {
    Breach(core, "Message", "ItemsNumber",
           std::to_string(lines) + " lines: a 25-row console shows " +
               std::to_string(kMessageLinesShown) +
               ", and the host drops the rest, buttons included");
  }
}

void CheckDialog(HostCore &core, const char *service, INT_PTR number, int x2, int y2,
                 const FarDialogItem *items, int count, DWORD reserved, DWORD flags) {
  CheckModuleNumber(core, service, number, false);
  if (x2 < 0 || y2 < 0) {
    Breach(core, service, "X2/Y2",
           "a negative width or height: the host shows nothing and answers -1");
  }
  if (reserved != 0) Breach(core, service, "Reserved", "must be 0");
  if (flags & ~kDialogExFlagsKnown) {
    Breach(core, service, "Flags", Hex(flags & ~kDialogExFlagsKnown) + " unknown to the host");
  } else if (flags & 0x10) {
    Breach(core, service, "Flags", "FDLG_NONMODAL is not carried out here");
  }
  if (count <= 0 || items == nullptr) {
    Breach(core, service, "ItemsNumber",
           std::to_string(count) + " items with " + (items ? "an array" : "no array") +
               ": the host shows nothing and answers -1");
    return;
  }
  for (int i = 0; i < count; ++i) {
    const FarDialogItem &item = items[i];
    if (item.Type < DI_TEXT || item.Type > DI_RADIOBUTTON) {
      Breach(core, service, ItemName("Item", i, "Type"),
             std::to_string(item.Type) + " is not an item this host draws");
      continue;
    }
    DWORD unread = item.Flags & ~DialogFlagsOf(item.Type);
    if (unread != 0) {
      Breach(core, service, ItemName("Item", i, "Flags"),
             Hex(unread) + " is not a flag of this item's type: the host reads it as another");
    }
    if ((item.Flags & DialogFlagsOf(item.Type) & DIF_HISTORY) && item.History == nullptr) {
      Breach(core, service, ItemName("Item", i, "History"),
             "DIF_HISTORY without a history name");
    }
    if ((item.Flags & DIF_USELASTHISTORY) && !(item.Flags & DIF_HISTORY)) {
      Breach(core, service, ItemName("Item", i, "Flags"),
             "DIF_USELASTHISTORY without DIF_HISTORY has no history to use");
    }
    if (!EndsWithin(item.Data, sizeof(item.Data))) {
      Breach(core, service, ItemName("Item", i, "Data"),
             "does not end within its 512 bytes: the host reads past it");
    }
  }
}

void CheckDialogMessage(HostCore &core, const char *service, HANDLE dialog, int message) {
  if (dialog == nullptr) {
    Breach(core, service, "hDlg", "is null: the host ignores the message");
  } else if (!IsOpenDialog(dialog)) {
    Breach(core, service, "hDlg",
           "is not a dialog that is open: the host would use a dialog it has freed");
  }
  // This host carries out DM_CLOSE only (and answers the notifications in
  // the default procedure); any other message would get a 0 that means
  // nothing here.
  if (std::string(service) == "SendDlgMessage" && message != DM_CLOSE) {
    Breach(core, service, "Msg", std::to_string(message) + " is not carried out here");
  }
}

void CheckControl(HostCore &core, HANDLE plugin, int command, void *param) {
  const std::string argument = "Command " + std::to_string(command);
  if (command < 0 || command > kHighestControl) {
    Breach(core, "Control", "Command", std::to_string(command) + " is not carried out here");
    return;
  }
  if (ReadsPanelHandle(command)) {
    if (plugin == INVALID_HANDLE_VALUE) {
      if (command == FCTL_CLOSEPLUGIN) {
        Breach(core, "Control", "hPlugin",
               "FCTL_CLOSEPLUGIN with INVALID_HANDLE_VALUE closes whatever the active panel "
               "shows: it needs the panel's own handle");
      }
    } else if (!IsOpenPanel(core, plugin)) {
      Breach(core, "Control", "hPlugin",
             "is not the handle of a plug-in panel open now (nor INVALID_HANDLE_VALUE): the "
             "host does nothing and answers 0");
    }
  }
  switch (command) {
    case FCTL_GETPANELINFO:
    case FCTL_GETANOTHERPANELINFO:
    case FCTL_GETCMDLINE:
    case FCTL_SETANOTHERPANELDIR:
      if (param == nullptr) Breach(core, "Control", argument, "Param is null");
      break;
    case FCTL_CLOSEPLUGIN:
      if (param != nullptr && strlen(static_cast<const char *>(param)) >= NM)
        Breach(core, "Control", argument, "the folder is longer than the host keeps: it is cut");
      break;
    case FCTL_SETSELECTION:
    case FCTL_SETANOTHERSELECTION: {
      const PanelInfo *info = static_cast<const PanelInfo *>(param);
      if (info == nullptr || (info->ItemsNumber > 0 && info->PanelItems == nullptr)) {
        Breach(core, "Control", argument, "no PanelInfo, or items counted without an array");
        break;
      }
      // The host applies the flags by index: an array of another length
      // was read from another listing, and selects the wrong rows.
      HANDLE own = plugin == INVALID_HANDLE_VALUE ? nullptr : plugin;
      int index = core.Active;
      for (int i = 0; i < 2; ++i) {
        if (own != nullptr && core.Panels[i].Plugin && core.Panels[i].PluginHandle == own)
          index = i;
      }
      if (command == FCTL_SETANOTHERSELECTION) index = 1 - index;
      const size_t rows = core.Panels[index].Rows.size();
      if (static_cast<size_t>(info->ItemsNumber) != rows) {
        Breach(core, "Control", argument,
               std::to_string(info->ItemsNumber) + " items for a panel of " +
                   std::to_string(rows) + " rows: the selection lands on other rows");
      }
      break;
    }
    case FCTL_SETVIEWMODE:
    case FCTL_SETANOTHERVIEWMODE: {
      const int *mode = static_cast<const int *>(param);
      if (mode == nullptr || *mode < 0 || *mode > kHighestViewMode)
        Breach(core, "Control", argument, "no view mode 0..9");
      break;
    }
    default:
      break;
  }
}

void CheckEditor(HostCore &core, const char *fileName, DWORD flags) {
  if (fileName == nullptr || *fileName == '\0')
    Breach(core, "Editor", "FileName", "no file to edit");
  if (flags & ~kEditorFlagsKnown) {
    Breach(core, "Editor", "Flags", Hex(flags & ~kEditorFlagsKnown) + " unknown to the host");
  } else if (flags & ~kEditorFlagsCarriedOut) {
    Breach(core, "Editor", "Flags",
           Hex(flags & ~kEditorFlagsCarriedOut) +
               " is not carried out here (a modeless editor returns before the user is done)");
  }
}

void CheckAdvControl(HostCore &core, INT_PTR number, int command, void *param) {
  CheckModuleNumber(core, "AdvControl", number, false);
  switch (command) {
    case ACTL_GETFARVERSION:
      break;
    case ACTL_POSTKEYSEQUENCE: {
      const KeySequence *keys = static_cast<const KeySequence *>(param);
      if (keys == nullptr || keys->Count <= 0 || keys->Sequence == nullptr) {
        Breach(core, "AdvControl", "ACTL_POSTKEYSEQUENCE",
               "no keys: the host posts nothing and answers 0");
      } else if (keys->Flags & ~kKeySequenceFlagsKnown) {
        Breach(core, "AdvControl", "KeySequence.Flags",
               Hex(keys->Flags & ~kKeySequenceFlagsKnown) + " unknown to the host");
      }
      break;
    }
#ifndef _WIN32
    // The user screen is a pair of calls on POSIX hosts; FAR has neither.
    case ACTL_QUILLET_LEAVESCREEN:
      if (core.ScreenLeft)
        Breach(core, "AdvControl", "ACTL_QUILLET_LEAVESCREEN", "the screen is already left");
      core.ScreenLeft = true;
      break;
    case ACTL_QUILLET_TAKESCREEN:
      if (!core.ScreenLeft)
        Breach(core, "AdvControl", "ACTL_QUILLET_TAKESCREEN", "the screen was not left");
      core.ScreenLeft = false;
      break;
#endif
    default:
      Breach(core, "AdvControl", "Command", std::to_string(command) + " is not carried out here");
      break;
  }
}

void CheckCharTable(HostCore &core, int command, const char *buffer, int size) {
  if (command < 0) {
    Breach(core, "CharTable", "Command",
           std::to_string(command) + ": detecting a table is not carried out here");
  } else if (buffer == nullptr || size != static_cast<int>(sizeof(CharTableSet))) {
    Breach(core, "CharTable", "BufferSize",
           std::to_string(size) + " is not the size of CharTableSet: the host answers -1 for a "
                                  "larger one and fills a smaller one only in part");
  }
}

void CheckPluginInfo(HostCore &core, const PluginInfo &info) {
  if (info.StructSize != static_cast<int>(sizeof(PluginInfo)))
    Breach(core, "GetPluginInfo", "StructSize", "was changed from the size the host set");
  struct Strings {
    const char *Name;
    const char *const *Array;
    int Number;
  };
  const Strings lists[] = {
      {"DiskMenuStrings", info.DiskMenuStrings, info.DiskMenuStringsNumber},
      {"PluginMenuStrings", info.PluginMenuStrings, info.PluginMenuStringsNumber},
      {"PluginConfigStrings", info.PluginConfigStrings, info.PluginConfigStringsNumber}};
  for (const Strings &list : lists) {
    if (list.Number < 0 || (list.Number > 0 && list.Array == nullptr)) {
      Breach(core, "GetPluginInfo", list.Name,
             std::to_string(list.Number) + " strings without an array: the host unloads the "
                                           "module");
      continue;
    }
    for (int i = 0; i < list.Number; ++i) {
      if (list.Array[i] == nullptr)
        Breach(core, "GetPluginInfo", std::string(list.Name) + "[" + std::to_string(i) + "]",
               "is null: the host unloads the module");
    }
  }
}

void CheckOpenedPanel(HostCore &core, HANDLE plugin) {
  if (plugin == nullptr) {
    Breach(core, "OpenPlugin", "result",
           "null is not INVALID_HANDLE_VALUE: the host opens a panel with a null handle");
  }
}

void CheckOpenPluginInfo(HostCore &core, const OpenPluginInfo &info) {
  // The host hands the record zeroed, as FAR does: the module sets the size.
  if (info.StructSize != static_cast<int>(sizeof(OpenPluginInfo)))
    Breach(core, "GetOpenPluginInfo", "StructSize",
           std::to_string(info.StructSize) + " is not the size of OpenPluginInfo");
  if (info.InfoLinesNumber < 0 || (info.InfoLinesNumber > 0 && info.InfoLines == nullptr)) {
    Breach(core, "GetOpenPluginInfo", "InfoLines",
           "counted without an array: the host unloads the module");
  } else {
    for (int i = 0; i < info.InfoLinesNumber; ++i) {
      const InfoPanelLine &line = info.InfoLines[i];
      if (!EndsWithin(line.Text, sizeof(line.Text)) || !EndsWithin(line.Data, sizeof(line.Data)))
        Breach(core, "GetOpenPluginInfo", ItemName("InfoLines", i, "Text/Data"),
               "does not end within its 80 bytes: the host reads past it");
    }
  }
  if (info.DescrFilesNumber < 0 || (info.DescrFilesNumber > 0 && info.DescrFiles == nullptr))
    Breach(core, "GetOpenPluginInfo", "DescrFiles",
           "counted without an array: the host unloads the module");
  if (info.PanelModesNumber < 0 || (info.PanelModesNumber > 0 && info.PanelModesArray == nullptr))
    Breach(core, "GetOpenPluginInfo", "PanelModesArray",
           "counted without an array: the host unloads the module");
  if (info.StartPanelMode != 0 && (info.StartPanelMode < '0' || info.StartPanelMode > '9'))
    Breach(core, "GetOpenPluginInfo", "StartPanelMode",
           std::to_string(info.StartPanelMode) + " is neither 0 nor a digit '0'..'9'");
}

void CheckFoundItems(HostCore &core, const PluginPanelItem *items, int count) {
  if (count < 0 || (count > 0 && items == nullptr)) {
    Breach(core, "GetFindData", "pItemsNumber",
           std::to_string(count) + " items " + (items ? "" : "without an array"));
    return;
  }
  for (int i = 0; i < count; ++i) {
    const PluginPanelItem &item = items[i];
    if (!EndsWithin(item.FindData.cFileName, sizeof(item.FindData.cFileName))) {
      Breach(core, "GetFindData", ItemName("PanelItem", i, "cFileName"),
             "does not end within its MAX_PATH bytes: the host reads past it");
    }
    if (item.CustomColumnNumber < 0 ||
        (item.CustomColumnNumber > 0 && item.CustomColumnData == nullptr)) {
      Breach(core, "GetFindData", ItemName("PanelItem", i, "CustomColumnData"),
             std::to_string(item.CustomColumnNumber) + " columns without an array");
    }
  }
}

}  // namespace hostcore
