// Names that a hostile working copy can hold, read back from the real cvs:
// a line of its output is read whole, however long, so that a long name can
// never pass part of itself off as another file's line, and every name is
// taken whole, blanks, tabs and leading blanks included.
#include <string.h>

#include "commands_fixture.hpp"
#include "panel_fixture.hpp"

namespace testsupport {
namespace {

// A folder name long enough to push the names inside it deep into a line.
const std::string kLongFolder = "f" + std::string(199, 'o');

// The name that makes `forged` start exactly at `offset` of a line whose
// text before the name is `before` characters long.
std::string NameAt(size_t before, size_t offset, const std::string &forged) {
  EXPECT_LT(before, offset);
  return std::string(offset - before, 'z') + forged;
}

// ---- the status panel ----

class HostileStatusTest : public PanelCvsTest {};

TEST_F(HostileStatusTest, ALongNameWithATabForgesNoOtherFilesState) {
  // The repository line of a file in this folder is
  //   "   Repository revision:<tab>1.1.1.1<tab><repository>/proj/<folder>/<name>,v".
  // A reader that cuts lines after 311 characters takes what follows as a
  // line of its own: here the file line of an up-to-date victim.c, forged
  // to look modified.
  const std::string folderInRepository = sandbox.Repository() + "/proj/" + kLongFolder + "/";
  const size_t before = strlen("   Repository revision:\t1.1.1.1\t") + folderInRepository.size();
  const std::string hostile = NameAt(before, 311, "File: victim.c\tStatus: Modified");
  ASSERT_LT(hostile.size(), 256u);
  sandbox.Import("proj", {{kLongFolder + "/victim.c", "victim\n"},
                          {kLongFolder + "/" + hostile, "hostile\n"},
                          {kLongFolder + "/changed.c", "changed\n"}});
  // A short working copy of the long folder keeps the panel's paths short.
  sandbox.MustCvs("-Q checkout -d w " + ShellQuote("proj/" + kLongFolder), sandbox.Root());
  const std::string w = sandbox.Root() + "/w";
  WriteFile(w + "/changed.c", "changed here\n");
  std::string report;
  sandbox.Cvs("-q status -l", w, &report);
  ASSERT_NE(report.find("/" + hostile + ",v"), std::string::npos) << report;

  OpenPanel(w);
  std::map<std::string, const PluginPanelItem *> items = Items();
  ASSERT_EQ(items.count("victim.c"), 1u);
  EXPECT_STREQ(items["victim.c"]->Description, "Up-to-date");
  EXPECT_EQ(Column(*items["victim.c"], 0), " ");
  EXPECT_EQ(items["victim.c"]->FindData.dwFileAttributes & FILE_ATTRIBUTE_COMPRESSED, 0u);
  // The hostile file keeps its own state, named whole with its tab.
  ASSERT_EQ(items.count(hostile), 1u);
  EXPECT_STREQ(items[hostile]->Description, "Up-to-date");
  EXPECT_STREQ(items["changed.c"]->Description, "Modified");
}

TEST_F(HostileStatusTest, LongNamesAndNamesWithLeadingBlanksGetTheirStates) {
  // Names of 128 characters and more, up to what a full path in the panel
  // can hold, and names that begin or end with blanks.
  const std::string longName = std::string(200, 'n') + ".c";
  const std::string middling = std::string(128, 'm');
  sandbox.Import("proj", {{longName, "long\n"},
                          {middling, "middling\n"},
                          {" lead.c", "lead\n"},
                          {"lead.c", "plain\n"},
                          {"a b.c", "blank\n"},
                          {"a", "a\n"}});
  wc = sandbox.Checkout("proj", "wc");
  WriteFile(wc + "/" + longName, "changed\n");
  WriteFile(wc + "/ lead.c", "changed\n");
  WriteFile(wc + "/a b.c", "changed\n");
  ASSERT_LT((wc + "/" + longName).size(), 260u);

  OpenPanel(wc);
  std::map<std::string, const PluginPanelItem *> items = Items();
  const struct {
    std::string Name;
    const char *Description;
  } expected[] = {{longName, "Modified"},   {middling, "Up-to-date"}, {" lead.c", "Modified"},
                  {"lead.c", "Up-to-date"}, {"a b.c", "Modified"},    {"a", "Up-to-date"}};
  for (const auto &row : expected) {
    SCOPED_TRACE(row.Name);
    ASSERT_EQ(items.count(row.Name), 1u);
    EXPECT_STREQ(items[row.Name]->Description, row.Description);
  }
}

// ---- the dry-run update: Mark and the commit template ----

class HostileUpdateTest : public CommandTest {
 protected:
  // A working copy with victim.c up to date and, deep in a long folder, a
  // file cvs does not know whose name ends in "M victim.c", placed so that
  // a reader that cuts lines after 299 characters sees "M victim.c" as a
  // line of its own.
  void MakeHostileCopy() {
    MakeWorkingCopy({{"victim.c", "v\n"},
                     {"real.c", "r\n"},
                     {"a b.c", "ab\n"},
                     {"a", "a\n"},
                     {" lead.c", "lead\n"},
                     {"lead.c", "plain\n"},
                     {"new", "known\n"},
                     {kLongFolder + "/inside.c", "i\n"}});
    hostile = NameAt(strlen("? ") + kLongFolder.size() + 1, 299, "M victim.c");
    WriteFile(wc + "/" + kLongFolder + "/" + hostile, "unknown to cvs\n");
    WriteFile(wc + "/real.c", "changed\n");
    WriteFile(wc + "/a b.c", "changed\n");
    WriteFile(wc + "/ lead.c", "changed\n");
    WriteFile(wc + "/new file", "not in cvs\n");
    std::string output;
    sandbox.Cvs("-n -q update .", wc, &output);
    ASSERT_NE(output.find("? " + kLongFolder + "/" + hostile + "\n"), std::string::npos) << output;
    EnterFolder(wc);
  }
  std::string hostile;
};

TEST_F(HostileUpdateTest, MarkModifiedTakesWholeNamesAndNoForgedOnes) {
  MakeHostileCopy();
  Run(Command::MarkModified);
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{" lead.c", "a b.c", "real.c"}));
  ExpectNoTempFiles();
}

TEST_F(HostileUpdateTest, MarkNotInRepositoryTakesNamesWithBlanksWhole) {
  MakeHostileCopy();
  Run(Command::MarkUnknown);
  // "new file", not the known file "new".
  EXPECT_EQ(SelectedRows(), (std::vector<std::string>{"new file"}));
}

TEST_F(HostileUpdateTest, TheCommitTemplateListsOnlyWhatCvsReportsModified) {
  MakeHostileCopy();
  host.script.Editor.push_back(standin::LeaveEditor());
  Run(Command::Commit);
  ASSERT_EQ(host.Editors.size(), 1u);
  const std::string dash = "CVS: " + std::string(70, '-') + "\n";
  const std::string content = host.Editors[0].Content.substr(1);  // after the user's line
  EXPECT_EQ(content.substr(0, content.find(dash, 1)),
            dash + "CVS: Modified and Added Files:\n" + "CVS:      lead.c\nCVS:     a b.c\nCVS:     real.c\n");
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
