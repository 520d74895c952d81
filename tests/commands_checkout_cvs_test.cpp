// Checkout and Export from the plug-ins menu, with the real cvs.
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

// The Checkout (and Export) dialog's items, by the names its declaration gives them.
int Item(const char *name) { return ItemOf(CheckoutDialog(true), name); }

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
  // Picks Checkout or Export in the menu of a folder without a working
  // copy, where they are its only two entries.
  void RunFromPlainFolder(Command command) { Run(command); }

  static std::function<int(FarDialogItem *, int)> Fill(std::map<int, std::string> edits,
                                                       int recursive = 1) {
    return [edits, recursive](FarDialogItem *items, int) {
      for (const auto &edit : edits) Type(items[edit.first], edit.second);
      items[Item("recursive")].Selected = recursive;
      return int(Item("ok"));
    };
  }
  std::string target;
};

TEST_F(CheckoutTest, CheckoutIntoTheCurrentFolder) {
  host.script.Dialog.push_back(Fill({{Item("moduleEdit"), "proj"}}));
  RunFromPlainFolder(Command::Checkout);

  ASSERT_EQ(host.Menus.size(), 1u);
  EXPECT_EQ(host.Menus[0].Items.size(), 2u);
  EXPECT_EQ(host.Menus[0].Bottom, "no module here");
  ASSERT_EQ(CommandDialogs().size(), 1u);
  standin::DialogCall dialog = CommandDialogs()[0];
  EXPECT_EQ(dialog.X2, 76);
  EXPECT_EQ(dialog.Y2, 14);
  ASSERT_EQ(dialog.ItemsIn.size(), 16u);
  EXPECT_STREQ(dialog.ItemsIn[Item("frame")].Data, "Checkout");
  ASSERT_GT(host.Language.size(), 9u);
  EXPECT_EQ(dialog.ItemsIn[Item("moduleLabel")].Data, host.Language[9]);
  EXPECT_STREQ(dialog.ItemsIn[Item("rootEdit")].History, "cvsroot");

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
      Fill({{Item("moduleEdit"), "proj"}, {Item("destinationEdit"), "old"}, {Item("revisionEdit"), "rel1"}}, 0));
  RunFromPlainFolder(Command::Checkout);
  EXPECT_EQ(LastCvsCall(), "[checkout][-d][old][-r][rel1][-l][proj]");
  EXPECT_EQ(ReadFile(target + "/old/a.txt"), "one\n");
  EXPECT_FALSE(Exists(target + "/old/sub/b.txt"));

  host.script.Dialog.push_back([](FarDialogItem *items, int) {
    EXPECT_STREQ(items[Item("destinationEdit")].Data, "");
    EXPECT_STREQ(items[Item("moduleEdit")].Data, "proj");
    EXPECT_STREQ(items[Item("revisionEdit")].Data, "rel1");
    EXPECT_EQ(items[Item("recursive")].Selected, 0);
    return int(Item("cancel"));
  });
  RunFromPlainFolder(Command::Checkout);
  EXPECT_EQ(CvsCalls().size(), 1u);
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, EveryExportDatesNowButACheckoutAfterItDoesNot) {
  host.script.Dialog.push_back(Fill({{Item("moduleEdit"), "proj"}, {Item("destinationEdit"), "exported"}}));
  RunFromPlainFolder(Command::Export);
  EXPECT_STREQ(CommandDialogs()[0].ItemsIn[Item("frame")].Data, "Export");
  EXPECT_STREQ(CommandDialogs()[0].ItemsIn[Item("dateEdit")].Data, "now");
  EXPECT_EQ(LastCvsCall(), "[export][-d][exported][-D][now][proj]");
  EXPECT_EQ(ReadFile(target + "/exported/a.txt"), "two\n");
  EXPECT_FALSE(Exists(target + "/exported/CVS"));
  EXPECT_TRUE(host.Messages.empty());

  // The user clears the date; the next Export fills it in again.
  host.script.Dialog.push_back(Fill({{Item("dateEdit"), ""}}));
  RunFromPlainFolder(Command::Export);
  EXPECT_STREQ(CommandDialogs()[1].ItemsIn[Item("dateEdit")].Data, "now");
  EXPECT_EQ(LastCvsCall(), "[export][proj]");  // export without a date or tag fails in cvs
  // That nothing was exported is said; the output follows all the same.
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines, (std::vector<std::string>{"Export", "cvs exported no file."}));
  EXPECT_NE(host.Editors.back().Content.find("must specify"), std::string::npos)
      << host.Editors.back().Content;

  // Export's own "now" does not follow into Checkout: every file would
  // stay at that date, and no later update would bring anything.
  host.script.Dialog.push_back(Fill({{Item("destinationEdit"), "checked"}}));
  RunFromPlainFolder(Command::Export);
  host.script.Dialog.push_back(Fill({{Item("destinationEdit"), "checked"}}));
  RunFromPlainFolder(Command::Checkout);
  EXPECT_STREQ(CommandDialogs()[3].ItemsIn[Item("dateEdit")].Data, "");
  EXPECT_EQ(LastCvsCall(), "[checkout][-d][checked][proj]");
  EXPECT_TRUE(Exists(target + "/checked/CVS/Entries"));
  EXPECT_FALSE(Exists(target + "/checked/CVS/Tag"));

  // A date the user typed into Export is the user's: Checkout keeps it.
  host.script.Dialog.push_back(Fill({{Item("destinationEdit"), "dated"}, {Item("dateEdit"), "2031-01-01"}}));
  RunFromPlainFolder(Command::Export);
  host.script.Dialog.push_back(Fill({{Item("destinationEdit"), "dated2"}}));
  RunFromPlainFolder(Command::Checkout);
  EXPECT_EQ(LastCvsCall(), "[checkout][-d][dated2][-D][2031-01-01][proj]");
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, ExportOfATagLeavesOutItsOwnDateAndANamedDateStays) {
  host.script.Dialog.push_back(
      Fill({{Item("moduleEdit"), "proj"}, {Item("destinationEdit"), "tagged"}, {Item("revisionEdit"), "rel1"}}));
  RunFromPlainFolder(Command::Export);
  // "-r rel1 -D now" would be the tag as it stood now: nothing.
  EXPECT_EQ(LastCvsCall(), "[export][-d][tagged][-r][rel1][proj]");
  EXPECT_EQ(ReadFile(target + "/tagged/a.txt"), "one\n");
  EXPECT_TRUE(host.Messages.empty());

  // A date typed beside the tag is the user's choice and goes with it; a
  // date before the module's files exported nothing, and that is said.
  host.script.Dialog.push_back(Fill({{Item("destinationEdit"), "old"}, {Item("dateEdit"), "1990-01-01"}}));
  RunFromPlainFolder(Command::Export);
  EXPECT_EQ(LastCvsCall(), "[export][-d][old][-r][rel1][-D][1990-01-01][proj]");
  EXPECT_FALSE(Exists(target + "/old/a.txt"));
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines, (std::vector<std::string>{"Export", "cvs exported no file."}));

  // A checkout of a tag no file carries says so too.
  host.script.Dialog.push_back(
      Fill({{Item("destinationEdit"), "none"}, {Item("revisionEdit"), "no_such_tag"}, {Item("dateEdit"), ""}}));
  RunFromPlainFolder(Command::Checkout);
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[1].Lines,
            (std::vector<std::string>{"Checkout", "cvs checked out no file."}));
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, RootFromTheDialogWinsOverAMissingEnvironment) {
  env.Unset("CVSROOT");
  std::string root = sandbox.Repository();
  host.script.Dialog.push_back(Fill({{Item("moduleEdit"), "proj"}, {Item("rootEdit"), root}}));
  RunFromPlainFolder(Command::Checkout);
  EXPECT_EQ(LastCvsCall(), "[-d][" + root + "][checkout][proj]");
  EXPECT_EQ(ReadFile(target + "/proj/CVS/Root"), root + "\n");
  ExpectNoTempFiles();
}

TEST_F(CheckoutTest, EmptyModuleIsRefusedAndOverlongValuesAreCut) {
  host.script.Dialog.push_back(standin::Press(Item("ok")));
  host.script.Dialog.push_back([](FarDialogItem *items, int) {
    EXPECT_STREQ(items[Item("frame")].Data, "Checkout");
    Type(items[Item("moduleEdit")], "M" + std::string(199, 'm'));
    Type(items[Item("revisionEdit")], "R" + std::string(39, 'v'));
    Type(items[Item("rootEdit")], std::string(300, 'r'));
    Type(items[Item("destinationEdit")], "D" + std::string(199, 'd'));
    Type(items[Item("dateEdit")], "2004-" + std::string(40, '1'));
    return int(Item("ok"));
  });
  RunFromPlainFolder(Command::Checkout);
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
  RunFromPlainFolder(Command::Export);
  host.script.Dialog.push_back(standin::Press(Item("cancel")));
  RunFromPlainFolder(Command::Checkout);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
