// Names read from cvs output stay names of the folder: a name is used only
// when it names an entry inside the folder, exactly; and Add on a folder of
// more new files than one command line holds adds them all.
#include <sys/resource.h>
#include <unistd.h>

#include "commands/commands.hpp"
#include "commands_fixture.hpp"

using namespace testsupport;

namespace {



class OutputNames : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"important.c", "tracked\n"}, {"a.c", "a\n"}});
  }
};

TEST_F(OutputNames, AnUnknownNameEndingInACarriageReturnMarksOnlyItself) {
  WriteFile(wc + "/important.c\r", "unknown\n");
  EnterFolder(wc);
  Run(Command::MarkUnknown);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"important.c\r"}));
}

TEST_F(OutputNames, NamesOutsideTheFolderOrAlreadyTrackedAreNeitherAddedNorMarked) {
  WriteFile(wc + "/new.c", "new\n");
  WriteFile(sandbox.Root() + "/x", "outside\n");
  // A cvs that answers the dry run with names no client of this folder
  // would print, and records the rest.
  WriteFile(tools / "cvs",
            "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\" >> " + ShellQuote(wrapperLog) +
                "; done\necho >> " + ShellQuote(wrapperLog) +
                "\n[ \"$1\" = -n ] && printf '? ../x\\n? /etc/passwd\\n? a.c\\n? .\\n? new.c\\n"
                "M ../x\\n'\nexit 0\n");
  EnterFolder(wc);
  Run(Command::MarkUnknown);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"new.c"}));

  host.script.Dialog.push_back(standin::Press(ItemOf(AddDialog(), "ok")));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Add);
  EXPECT_EQ(LastCvsCall(), "[add][new.c]");
  ExpectNoTempFiles();
}

TEST_F(OutputNames, AddOnAFolderOfMoreNamesThanOneCommandLineHoldsRunsInBatches) {
  // A stack limit of 1 MiB leaves 256 KiB for the arguments of a program.
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_STACK, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 1 << 20;
  ASSERT_EQ(setrlimit(RLIMIT_STACK, &small), 0);
  const long limit = sysconf(_SC_ARG_MAX);
  std::vector<std::string> names;
  for (int i = 0; i < 1200; ++i) {
    char prefix[16];
    snprintf(prefix, sizeof prefix, "f%04d-", i);
    names.push_back(prefix + std::string(240, 'n'));
    WriteFile(wc + "/" + names.back(), "new\n");
  }
  ASSERT_GT(names.size() * (names[0].size() + 1), static_cast<size_t>(limit))
      << "the names fit one command line; the test proves nothing";
  EnterFolder(wc);
  host.script.Dialog.push_back(standin::Press(ItemOf(AddDialog(), "ok")));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Add);
  setrlimit(RLIMIT_STACK, &saved);

  std::vector<std::string> calls = CvsCalls();
  ASSERT_GE(calls.size(), 3u);  // the query, then two batches at least
  std::string added;
  for (size_t i = 1; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].compare(0, 5, "[add]"), 0);
    added += calls[i].substr(5);
  }
  std::string expected;
  for (const std::string &name : names) expected += "[" + name + "]";
  EXPECT_EQ(added, expected);
  const std::string entries = ReadFile(wc + "/CVS/Entries");
  for (const std::string &name : {names.front(), names.back()})
    EXPECT_NE(entries.find("/" + name + "/0/"), std::string::npos) << name;
  // One outcome: the output of every batch in one editor.
  ASSERT_EQ(host.Editors.size(), 1u);
  ExpectNoTempFiles();
}

TEST(AddBatches, EveryBatchFitsItsRoomAndKeepsTheOrder) {
  const CvsArgs head = {"cvs", "add", "-kb"};
  auto cost = [](const std::string &word) { return word.size() + 1; };
  const Selection names = {"aaaa", "bbbb", "-cc", std::string(50, 'l'), "dd"};
  // Fixed: "cvs" 4, "add" 4, "-kb" 4, "--" 3 and the end 1: 16.
  EXPECT_EQ(SplitIntoBatches(head, names, 30, cost),
            (std::vector<Selection>{{"aaaa", "bbbb", "-cc"}, {std::string(50, 'l')}, {"dd"}}));
  EXPECT_EQ(SplitIntoBatches(head, names, 1000, cost), (std::vector<Selection>{names}));
  EXPECT_TRUE(SplitIntoBatches(head, {}, 30, cost).empty());
}

}  // namespace
