// The host core's dialog: focus and Tab order, radio groups, check boxes,
// edit histories, the default button, items written back, and the
// DialogEx protocol with a DM_CLOSE from another thread.
#include <string.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/dialog_layout.hpp"
#include "core/dialog_model.hpp"
#include "core/dialog_session.hpp"
#include "far/field_text.hpp"
#include "test_support.hpp"

namespace {

FarDialogItem Item(int type, int x1, int y1, int x2, const char *text, DWORD flags = 0) {
  FarDialogItem item;
  memset(&item, 0, sizeof(item));
  item.Type = type;
  item.X1 = x1;
  item.Y1 = y1;
  item.X2 = x2;
  item.Flags = flags;
  CopyToField(item.Data, text);
  return item;
}

FarDialogItem HistoryLine(int y, const char *history, DWORD flags) {
  FarDialogItem item = Item(DI_EDIT, 5, y, 30, "", DIF_HISTORY | flags);
  item.History = history;
  return item;
}

// A dialog shaped like the module's update dialog: a box, two centred
// buttons, a radio group of three, an edit line with a history, a check
// box, a separator, and a second radio group of two.
enum {
  kBox,
  kOk,
  kCancel,
  kRadioA,
  kRadioB,
  kRadioC,
  kRevision,
  kCheck,
  kSeparator,
  kOtherA,
  kOtherB,
  kCount
};
std::vector<FarDialogItem> SampleItems() {
  std::vector<FarDialogItem> items = {
      Item(DI_DOUBLEBOX, 3, 1, 46, "Update"),
      Item(DI_BUTTON, 0, 12, 0, "&OK", DIF_CENTERGROUP),
      Item(DI_BUTTON, 0, 12, 0, "Cancel", DIF_CENTERGROUP),
      Item(DI_RADIOBUTTON, 5, 2, 30, "to &current branch", DIF_GROUP),
      Item(DI_RADIOBUTTON, 5, 3, 30, "to main &trunk"),
      Item(DI_RADIOBUTTON, 5, 4, 30, "to a &revision"),
      HistoryLine(5, "revision", 0),
      Item(DI_CHECKBOX, 5, 9, 20, "R&ecursive"),
      Item(DI_TEXT, 4, 8, 28, "", DIF_SEPARATOR),
      Item(DI_RADIOBUTTON, 5, 10, 30, "text", DIF_GROUP),
      Item(DI_RADIOBUTTON, 5, 11, 30, "visual"),
  };
  items[kOk].DefaultButton = 1;
  items[kRadioA].Selected = 1;
  items[kOtherA].Selected = 1;
  return items;
}

hostcore::DialogModel Open(const std::vector<FarDialogItem> &items,
                           const hostcore::HistoryStore &histories = {}) {
  return hostcore::NewDialog(1, -1, -1, 50, 14, nullptr, items.data(),
                             static_cast<int>(items.size()), histories);
}

std::vector<int> Selected(const hostcore::DialogModel &dialog) {
  std::vector<int> on;
  for (size_t i = 0; i < dialog.Items.size(); ++i) {
    int type = dialog.Items[i].Type;
    if ((type == DI_RADIOBUTTON || type == DI_CHECKBOX) && dialog.Items[i].Selected)
      on.push_back(static_cast<int>(i));
  }
  return on;
}

TEST(DialogFocus, StartsOnTheItemThatAsksElseTheFirstFocusable) {
  std::vector<FarDialogItem> items = SampleItems();
  EXPECT_EQ(kOk, Open(items).Focus);  // the box cannot take focus
  items[kRevision].Focus = 1;
  EXPECT_EQ(kRevision, Open(items).Focus);
  items[kSeparator].Focus = 1;  // a text asking for focus does not get it
  items[kRevision].Focus = 0;
  EXPECT_EQ(kOk, Open(items).Focus);
}

TEST(DialogFocus, TabVisitsFocusableItemsInOrderAndWrapsBothWays) {
  hostcore::DialogModel dialog = Open(SampleItems());
  std::vector<int> order;
  for (int i = 0; i < 9; ++i) {
    order.push_back(dialog.Focus);
    hostcore::MoveFocus(dialog, 1);
  }
  EXPECT_EQ((std::vector<int>{kOk, kCancel, kRadioA, kRadioB, kRadioC, kRevision, kCheck, kOtherA,
                              kOtherB}),
            order);
  EXPECT_EQ(kOk, dialog.Focus);
  hostcore::MoveFocus(dialog, -1);
  EXPECT_EQ(kOtherB, dialog.Focus);
  hostcore::MoveFocus(dialog, -1);
  EXPECT_EQ(kOtherA, dialog.Focus);
  hostcore::SetFocus(dialog, kSeparator);  // not focusable: unchanged
  EXPECT_EQ(kOtherA, dialog.Focus);
}

TEST(DialogRadioGroups, SelectingClearsOnlyItsOwnGroup) {
  hostcore::DialogModel dialog = Open(SampleItems());
  hostcore::SelectRadio(dialog, kRadioC);
  EXPECT_EQ((std::vector<int>{kRadioC, kOtherA}), Selected(dialog));
  hostcore::SelectRadio(dialog, kOtherB);
  EXPECT_EQ((std::vector<int>{kRadioC, kOtherB}), Selected(dialog));
  hostcore::SelectRadio(dialog, kCheck);  // not a radio button: nothing changes
  EXPECT_EQ((std::vector<int>{kRadioC, kOtherB}), Selected(dialog));
}

TEST(DialogRadioGroups, AGroupEndsAtTheFirstItemThatIsNotARadioButton) {
  // Two runs of radio buttons, only the first carrying DIF_GROUP, with an
  // edit line between them: they are two groups.
  std::vector<FarDialogItem> items = {
      Item(DI_RADIOBUTTON, 5, 2, 30, "a", DIF_GROUP),
      Item(DI_RADIOBUTTON, 5, 3, 30, "b"),
      Item(DI_EDIT, 5, 4, 30, ""),
      Item(DI_RADIOBUTTON, 5, 5, 30, "c"),
      Item(DI_RADIOBUTTON, 5, 6, 30, "d"),
  };
  items[0].Selected = 1;
  items[3].Selected = 1;
  hostcore::SelectRadio(items.data(), 5, 4);
  EXPECT_EQ(1, items[0].Selected);
  EXPECT_EQ(0, items[3].Selected);
  EXPECT_EQ(1, items[4].Selected);
  // The scripted user's helper follows the same rule.
  standin::SelectRadio(items.data(), 5, 1);
  EXPECT_EQ(0, items[0].Selected);
  EXPECT_EQ(1, items[1].Selected);
  EXPECT_EQ(1, items[4].Selected);
}

TEST(DialogRadioGroups, DifGroupStartsANewGroupRightAfterAnother) {
  std::vector<FarDialogItem> items = {
      Item(DI_RADIOBUTTON, 5, 2, 30, "a", DIF_GROUP), Item(DI_RADIOBUTTON, 5, 3, 30, "b"),
      Item(DI_RADIOBUTTON, 5, 4, 30, "c", DIF_GROUP), Item(DI_RADIOBUTTON, 5, 5, 30, "d")};
  items[0].Selected = 1;
  items[2].Selected = 1;
  hostcore::SelectRadio(items.data(), 4, 1);
  EXPECT_EQ((std::vector<int>{0, 1, 1, 0}),
            (std::vector<int>{items[0].Selected, items[1].Selected, items[2].Selected,
                              items[3].Selected}));
  hostcore::SelectRadio(items.data(), 4, 3);
  EXPECT_EQ((std::vector<int>{0, 1, 0, 1}),
            (std::vector<int>{items[0].Selected, items[1].Selected, items[2].Selected,
                              items[3].Selected}));
}

TEST(DialogKeys, SpaceTogglesChecksSelectsRadiosAndPressesButtons) {
  hostcore::DialogModel dialog = Open(SampleItems());
  hostcore::SetFocus(dialog, kCheck);
  EXPECT_EQ(hostcore::kDialogStaysOpen, hostcore::PressSpace(dialog));
  EXPECT_EQ(1, dialog.Items[kCheck].Selected);
  hostcore::PressSpace(dialog);
  EXPECT_EQ(0, dialog.Items[kCheck].Selected);
  hostcore::SetFocus(dialog, kRadioB);
  EXPECT_EQ(hostcore::kDialogStaysOpen, hostcore::PressSpace(dialog));
  EXPECT_EQ((std::vector<int>{kRadioB, kOtherA}), Selected(dialog));
  hostcore::SetFocus(dialog, kCancel);
  EXPECT_EQ(kCancel, hostcore::PressSpace(dialog));
}

TEST(DialogKeys, EnterClosesWithAFocusedButtonElseTheDefaultOne) {
  hostcore::DialogModel dialog = Open(SampleItems());
  hostcore::SetFocus(dialog, kCancel);
  EXPECT_EQ(kCancel, hostcore::PressEnter(dialog));
  hostcore::SetFocus(dialog, kRevision);
  EXPECT_EQ(kOk, hostcore::PressEnter(dialog));
  std::vector<FarDialogItem> items = SampleItems();
  items[kOk].DefaultButton = 0;
  hostcore::DialogModel plain = Open(items);
  hostcore::SetFocus(plain, kRevision);
  EXPECT_EQ(-1, hostcore::DefaultButton(plain));
  EXPECT_EQ(kRevision, hostcore::PressEnter(plain));
}

TEST(DialogHistories, KeptByNameNewestLastWithoutRepeats) {
  hostcore::HistoryStore store;
  hostcore::AddToHistory(store, "revision", "rel-1");
  hostcore::AddToHistory(store, "date", "2024-01-01");
  hostcore::AddToHistory(store, "revision", "rel-2");
  hostcore::AddToHistory(store, "revision", "rel-1");
  hostcore::AddToHistory(store, "revision", "");
  EXPECT_EQ((std::vector<std::string>{"rel-2", "rel-1"}), store["revision"]);
  EXPECT_EQ("2024-01-01", hostcore::LastInHistory(store, "date"));
  EXPECT_EQ("", hostcore::LastInHistory(store, "module"));
  for (int i = 0; i < 60; ++i) hostcore::AddToHistory(store, "many", std::to_string(i));
  ASSERT_EQ(hostcore::kHistoryLimit, store["many"].size());
  EXPECT_EQ("59", store["many"].back());
  EXPECT_EQ(std::to_string(60 - hostcore::kHistoryLimit), store["many"].front());
}

TEST(DialogHistories, UseLastHistoryFillsOnlyAnEmptyLine) {
  hostcore::HistoryStore store;
  hostcore::AddToHistory(store, "cvsroot", ":pserver:old");
  hostcore::AddToHistory(store, "cvsroot", "/srv/cvs");
  std::vector<FarDialogItem> items = {HistoryLine(2, "cvsroot", DIF_USELASTHISTORY),
                                      HistoryLine(3, "cvsroot", DIF_USELASTHISTORY),
                                      HistoryLine(4, "cvsroot", 0)};
  CopyToField(items[1].Data, "typed before");
  hostcore::DialogModel dialog = Open(items, store);
  EXPECT_EQ("/srv/cvs", hostcore::EditText(dialog.Items[0]));
  EXPECT_EQ("typed before", hostcore::EditText(dialog.Items[1]));
  EXPECT_EQ("", hostcore::EditText(dialog.Items[2]));
  EXPECT_EQ((std::vector<std::string>{":pserver:old", "/srv/cvs"}),
            hostcore::EditHistory(dialog, 2, store));
}

TEST(DialogHistories, SurviveASaveAndALoadWithAwkwardTexts) {
  testsupport::TempDir dir;
  hostcore::HistoryStore store;
  hostcore::AddToHistory(store, "message", "two\nlines");
  hostcore::AddToHistory(store, "message", "tab\there, back\\slash");
  hostcore::AddToHistory(store, "name\twith tab", "x");
  hostcore::AddToHistory(store, "revision", "rel-1");
  hostcore::AddToHistory(store, "revision", "rel-2");
  ASSERT_TRUE(hostcore::SaveHistoriesToFile(store, dir / "histories"));
  hostcore::HistoryStore loaded;
  hostcore::AddToHistory(loaded, "stale", "forgotten on load");
  ASSERT_TRUE(hostcore::LoadHistoriesFromFile(dir / "histories", loaded));
  EXPECT_EQ(store, loaded);
  EXPECT_FALSE(testsupport::Exists(dir / "histories.new"));
  // Lines it cannot read are skipped; the rest still loads.
  hostcore::LoadHistories("revision\trel-9\ngarbage without tab\nbad\\q\tx\n", loaded);
  EXPECT_EQ((hostcore::HistoryStore{{"revision", {"rel-9"}}}), loaded);
  EXPECT_FALSE(hostcore::LoadHistoriesFromFile(dir / "missing", loaded));
  EXPECT_FALSE(hostcore::SaveHistoriesToFile(store, dir / "no-such-folder/histories"));
}

TEST(DialogLayout, CentresTheDialogAndItsButtonRowAndStretchesSeparators) {
  hostcore::DialogModel dialog = Open(SampleItems());
  hostcore::DialogPlace place = hostcore::PlaceDialog(dialog, 80, 25);
  EXPECT_EQ(15, place.Left);
  EXPECT_EQ(5, place.Top);
  EXPECT_EQ(50, place.Width);
  EXPECT_EQ(14, place.Height);
  // "[ OK ]" and "[ Cancel ]", one blank apart, centred in 50 cells.
  const hostcore::ItemPlace &ok = place.Items[kOk];
  const hostcore::ItemPlace &cancel = place.Items[kCancel];
  EXPECT_EQ("OK", ok.Text);
  EXPECT_EQ(0, ok.HotKeyAt);
  EXPECT_EQ(6, ok.Width);
  EXPECT_EQ(10, cancel.Width);
  EXPECT_EQ(ok.Left + ok.Width + 1, cancel.Left);
  EXPECT_EQ(place.Width - (cancel.Left + cancel.Width), ok.Left + 1);
  const hostcore::ItemPlace &separator = place.Items[kSeparator];
  EXPECT_TRUE(separator.Separator);
  EXPECT_EQ(3, separator.Left);
  EXPECT_EQ(44, separator.Width);
  EXPECT_EQ("to main trunk", place.Items[kRadioB].Text);
  EXPECT_EQ(8, place.Items[kRadioB].HotKeyAt);
  EXPECT_EQ(26, place.Items[kRevision].Width);
  // Fixed corners stay where the module put them.
  dialog.X1 = 2;
  dialog.Y1 = 3;
  dialog.X2 = 41;
  dialog.Y2 = 12;
  place = hostcore::PlaceDialog(dialog, 80, 25);
  EXPECT_EQ(2, place.Left);
  EXPECT_EQ(3, place.Top);
  EXPECT_EQ(40, place.Width);
  EXPECT_EQ(10, place.Height);
}

// Through the service table, as the module calls it.
class HostDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Reset();
    info = host.StartupInfo();
  }
  void TearDown() override { host.Reset(); }
  int Dialog(std::vector<FarDialogItem> &items) {
    return info.Dialog(info.ModuleNumber, -1, -1, 50, 14, nullptr, items.data(),
                       static_cast<int>(items.size()));
  }
  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info;
};

TEST_F(HostDialogTest, ItemsAreWrittenBackAndHistoriesKeptOnlyWhenConfirmed) {
  std::vector<FarDialogItem> items = SampleItems();
  host.script.Dialog.push_back([](FarDialogItem *dialog, int count) {
    standin::SelectRadio(dialog, count, kRadioC);
    CopyToField(dialog[kRevision].Data, "rel-1");
    dialog[kCheck].Selected = 1;
    return kOk;
  });
  EXPECT_EQ(kOk, Dialog(items));
  EXPECT_EQ(1, items[kRadioC].Selected);
  EXPECT_EQ(0, items[kRadioA].Selected);
  EXPECT_EQ(1, items[kCheck].Selected);
  EXPECT_STREQ("rel-1", items[kRevision].Data);
  EXPECT_EQ((std::vector<std::string>{"rel-1"}), host.Histories["revision"]);
  ASSERT_EQ(1u, host.Dialogs.size());
  EXPECT_STREQ("", host.Dialogs[0].ItemsIn[kRevision].Data);
  EXPECT_STREQ("rel-1", host.Dialogs[0].ItemsOut[kRevision].Data);

  // Esc: the user's typing is written back all the same, but not kept.
  host.script.Dialog.push_back([](FarDialogItem *dialog, int) {
    CopyToField(dialog[kRevision].Data, "rel-2");
    return -1;
  });
  EXPECT_EQ(-1, Dialog(items));
  EXPECT_STREQ("rel-2", items[kRevision].Data);
  EXPECT_EQ((std::vector<std::string>{"rel-1"}), host.Histories["revision"]);

  // A closing item that is not in the dialog is Esc; no script is Esc too.
  host.script.Dialog.push_back(standin::Press(kCount));
  EXPECT_EQ(-1, Dialog(items));
  EXPECT_EQ(-1, Dialog(items));
  ASSERT_EQ(4u, host.Dialogs.size());
  EXPECT_EQ(-1, host.Dialogs[2].Result);
}

TEST_F(HostDialogTest, UseLastHistoryOffersWhatTheLastConfirmedDialogKept) {
  std::vector<FarDialogItem> first = {HistoryLine(2, "module", DIF_USELASTHISTORY),
                                      Item(DI_BUTTON, 0, 4, 0, "OK", DIF_CENTERGROUP)};
  host.script.Dialog.push_back(
      standin::Edit([](FarDialogItem *dialog) { CopyToField(dialog[0].Data, "proj"); }, 1));
  ASSERT_EQ(1, Dialog(first));
  std::vector<FarDialogItem> second = {HistoryLine(2, "module", DIF_USELASTHISTORY),
                                       Item(DI_BUTTON, 0, 4, 0, "OK", DIF_CENTERGROUP)};
  std::string offered;
  host.script.Dialog.push_back([&offered](FarDialogItem *dialog, int) {
    offered = dialog[0].Data;
    return 1;
  });
  ASSERT_EQ(1, Dialog(second));
  EXPECT_EQ("proj", offered);
}

// DialogEx with a procedure that records its messages and can refuse.
struct ProcLog {
  std::atomic<int> inits{0};
  std::atomic<int> closesAsked{0};
  std::atomic<bool> refuseUserClose{false};
  std::atomic<HANDLE> dialog{nullptr};
};
std::atomic<ProcLog *> currentLog{nullptr};

LONG_PTR FARAPI RecordingProc(HANDLE dialog, int message, int param1, LONG_PTR param2) {
  if (message == DN_INITDIALOG) {
    ProcLog *log = reinterpret_cast<ProcLog *>(param2);
    log->dialog = dialog;
    ++log->inits;
    currentLog = log;
    return 1;
  }
  if (message == DN_CLOSE) {
    ProcLog *log = currentLog;
    ++log->closesAsked;
    if (log->refuseUserClose && param1 != 7) return 0;
  }
  return 1;
}

TEST_F(HostDialogTest, AModuleCloseFromAnotherThreadWakesTheWaitAtOnce) {
  std::vector<FarDialogItem> items = {Item(DI_DOUBLEBOX, 3, 1, 38, "CVS Running..."),
                                      Item(DI_BUTTON, 0, 4, 0, "Break", DIF_CENTERGROUP)};
  ProcLog log;
  host.script.RunTimeoutMs = 60000;
  std::thread sender([&] {
    while (currentLog == nullptr) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    info.SendDlgMessage(log.dialog, DM_CLOSE, 7, 0);
  });
  auto start = std::chrono::steady_clock::now();
  int result = info.DialogEx(info.ModuleNumber, -1, -1, 42, 7, nullptr, items.data(), 2, 0, 0,
                             RecordingProc, reinterpret_cast<LONG_PTR>(&log));
  auto waited = std::chrono::steady_clock::now() - start;
  sender.join();
  currentLog = nullptr;
  EXPECT_EQ(7, result);
  // Woken by the message, not by the minute-long timeout.
  EXPECT_LT(waited, std::chrono::seconds(20));
  EXPECT_EQ(1, log.inits.load());
  ASSERT_EQ(1u, host.Dialogs.size());
  EXPECT_EQ((std::vector<int>{DN_INITDIALOG, DN_CLOSE}), host.Dialogs[0].ProcMessages);
  // The dialog is gone: a later message is counted as late, not delivered,
  // and breaks the host's contract (FAR would use the freed dialog).
  EXPECT_EQ(0, info.SendDlgMessage(log.dialog, DM_CLOSE, 7, 0));
  EXPECT_EQ(1, host.LateDialogMessages);
  std::vector<hostcore::ContractBreach> breaches = host.Contract.Take();
  ASSERT_EQ(1u, breaches.size());
  EXPECT_EQ("SendDlgMessage", breaches[0].Service);
  EXPECT_EQ("hDlg", breaches[0].Argument);
}

TEST_F(HostDialogTest, ARefusedCloseKeepsTheDialogOpenUntilTheModuleCloses) {
  std::vector<FarDialogItem> items = {Item(DI_DOUBLEBOX, 3, 1, 38, "CVS Running..."),
                                      Item(DI_BUTTON, 0, 4, 0, "Break", DIF_CENTERGROUP)};
  ProcLog log;
  log.refuseUserClose = true;
  host.script.RunBreakAfterMs = 10;  // the user presses Break again and again
  std::thread sender([&] {
    while (currentLog == nullptr || log.closesAsked < 3) std::this_thread::yield();
    info.SendDlgMessage(log.dialog, DM_CLOSE, 7, 0);
  });
  int result = info.DialogEx(info.ModuleNumber, -1, -1, 42, 7, nullptr, items.data(), 2, 0, 0,
                             RecordingProc, reinterpret_cast<LONG_PTR>(&log));
  sender.join();
  currentLog = nullptr;
  EXPECT_EQ(7, result);
  ASSERT_EQ(1u, host.Dialogs.size());
  const std::vector<int> &messages = host.Dialogs[0].ProcMessages;
  EXPECT_GE(messages.size(), 5u);
  EXPECT_EQ(DN_INITDIALOG, messages.front());
  for (size_t i = 1; i < messages.size(); ++i) EXPECT_EQ(DN_CLOSE, messages[i]);
}

}  // namespace
