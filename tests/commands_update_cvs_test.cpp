// Update from the plug-ins menu, with the real cvs on a repository made here.
#include <unistd.h>

#include "commands_fixture.hpp"

namespace testsupport {
namespace {

// The Update dialog's items, by the names its declaration gives them.
int Item(const char *name) { return ItemOf(UpdateDialog(), name); }

class UpdateTest : public CommandTest {
 protected:
  // A second working copy from which changes reach the repository.
  std::string Other() {
    if (other.empty()) other = sandbox.Checkout("proj", "other");
    return other;
  }
  void CommitElsewhere(const std::string &file, const std::string &content) {
    WriteFile(Other() + "/" + file, content);
    sandbox.MustCvs("-Q commit -m change", Other());
  }
  std::string other;
};

TEST_F(UpdateTest, InitialStateRunsPlainUpdateOnTheFolderWithTheDialogAsTable) {
  MakeWorkingCopy({{"a.txt", "one\n"}, {"sub/b.txt", "bee\n"}});
  CommitElsewhere("a.txt", "two\n");
  PutCursorOn("a.txt");  // the cursor alone selects nothing
  host.script.Dialog.push_back(standin::Press(Item("ok")));

  EXPECT_EQ(Run(Command::Update), INVALID_HANDLE_VALUE);

  EXPECT_EQ(LastCvsCall(), "[update]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "two\n");
  ASSERT_EQ(CommandDialogs().size(), 1u);
  standin::DialogCall dialog = CommandDialogs()[0];
  EXPECT_EQ(dialog.X2, 51);
  EXPECT_EQ(dialog.Y2, 14);
  ASSERT_EQ(dialog.ItemsIn.size(), 14u);
  EXPECT_STREQ(dialog.ItemsIn[Item("revisionEdit")].History, "revision");
  EXPECT_STREQ(dialog.ItemsIn[Item("dateEdit")].History, "date");
  // A confirmed dialog is not confirmed again; the output opens at once.
  EXPECT_TRUE(host.Messages.empty());
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Title, "CVS log");
  EXPECT_NE(host.Editors[0].Content.find("a.txt"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, StickyTagAndBackToTheTrunkWithTheDialogKeepingItsState) {
  MakeWorkingCopy({{"a.txt", "one\n"}});
  sandbox.MustCvs("-Q tag rel1", wc);
  CommitElsewhere("a.txt", "two\n");
  Select({"a.txt"});

  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) {
        standin::SelectRadio(items, 14, Item("revision"));
        Type(items[Item("revisionEdit")], "rel1");
      },
      Item("ok")));
  Run(Command::Update);
  EXPECT_EQ(LastCvsCall(), "[update][-r][rel1][a.txt]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "one\n");
  EXPECT_NE(ReadFile(wc + "/CVS/Entries").find("/a.txt/1.1.1.1/"), std::string::npos);
  EXPECT_NE(ReadFile(wc + "/CVS/Entries").find("/Trel1"), std::string::npos);

  // The next Update opens as the last one was left.
  host.script.Dialog.push_back([](FarDialogItem *items, int count) {
    EXPECT_EQ(items[Item("revision")].Selected, 1);
    EXPECT_EQ(items[Item("branch")].Selected, 0);
    EXPECT_STREQ(items[Item("revisionEdit")].Data, "rel1");
    standin::SelectRadio(items, count, Item("trunk"));
    return int(Item("ok"));
  });
  Run(Command::Update);
  EXPECT_EQ(LastCvsCall(), "[update][-A][a.txt]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "two\n");
  EXPECT_EQ(ReadFile(wc + "/CVS/Entries").find("/Trel1"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, EmptyRevisionIsRefusedAndTheDialogComesBackAsLeft) {
  MakeWorkingCopy({{"a.txt", "one\n"}});
  sandbox.MustCvs("-Q tag rel1", wc);
  CommitElsewhere("a.txt", "two\n");

  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) { standin::SelectRadio(items, 14, Item("revision")); }, Item("ok")));
  host.script.Dialog.push_back([](FarDialogItem *items, int) {
    EXPECT_EQ(items[Item("revision")].Selected, 1);
    Type(items[Item("revisionEdit")], "rel1");
    Type(items[Item("dateEdit")], "2001-01-01");  // ignored: the -r button is chosen
    return int(Item("ok"));
  });
  Run(Command::Update);

  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Flags, DWORD(FMSG_WARNING | FMSG_ALLINONE | FMSG_MB_OK));
  EXPECT_EQ(host.Messages[0].Lines,
            (std::vector<std::string>{"Error", " Revision or tag is required"}));
  EXPECT_EQ(CommandDialogs().size(), 2u);
  EXPECT_EQ(CvsCalls().size(), 1u);
  EXPECT_EQ(LastCvsCall(), "[update][-r][rel1]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "one\n");
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, DateSelectsTheRevisionOfThatTimeAndAnEmptyDateIsRefused) {
  MakeWorkingCopy({{"a.txt", "one\n"}});
  sleep(2);
  std::string when;
  Shell("date -u '+%Y-%m-%d %H:%M:%S UTC'", "", &when);
  when.erase(when.find_last_not_of("\n") + 1);
  sleep(2);
  CommitElsewhere("a.txt", "two\n");
  sandbox.MustCvs("-Q update", wc);
  ASSERT_EQ(ReadFile(wc + "/a.txt"), "two\n");

  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) { standin::SelectRadio(items, 14, Item("date")); }, Item("ok")));
  host.script.Dialog.push_back(
      standin::Edit([when](FarDialogItem *items) { Type(items[Item("dateEdit")], when); }, Item("ok")));
  Run(Command::Update);

  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines, (std::vector<std::string>{"Error", " Date is required"}));
  EXPECT_EQ(LastCvsCall(), "[update][-D][" + when + "]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "one\n");
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, RecursionOffLeavesSubfoldersAndMissingFoldersComeBackWithD) {
  MakeWorkingCopy({{"a.txt", "one\n"}, {"sub/b.txt", "bee\n"}});
  CommitElsewhere("a.txt", "two\n");
  CommitElsewhere("sub/b.txt", "bee two\n");
  MakeDirs(Other() + "/fresh");
  WriteFile(Other() + "/fresh/c.txt", "sea\n");
  sandbox.MustCvs("-Q add fresh", Other());
  sandbox.MustCvs("-Q add fresh/c.txt", Other());
  sandbox.MustCvs("-Q commit -m fresh", Other());

  host.script.Dialog.push_back(
      standin::Edit([](FarDialogItem *items) { items[Item("recursive")].Selected = 0; }, Item("ok")));
  Run(Command::Update);
  EXPECT_EQ(LastCvsCall(), "[update][-l]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "two\n");
  EXPECT_EQ(ReadFile(wc + "/sub/b.txt"), "bee\n");
  EXPECT_FALSE(Exists(wc + "/fresh"));

  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) {
        items[Item("recursive")].Selected = 1;
        items[Item("createFolders")].Selected = 1;
      },
      Item("ok")));
  Run(Command::Update);
  EXPECT_EQ(LastCvsCall(), "[update][-d]");
  EXPECT_EQ(ReadFile(wc + "/sub/b.txt"), "bee two\n");
  EXPECT_EQ(ReadFile(wc + "/fresh/c.txt"), "sea\n");

  // All three options at once, in the dialog's order.
  host.script.Dialog.push_back([](FarDialogItem *items, int count) {
    items[Item("recursive")].Selected = 0;
    items[Item("createFolders")].Selected = 1;
    standin::SelectRadio(items, count, Item("trunk"));
    return int(Item("ok"));
  });
  Run(Command::Update);
  EXPECT_EQ(LastCvsCall(), "[update][-l][-d][-A]");
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, OverlongTagReachesCvsCutTo255Characters) {
  MakeWorkingCopy({{"a.txt", "one\n"}});
  std::string tag = "T" + std::string(254, 'x');
  sandbox.MustCvs("-Q tag " + tag, wc);
  CommitElsewhere("a.txt", "two\n");
  sandbox.MustCvs("-Q update", wc);

  std::string typed = tag + std::string(45, 'y');
  host.script.Dialog.push_back(standin::Edit(
      [typed](FarDialogItem *items) {
        standin::SelectRadio(items, 14, Item("revision"));
        Type(items[Item("revisionEdit")], typed);
      },
      Item("ok")));
  Run(Command::Update);
  EXPECT_EQ(LastCvsCall(), "[update][-r][" + tag + "]");
  EXPECT_EQ(ReadFile(wc + "/a.txt"), "one\n");
  EXPECT_NE(ReadFile(wc + "/CVS/Entries").find("/T" + tag), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, CancelAndEscRunNothing) {
  MakeWorkingCopy({{"a.txt", "one\n"}});
  host.script.Dialog.push_back(standin::Press(Item("cancel")));
  Run(Command::Update);
  host.script.Dialog.push_back(standin::Press(-1));
  Run(Command::Update);
  EXPECT_EQ(CommandDialogs().size(), 2u);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(UpdateTest, FailingUpdateShowsTheFailureBoxFirst) {
  MakeWorkingCopy({{"a.txt", "one\n"}});
  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) {
        standin::SelectRadio(items, 14, Item("revision"));
        Type(items[Item("revisionEdit")], "no-such-tag");
      },
      Item("ok")));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Update);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Flags, DWORD(FMSG_WARNING));
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("no-such-tag"), std::string::npos);
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
