// Names read from cvs output stay names of the folder: a name is used only
// when it names an entry inside the folder, exactly.
#include "commands_fixture.hpp"

using namespace testsupport;

namespace {

enum { kAddOk = 1, kMarkUnknown = 3 };

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
  Run(kMark, kMarkUnknown);
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
  Run(kMark, kMarkUnknown);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"new.c"}));

  host.script.Dialog.push_back(standin::Press(kAddOk));
  host.script.Message.push_back(standin::Answer(0));
  Run(kAdd);
  EXPECT_EQ(LastCvsCall(), "[add][new.c]");
  ExpectNoTempFiles();
}

}  // namespace
