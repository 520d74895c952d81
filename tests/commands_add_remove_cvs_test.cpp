// Add and Remove from the plug-ins menu, with the real cvs.
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

// The Add dialog's items, by the names its declaration gives them.
int Item(const char *name) { return ItemOf(AddDialog(), name); }

class AddRemoveTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.txt", "a\n"}, {"b.txt", "b\n"}, {"c.txt", "c\n"}, {"sub/d.txt", "d\n"}});
  }
  std::string Entries(const std::string &dir = "") {
    return ReadFile(wc + (dir.empty() ? "" : "/" + dir) + "/CVS/Entries");
  }
  std::string EntryOf(const std::string &name, const std::string &dir = "") {
    std::string entries = Entries(dir);
    size_t at = entries.find("/" + name + "/");
    return at == std::string::npos ? "" : entries.substr(at, entries.find('\n', at) - at);
  }
};

TEST_F(AddRemoveTest, AddBinaryAndThenTextFilesWithTheCheckBoxRemembered) {
  WriteFile(wc + "/x.bin", std::string("\x00\x01\x02", 3));
  WriteFile(wc + "/y.bin", std::string("\xff\xfe", 2));
  WriteFile(wc + "/z.txt", "zed\n");
  EnterFolder(wc);
  Select({"x.bin", "y.bin"});
  host.script.Dialog.push_back(
      standin::Edit([](FarDialogItem *items) { items[Item("binary")].Selected = 1; }, Item("ok")));
  Run(Command::Add);

  ASSERT_EQ(CommandDialogs().size(), 1u);
  EXPECT_EQ(CommandDialogs()[0].X2, 31);
  EXPECT_EQ(CommandDialogs()[0].Y2, 7);
  EXPECT_STREQ(CommandDialogs()[0].ItemsIn[Item("binary")].Data, "Binary (-kb)");
  EXPECT_EQ(CommandDialogs()[0].ItemsIn[Item("binary")].Selected, 0);
  EXPECT_EQ(LastCvsCall(), "[add][-kb][x.bin][y.bin]");
  EXPECT_TRUE(host.Messages.empty());  // the dialog was the confirmation
  EXPECT_EQ(EntryOf("x.bin").find("/x.bin/0/"), 0u) << Entries();
  EXPECT_NE(EntryOf("x.bin").find("/-kb/"), std::string::npos) << Entries();
  EXPECT_NE(EntryOf("y.bin").find("/-kb/"), std::string::npos) << Entries();
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("x.bin"), std::string::npos);

  for (standin::PanelRow &row : host.ActivePanel().Rows) row.Selected = false;
  Select({"z.txt"});
  host.script.Dialog.push_back([](FarDialogItem *items, int) {
    EXPECT_EQ(items[Item("binary")].Selected, 1);
    items[Item("binary")].Selected = 0;
    return int(Item("ok"));
  });
  Run(Command::Add);
  EXPECT_EQ(LastCvsCall(), "[add][z.txt]");
  EXPECT_EQ(EntryOf("z.txt").find("/z.txt/0/"), 0u) << Entries();
  EXPECT_EQ(EntryOf("z.txt").find("-kb"), std::string::npos) << Entries();

  sandbox.MustCvs("-Q commit -m added", wc);
  std::string status;
  sandbox.Cvs("status x.bin", wc, &status);
  EXPECT_NE(status.find("Sticky Options:\t-kb"), std::string::npos) << status;
  ExpectNoTempFiles();
}

TEST_F(AddRemoveTest, AddOnTheWholeFolderAddsWhatCvsDoesNotKnowHere) {
  WriteFile(wc + "/new.txt", "new\n");
  WriteFile(wc + "/my notes.txt", "blank in the name\n");
  MakeDirs(wc + "/newdir");
  WriteFile(wc + "/newdir/inner.txt", "inner\n");
  WriteFile(wc + "/built.o", "ignored by cvs\n");
  WriteFile(wc + "/sub/deep.txt", "not in this folder\n");
  EnterFolder(wc);
  PutCursorOn("a.txt");
  host.script.Dialog.push_back(standin::Press(Item("ok")));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Add);

  // Adding a folder makes it in the repository at once: every name is
  // shown before anything is added.
  ASSERT_EQ(host.Messages.size(), 1u);
  std::vector<std::string> lines = host.Messages[0].Lines;
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  EXPECT_EQ(lines,
            (std::vector<std::string>{"Add 3 item(s)", "my notes.txt", "new.txt", "newdir"}));
  std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], "[-n][-q][update][-l][.]");
  EXPECT_EQ(calls[1], "[add][my notes.txt][new.txt][newdir]");
  EXPECT_EQ(EntryOf("new.txt").find("/new.txt/0/"), 0u) << Entries();
  EXPECT_EQ(EntryOf("my notes.txt").find("/my notes.txt/0/"), 0u) << Entries();
  EXPECT_NE(Entries().find("D/newdir////"), std::string::npos) << Entries();
  EXPECT_TRUE(Exists(wc + "/newdir/CVS/Entries"));
  EXPECT_EQ(EntryOf("built.o"), "");
  EXPECT_EQ(EntryOf("deep.txt", "sub"), "");
  ExpectNoTempFiles();
}

TEST_F(AddRemoveTest, AddOnTheWholeFolderWithNothingNewTellsTheUser) {
  host.script.Dialog.push_back(standin::Press(Item("ok")));
  Run(Command::Add);
  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{"[-n][-q][update][-l][.]"}));
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[0], "Add");
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(AddRemoveTest, AddCancelledRunsNothing) {
  WriteFile(wc + "/new.txt", "new\n");
  EnterFolder(wc);
  Select({"new.txt"});
  host.script.Dialog.push_back(standin::Press(-1));
  Run(Command::Add);
  host.script.Dialog.push_back(standin::Press(Item("cancel")));
  Run(Command::Add);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_EQ(EntryOf("new.txt"), "");
  ExpectNoTempFiles();
}

TEST_F(AddRemoveTest, RemoveOfDeletedFilesIsConfirmedWithTheirNamesAndReachesTheRepository) {
  Select({"a.txt", "b.txt", "c.txt"});
  for (const char *name : {"a.txt", "b.txt", "c.txt"}) Shell("rm " + ShellQuote(wc + "/" + name));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Remove);
  EXPECT_TRUE(CvsCalls().empty());
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines,
            (std::vector<std::string>{host.Messages[0].Lines[0], "a.txt", "b.txt", "c.txt"}));
  EXPECT_NE(host.Messages[0].Lines[0].find("Remove"), std::string::npos);
  EXPECT_NE(host.Messages[0].Lines[0].find('3'), std::string::npos);

  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Remove);
  EXPECT_EQ(LastCvsCall(), "[remove][a.txt][b.txt][c.txt]");
  EXPECT_EQ(EntryOf("a.txt").find("/a.txt/-1.1.1.1/"), 0u) << Entries();
  EXPECT_EQ(EntryOf("c.txt").find("/c.txt/-1.1.1.1/"), 0u) << Entries();
  sandbox.MustCvs("-Q commit -m gone", wc);
  EXPECT_TRUE(Exists(sandbox.Repository() + "/proj/Attic/b.txt,v"));
  ExpectNoTempFiles();
}

TEST_F(AddRemoveTest, RemoveOnTheWholeFolderPassesNoNameAndAStillPresentFileIsRefused) {
  Shell("rm " + ShellQuote(wc + "/b.txt"));
  EnterFolder(wc);
  PutCursorOn("a.txt");
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Remove);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines.back(), ".");
  EXPECT_EQ(LastCvsCall(), "[remove]");
  EXPECT_EQ(EntryOf("b.txt").find("/b.txt/-1.1.1.1/"), 0u) << Entries();
  EXPECT_EQ(EntryOf("a.txt").find("/a.txt/1.1.1.1/"), 0u) << Entries();

  // A file still on disk is cvs's to refuse; the refusal is shown.
  Select({"a.txt"});
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Remove);
  EXPECT_EQ(LastCvsCall(), "[remove][a.txt]");
  EXPECT_TRUE(Exists(wc + "/a.txt"));
  EXPECT_EQ(EntryOf("a.txt").find("/a.txt/1.1.1.1/"), 0u) << Entries();
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_NE(host.Editors[1].Content.find("still in working directory"), std::string::npos)
      << host.Editors[1].Content;
  ExpectNoTempFiles();
}

// "cvs remove -f" would delete the working files; a file named "-f" must
// reach cvs as a name.
TEST_F(AddRemoveTest, ANameThatLooksLikeAnOptionStaysAName) {
  WriteFile(wc + "/-f", "dash\n");
  sandbox.MustCvs("-Q add -- -f", wc);
  sandbox.MustCvs("-Q commit -m dash -- -f", wc);
  EnterFolder(wc);
  Select({"-f", "a.txt"});
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(1));
  Run(Command::Remove);
  EXPECT_EQ(LastCvsCall(), "[remove][--][-f][a.txt]");
  EXPECT_TRUE(Exists(wc + "/a.txt"));
  EXPECT_TRUE(Exists(wc + "/-f"));
  EXPECT_EQ(EntryOf("a.txt").find("/a.txt/1.1.1.1/"), 0u) << Entries();
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
