// The stand-in host holds the module to what FAR 1.70 accepts: a service
// call the real host would refuse, misread or crash on is recorded as a
// breach of the host's contract, and a test that leaves one behind fails.
#include <string.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest-spi.h>

#include "core/service_checks.hpp"
#include "test_support.hpp"

namespace {

using testsupport::TakeHostBreaches;
using Breaches = std::vector<std::string>;

class HostContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Reset();
    ASSERT_TRUE(host.LoadLanguage(testsupport::TestsSourceDir() + "/../lang/quillet_en.lng"));
    info = host.StartupInfo();
    messages = static_cast<int>(host.Language.size());
  }
  void TearDown() override { host.Reset(); }

  static FarMenuItem Row(const char *text, int separator = 0) {
    FarMenuItem item;
    memset(&item, 0, sizeof(item));
    strcpy(item.Text, text);
    item.Separator = separator;
    return item;
  }
  static FarDialogItem Item(int type, DWORD flags, const char *data) {
    FarDialogItem item;
    memset(&item, 0, sizeof(item));
    item.Type = type;
    item.X2 = 20;
    item.Flags = flags;
    strcpy(item.Data, data);
    return item;
  }
  int Menu(std::vector<FarMenuItem> rows, DWORD flags = 0) {
    return info.Menu(info.ModuleNumber, -1, -1, 0, flags, "CVS", nullptr, nullptr, nullptr, nullptr,
                     rows.data(), static_cast<int>(rows.size()));
  }
  int Dialog(std::vector<FarDialogItem> items, int width = 40) {
    return info.Dialog(info.ModuleNumber, -1, -1, width, 10, nullptr, items.data(),
                       static_cast<int>(items.size()));
  }
  int Message(DWORD flags, std::vector<const char *> lines, int buttons) {
    return info.Message(info.ModuleNumber, flags, nullptr, lines.data(),
                        static_cast<int>(lines.size()), buttons);
  }

  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info{};
  int messages = 0;
};

TEST_F(HostContractTest, TheStandInRejectsWhatTheRealHostRefusesOrMisreads) {
  FarMenuItem unended = Row("");
  memset(unended.Text, 'x', sizeof(unended.Text));
  std::vector<const char *> tall(30, "line");
  int mode = 10;
  PanelInfo stale;
  memset(&stale, 0, sizeof(stale));
  PluginPanelItem oneItem[1] = {};
  stale.PanelItems = oneItem;
  stale.ItemsNumber = 1;
  KeySequence noKeys{0, 0, nullptr};
  CharTableSet table;

  const struct {
    const char *What;
    std::function<void()> Call;
    Breaches Expected;
  } cases[] = {
      // The numbers of the language file, and only those.
      {"the first message", [&] { info.GetMsg(info.ModuleNumber, 0); }, {}},
      {"the last message", [&] { info.GetMsg(info.ModuleNumber, messages - 1); }, {}},
      {"message -1", [&] { info.GetMsg(info.ModuleNumber, -1); }, {"GetMsg MsgId"}},
      {"one past the end", [&] { info.GetMsg(info.ModuleNumber, messages); }, {"GetMsg MsgId"}},
      {"another module's number", [&] { info.GetMsg(info.ModuleNumber + 1, 0); },
       {"GetMsg PluginNumber"}},
      // Menus: rows within their fields, separators without text.
      {"a plain menu", [&] { Menu({Row("&Update"), Row("", 1), Row("&Log")}); }, {}},
      {"a separator with text", [&] { Menu({Row("&Update"), Row("----", 1)}); },
       {"Menu Item[1].Text"}},
      {"a row past its field", [&] { Menu({Row("a"), unended}); }, {"Menu Item[1].Text"}},
      {"extended menu rows", [&] { Menu({Row("a")}, 0x20); }, {"Menu Flags"}},
      {"break keys",
       [&] {
         const int keys[] = {VK_F3, 0};
         FarMenuItem row = Row("a");
         info.Menu(info.ModuleNumber, -1, -1, 0, 0, "", nullptr, nullptr, keys, nullptr, &row, 1);
       },
       {"Menu BreakKeys"}},
      // Message boxes: a title and a line at least, buttons among the lines.
      {"a box with a button", [&] { Message(0, {"CVS", "text", "OK"}, 1); }, {}},
      {"a title alone", [&] { Message(0, {"CVS"}, 0); }, {"Message ItemsNumber"}},
      {"more buttons than lines", [&] { Message(0, {"CVS", "OK"}, 3); },
       {"Message ButtonsNumber"}},
      {"taller than the console", [&] { Message(FMSG_MB_OK, tall, 0); }, {"Message ItemsNumber"}},
      {"buttons the host has no model of", [&] { Message(0x40000, {"CVS", "text"}, 0); },
       {"Message Flags"}},
      // Dialogs: sizes, item types, flags of the item's own type, fields.
      {"a plain dialog",
       [&] { Dialog({Item(DI_DOUBLEBOX, 0, "T"), Item(DI_BUTTON, DIF_CENTERGROUP, "OK")}); }, {}},
      {"a negative width", [&] { Dialog({Item(DI_BUTTON, 0, "OK")}, -1); }, {"Dialog X2/Y2"}},
      {"a history flag on a button", [&] { Dialog({Item(DI_BUTTON, DIF_HISTORY, "OK")}); },
       {"Dialog Item[0].Flags"}},
      {"a history without a name", [&] { Dialog({Item(DI_EDIT, DIF_HISTORY, "")}); },
       {"Dialog Item[0].History"}},
      {"a list box", [&] { Dialog({Item(11, 0, "")}); }, {"Dialog Item[0].Type"}},
      // Control: the module's own panel handles, known commands, full arguments.
      {"the active panel's info",
       [&] {
         PanelInfo panel;
         info.Control(INVALID_HANDLE_VALUE, FCTL_GETPANELINFO, &panel);
       },
       {}},
      {"a handle never returned",
       [&] { info.Control(reinterpret_cast<HANDLE>(0x1234), FCTL_REDRAWPANEL, nullptr); },
       {"Control hPlugin"}},
      {"a close without the panel's handle",
       [&] { info.Control(INVALID_HANDLE_VALUE, FCTL_CLOSEPLUGIN, nullptr); },
       {"Control hPlugin"}},
      {"an unknown command", [&] { info.Control(INVALID_HANDLE_VALUE, 77, nullptr); },
       {"Control Command"}},
      {"view mode 10", [&] { info.Control(INVALID_HANDLE_VALUE, FCTL_SETVIEWMODE, &mode); },
       {"Control Command 12"}},
      {"a selection from another listing",
       [&] { info.Control(INVALID_HANDLE_VALUE, FCTL_SETSELECTION, &stale); },
       {"Control Command 10"}},
      // The rest of the table.
      {"a modeless editor",
       [&] { info.Editor("/nonexistent/file", "CVS", 0, 0, -1, -1, EF_NONMODAL, 0, 0); },
       {"Editor Flags"}},
      {"posting no keys",
       [&] { info.AdvControl(info.ModuleNumber, ACTL_POSTKEYSEQUENCE, &noKeys); },
       {"AdvControl ACTL_POSTKEYSEQUENCE"}},
      {"an unknown advanced command", [&] { info.AdvControl(info.ModuleNumber, 99, nullptr); },
       {"AdvControl Command"}},
      {"a character table buffer too large",
       [&] {
         std::vector<char> buffer(sizeof(table) + 4);
         info.CharTable(1, buffer.data(), static_cast<int>(buffer.size()));
       },
       {"CharTable BufferSize"}},
      {"a message to no dialog",
       [&] { info.SendDlgMessage(reinterpret_cast<HANDLE>(&table), DM_CLOSE, 1, 0); },
       {"SendDlgMessage hDlg"}},
  };
  for (const auto &row : cases) {
    SCOPED_TRACE(row.What);
    row.Call();
    EXPECT_EQ(row.Expected, TakeHostBreaches());
  }
}

TEST_F(HostContractTest, ABreachLeftAtTheEndOfATestFailsIt) {
  EXPECT_STREQ("", info.GetMsg(info.ModuleNumber, -1));
  EXPECT_NONFATAL_FAILURE(testsupport::ExpectHostContractKept(), "GetMsg MsgId: -1");
  // Taken: nothing is left for the end of this test.
  EXPECT_EQ(Breaches(), TakeHostBreaches());
}

TEST_F(HostContractTest, OnlyTheHostsThreadCallsWhileTheModuleHoldsTheTable) {
  std::thread other([&] { info.GetMsg(info.ModuleNumber, 0); });
  other.join();
  EXPECT_EQ(Breaches{"GetMsg caller"}, TakeHostBreaches());

  // A module that was let go (its library unloaded as the host exits)
  // calls no more: a thread it left behind would call into a host that is
  // tearing down.
  standin::Module module;
  std::string error;
  ASSERT_TRUE(standin::LoadModule(testsupport::ModulePath(), module, error)) << error;
  host.BindModule(module);
  standin::UnloadModule(module);
  info.GetMsg(info.ModuleNumber, 0);
  EXPECT_EQ(Breaches{"GetMsg caller"}, TakeHostBreaches());
}

TEST_F(HostContractTest, WhatTheModuleHandsBackIsHeldToTheSameRules) {
  PluginPanelItem item;
  memset(&item, 0, sizeof(item));
  memset(item.FindData.cFileName, 'n', sizeof(item.FindData.cFileName));
  item.CustomColumnNumber = 2;
  OpenPluginInfo described;
  memset(&described, 0, sizeof(described));
  described.StructSize = sizeof(described);
  described.PanelModesNumber = 10;
  PluginInfo registered;
  memset(&registered, 0, sizeof(registered));
  registered.StructSize = sizeof(registered);
  registered.PluginMenuStringsNumber = 1;

  hostcore::CheckFoundItems(host, nullptr, 3);
  EXPECT_EQ(Breaches{"GetFindData pItemsNumber"}, TakeHostBreaches());
  hostcore::CheckFoundItems(host, &item, 1);
  EXPECT_EQ((Breaches{"GetFindData PanelItem[0].cFileName", "GetFindData PanelItem[0].CustomColumnData"}),
            TakeHostBreaches());
  hostcore::CheckOpenPluginInfo(host, described);
  EXPECT_EQ(Breaches{"GetOpenPluginInfo PanelModesArray"}, TakeHostBreaches());
  described.PanelModesNumber = 0;
  described.StructSize = 0;
  hostcore::CheckOpenPluginInfo(host, described);
  EXPECT_EQ(Breaches{"GetOpenPluginInfo StructSize"}, TakeHostBreaches());
  hostcore::CheckPluginInfo(host, registered);
  EXPECT_EQ(Breaches{"GetPluginInfo PluginMenuStrings"}, TakeHostBreaches());
  hostcore::CheckOpenedPanel(host, nullptr);
  EXPECT_EQ(Breaches{"OpenPlugin result"}, TakeHostBreaches());
}

}  // namespace
