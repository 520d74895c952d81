// Checkout and Export from the plug-ins menu, with the real cvs.
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

enum {
  kOk = 1,
  kCancel = 2,
  kModuleLabel = 3,
  kModuleEdit = 4,
  kRootEdit = 6,
  kDestinationEdit = 8,
  kRevisionEdit = 10,
  kDateEdit = 12,
  kRecursive = 13
};

class CheckoutTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    sandbox.Import("proj", {{"a.txt", "one\n"}, {"sub/b.txt", "bee\n"}});
    std::string wc = sandbox.Checkout("proj", "tagger");
    sandbox.MustCvs("-Q tag rel1", wc);
    WriteFile(wc + "/a.txt", "two\n");
    sandbox.MustCvs("-Q commit -m two", wc);
    target = sandbox.Root() + "/target";
    MakeDirs(target);
    EnterFolder(target);  // no working copy here
  }
  // Picks Checkout (3) or Export (4) in the menu of a folder without a
  // working copy, where they are its only two entries.
  void RunFromPlainFolder(int entry) { Run(entry - kCheckout); }

  static std::function<int(FarDialogItem *, int)> Fill(std::map<int, std::string> edits,
                                                       int recursive = 1) {
    return [edits, recursive](FarDialogItem *items, int) {
      for (const auto &edit : edits) Type(items[edit.first], edit.second);
      items[kRecursive].Selected = recursive;
      return int(kOk);
    };
  }
  std::string target;
};

TEST_F(CheckoutTest, CheckoutIntoTheCurrentFolder) {
  host.script.Dialog.push_back(Fill({{kModuleEdit, "proj"}}));
  RunFromPlainFolder(kCheckout);

  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(host.Menus[0].Items.size(), 2u);
  EXPECT_EQ(host.Menus[0].Bottom, "no module here");
  ASSERT_EQ(CommandDialogs().size(), 1u);
  standin::DialogCall dialog = CommandDialogs()[0];
  EXPECT_EQ(dialog.X2, 76);
  EXPECT_EQ(dialog.Y2, 14);
  ASSERT_EQ(dialog.ItemsIn.size(), 16u);
  EXPECT_STREQ(dialog.ItemsIn[0].Data, "Checkout");
  ASSERT_GT(host.Language.size(), 9u);
  EXPECT_EQ(dialog.ItemsIn[kModuleLabel].Data, host.Language[9]);
  EXPECT_STREQ(dialog.ItemsIn[kRootEdit].History, "cvsroot");

  EXPECT_EQ(LastCvsCall(), "[checkout][proj]");
  EXPECT_EQ(ReadFile(target + "/proj/a.txt"), "two\n");
  EXPECT_EQ(ReadFile(target + "/proj/sub/b.txt"), "bee\n");
  EXPECT_TRUE(Exists(target + "/proj/CVS/Entries"));
  EXPECT_TRUE(host.Messages.empty());
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_EQ(host.Editors[0].Title, "CVS log");
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, DestinationRevisionAndNoRecursionAndTheDestinationIsClearedNextTime) {
  host.script.Dialog.push_back(
      Fill({{kModuleEdit, "proj"}, {kDestinationEdit, "old"}, {kRevisionEdit, "rel1"}}, 0));
  RunFromPlainFolder(kCheckout);
  EXPECT_EQ(LastCvsCall(), "[checkout][-d][old][-r][rel1][-l][proj]");
  EXPECT_EQ(ReadFile(target + "/old/a.txt"), "one\n");
  EXPECT_FALSE(Exists(target + "/old/sub/b.txt"));

  host.script.Dialog.push_back([](FarDialogItem *items, int) {
    EXPECT_STREQ(items[kDestinationEdit].Data, "");
    EXPECT_STREQ(items[kModuleEdit].Data, "proj");
    EXPECT_STREQ(items[kRevisionEdit].Data, "rel1");
    EXPECT_EQ(items[kRecursive].Selected, 0);
    return int(kCancel);
  });
  RunFromPlainFolder(kCheckout);
  EXPECT_EQ(CvsCalls().size(), 1u);
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, EveryExportDatesNowButACheckoutAfterItDoesNot) {
  host.script.Dialog.push_back(Fill({{kModuleEdit, "proj"}, {kDestinationEdit, "exported"}}));
  RunFromPlainFolder(kExport);
  EXPECT_STREQ(CommandDialogs()[0].ItemsIn[0].Data, "Export");
  EXPECT_STREQ(CommandDialogs()[0].ItemsIn[kDateEdit].Data, "now");
  EXPECT_EQ(LastCvsCall(), "[export][-d][exported][-D][now][proj]");
  EXPECT_EQ(ReadFile(target + "/exported/a.txt"), "two\n");
  EXPECT_FALSE(Exists(target + "/exported/CVS"));
  EXPECT_TRUE(host.Messages.empty());

  // The user clears the date; the next Export fills it in again.
  host.script.Dialog.push_back(Fill({{kDateEdit, ""}}));
  RunFromPlainFolder(kExport);
  EXPECT_STREQ(CommandDialogs()[1].ItemsIn[kDateEdit].Data, "now");
  EXPECT_EQ(LastCvsCall(), "[export][proj]");  // export without a date or tag fails in cvs
  // That nothing was exported is said; the output follows all the same.
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines, (std::vector<std::string>{"Export", "cvs exported no file."}));
  EXPECT_NE(host.Editors.back().Content.find("must specify"), std::string::npos)
      << host.Editors.back().Content;

  // Export's own "now" does not follow into Checkout: every file would
  // stay at that date, and no later update would bring anything.
  host.script.Dialog.push_back(Fill({{kDestinationEdit, "checked"}}));
  RunFromPlainFolder(kExport);
  host.script.Dialog.push_back(Fill({{kDestinationEdit, "checked"}}));
  RunFromPlainFolder(kCheckout);
  EXPECT_STREQ(CommandDialogs()[3].ItemsIn[kDateEdit].Data, "");
  EXPECT_EQ(LastCvsCall(), "[checkout][-d][checked][proj]");
  EXPECT_TRUE(Exists(target + "/checked/CVS/Entries"));
  EXPECT_FALSE(Exists(target + "/checked/CVS/Tag"));

  // A date the user typed into Export is the user's: Checkout keeps it.
  host.script.Dialog.push_back(Fill({{kDestinationEdit, "dated"}, {kDateEdit, "2031-01-01"}}));
  RunFromPlainFolder(kExport);
  host.script.Dialog.push_back(Fill({{kDestinationEdit, "dated2"}}));
  RunFromPlainFolder(kCheckout);
  EXPECT_EQ(LastCvsCall(), "[checkout][-d][dated2][-D][2031-01-01][proj]");
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, ExportOfATagLeavesOutItsOwnDateAndANamedDateStays) {
  host.script.Dialog.push_back(
      Fill({{kModuleEdit, "proj"}, {kDestinationEdit, "tagged"}, {kRevisionEdit, "rel1"}}));
  RunFromPlainFolder(kExport);
  // "-r rel1 -D now" would be the tag as it stood now: nothing.
  EXPECT_EQ(LastCvsCall(), "[export][-d][tagged][-r][rel1][proj]");
  EXPECT_EQ(ReadFile(target + "/tagged/a.txt"), "one\n");
  EXPECT_TRUE(host.Messages.empty());

  // A date typed beside the tag is the user's choice and goes with it; a
  // date before the module's files exported nothing, and that is said.
  host.script.Dialog.push_back(Fill({{kDestinationEdit, "old"}, {kDateEdit, "1990-01-01"}}));
  RunFromPlainFolder(kExport);
  EXPECT_EQ(LastCvsCall(), "[export][-d][old][-r][rel1][-D][1990-01-01][proj]");
  EXPECT_FALSE(Exists(target + "/old/a.txt"));
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines, (std::vector<std::string>{"Export", "cvs exported no file."}));

  // A checkout of a tag no file carries says so too.
  host.script.Dialog.push_back(
      Fill({{kDestinationEdit, "none"}, {kRevisionEdit, "no_such_tag"}, {kDateEdit, ""}}));
  RunFromPlainFolder(kCheckout);
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[1].Lines,
            (std::vector<std::string>{"Checkout", "cvs checked out no file."}));
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, RootFromTheDialogWinsOverAMissingEnvironment) {
  env.Unset("CVSROOT");
  std::string root = sandbox.Repository();
  host.script.Dialog.push_back(Fill({{kModuleEdit, "proj"}, {kRootEdit, root}}));
  RunFromPlainFolder(kCheckout);
  EXPECT_EQ(LastCvsCall(), "[-d][" + root + "][checkout][proj]");
  EXPECT_EQ(ReadFile(target + "/proj/CVS/Root"), root + "\n");
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, EmptyModuleIsRefusedAndOverlongValuesAreCut) {
  host.script.Dialog.push_back(standin::Press(kOk));
  host.script.Dialog.push_back([](FarDialogItem *items, int) {
    EXPECT_STREQ(items[0].Data, "Checkout");
    Type(items[kModuleEdit], "M" + std::string(199, 'm'));
    Type(items[kRevisionEdit], "R" + std::string(39, 'v'));
    Type(items[kRootEdit], std::string(300, 'r'));
    Type(items[kDestinationEdit], "D" + std::string(199, 'd'));
    Type(items[kDateEdit], "2004-" + std::string(40, '1'));
    return int(kOk);
  });
  RunFromPlainFolder(kCheckout);
  ASSERT_GE(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Flags, DWORD(FMSG_WARNING | FMSG_ALLINONE | FMSG_MB_OK));
  EXPECT_EQ(host.Messages[0].Lines, (std::vector<std::string>{"Error", "Module name is required"}));
  // Each value cut to its field: root 239, destination and module 127,
  // revision and date 31 characters.
  EXPECT_EQ(LastCvsCall(), "[-d][" + std::string(239, 'r') + "][checkout][-d][D" +
                               std::string(126, 'd') + "][-r][R" + std::string(30, 'v') +
                               "][-D][2004-" + std::string(26, '1') + "][M" +
                               std::string(126, 'm') + "]");
  // cvs refuses the root; its words are shown without the failure box,
  // after the notice that nothing was checked out.
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[1].Lines,
            (std::vector<std::string>{"Checkout", "cvs checked out no file."}));
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_FALSE(host.Editors[0].Content.empty());
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, CancelRunsNothing) {
  host.script.Dialog.push_back(standin::Press(-1));
  RunFromPlainFolder(kExport);
  host.script.Dialog.push_back(standin::Press(kCancel));
  RunFromPlainFolder(kCheckout);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
