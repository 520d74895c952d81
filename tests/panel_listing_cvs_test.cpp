// The panel's rows for a real working copy, read through the module's entry
// points: the state cvs reports for each file, "Unknown" for the others,
// nothing for folders.
#include <string.h>

#include <algorithm>

#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

const DWORD kPlain = FILE_ATTRIBUTE_NORMAL;

struct Row {
  const char *Name;
  char Letter;
  const char *Description;
  const char *WorkRev, *RepRev;
  DWORD Attributes;
  const char *Option = "<null>";
  DWORD_PTR NoFile = 0;  // the bit of a row whose file is not on the disk
};

}  // namespace

TEST_F(PanelCvsTest, EveryFileShowsItsState) {
  MakeStates();
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 1);
  std::map<std::string, const PluginPanelItem *> items = Items();

  const Row rows[] = {
      {"Makefile", ' ', "Up-to-date", "1.1.1.1", "1.1.1.1", kPlain},
      {"up-to-date.c", ' ', "Up-to-date", "1.1.1.1", "1.1.1.1", kPlain},
      {"modified.c", 'M', "Modified", "1.1.1.1", "1.1.1.1", kPlain | FILE_ATTRIBUTE_COMPRESSED},
      {"added.c", 'A', "Added", "New", "No", kPlain | FILE_ATTRIBUTE_COMPRESSED},
      {"needs-patch.c", 'U', "Needs Patch", "1.1.1.1", "1.2", kPlain | 0x40},
      {"needs-merge.c", 'N', "Needs Merge", "1.1.1.1", "1.2", kPlain},
      {"conflict.c", 'c', "Unresolved Conflict", "1.2", "1.2", kPlain},
      {"conflict-edited.c", 'C', "Conflicts", "1.2", "1.2", kPlain},
      {"tagged.c", ' ', "Up-to-date STag: rel-1", "1.1.1.1", "1.1.1.1", kPlain},
      {"binary.dat", ' ', "Up-to-date SOpt: -kb", "1.1", "1.1", kPlain, "-kb"},
      {"two words.c", ' ', "Up-to-date", "1.1.1.1", "1.1.1.1", kPlain},
      // Removed and not yet committed: CVS/Entries names it, the disk lacks it.
      {"removed.c", 'L', "Locally Removed", "-1.1.1.1", "1.1.1.1",
       FILE_ATTRIBUTE_OFFLINE, "<null>", 0x100},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.Name);
    ASSERT_EQ(items.count(row.Name), 1u);
    const PluginPanelItem &item = *items[row.Name];
    ASSERT_NE(item.Description, nullptr);
    EXPECT_STREQ(item.Description, row.Description);
    ASSERT_EQ(item.CustomColumnNumber, 4);
    EXPECT_EQ(Column(item, 0), std::string(1, row.Letter));
    EXPECT_EQ(Column(item, 1), row.WorkRev);
    EXPECT_EQ(Column(item, 2), row.RepRev);
    // This client prints no expansion option: the sticky one stands for it.
    EXPECT_EQ(Column(item, 3), row.Option);
    EXPECT_EQ(item.UserData,
              static_cast<DWORD_PTR>(static_cast<unsigned char>(row.Letter)) | row.NoFile);
    EXPECT_EQ(item.FindData.dwFileAttributes, row.Attributes);
    EXPECT_EQ(std::string(item.FindData.cFileName), wc + "/" + row.Name);
  }

  // A file cvs does not know.
  ASSERT_EQ(items.count("unknown.txt"), 1u);
  const PluginPanelItem &unknown = *items["unknown.txt"];
  EXPECT_STREQ(unknown.Description, "Unknown");
  ASSERT_EQ(unknown.CustomColumnNumber, 1);
  EXPECT_EQ(Column(unknown, 0), "?");
  EXPECT_EQ(unknown.UserData, 63u);
  EXPECT_EQ(unknown.FindData.dwFileAttributes, kPlain);

  // Folders, in the repository or not, carry nothing; "CVS" is not listed,
  // "cvs" in small letters is.
  for (const char *name : {"sub", "notes", "cvs"}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(items.count(name), 1u);
    const PluginPanelItem &folder = *items[name];
    EXPECT_EQ(folder.Description, nullptr);
    EXPECT_EQ(folder.CustomColumnData, nullptr);
    EXPECT_EQ(folder.CustomColumnNumber, 0);
    EXPECT_EQ(folder.UserData, 0u);
    EXPECT_TRUE(folder.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  EXPECT_EQ(items.count("CVS"), 0u);

  // Exactly the entries of the folder and the removed file, in byte order
  // of their names.
  std::vector<std::string> onDisk = ListDir(wc);
  onDisk.erase(std::remove(onDisk.begin(), onDisk.end(), "CVS"), onDisk.end());
  onDisk.push_back("removed.c");
  std::vector<std::string> listed;
  for (int i = 0; i < host.PluginItemsNumber; ++i)
    listed.push_back(strrchr(host.PluginItems[i].FindData.cFileName, '/') + 1);
  std::vector<std::string> byteOrder = onDisk;
  std::sort(byteOrder.begin(), byteOrder.end(), [](const std::string &a, const std::string &b) {
    return memcmp(a.c_str(), b.c_str(), std::min(a.size(), b.size()) + 1) < 0;
  });
  EXPECT_EQ(listed, byteOrder);
  EXPECT_LT(std::find(listed.begin(), listed.end(), "Makefile"),
            std::find(listed.begin(), listed.end(), "added.c"));

  // The run was `cvs -q status -l` in the working copy.
  std::vector<std::string> calls = CvsCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], wc + ":[-q][status][-l]");
}

TEST_F(PanelCvsTest, EachRefreshAsksCvsAgain) {
  MakeStates();
  OpenPanel(wc);
  ASSERT_STREQ(Items()["up-to-date.c"]->Description, "Up-to-date");
  WriteFile(wc + "/up-to-date.c", "changed since the last look\n");
  host.RefreshPluginPanel();
  EXPECT_EQ(CvsRuns(), 2);
  EXPECT_STREQ(Items()["up-to-date.c"]->Description, "Modified");
}

TEST_F(PanelCvsTest, OutsideAWorkingCopyNoCvsRuns) {
  TempDir plain;
  WriteFile(plain / "a.c", "a\n");
  WriteFile(plain / "Makefile", "all:\n");
  MakeDirs(plain / "folder");
  OpenPanel(plain.Path());
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_TRUE(CvsCalls().empty());
  std::map<std::string, const PluginPanelItem *> items = Items();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_STREQ(host.PluginItems[0].FindData.cFileName, (plain / "Makefile").c_str());
  EXPECT_STREQ(items["a.c"]->Description, "Unknown");
  EXPECT_STREQ(items["Makefile"]->Description, "Unknown");
  EXPECT_EQ(items["folder"]->Description, nullptr);
  EXPECT_EQ(items["folder"]->UserData, 0u);
}

// A file cvs keeps but gave no state for says so with a letter of its own:
// a blank letter would read as up to date.
void ExpectNoState(const PluginPanelItem &item) {
  EXPECT_STREQ(item.Description, "Not read");
  ASSERT_EQ(item.CustomColumnNumber, 1);
  EXPECT_STREQ(item.CustomColumnData[0], "!");
  EXPECT_EQ(item.UserData, static_cast<DWORD_PTR>('!'));
}

TEST_F(PanelCvsTest, FailingCvsIsToldWithItsCodeAndNoFileGetsAStateItDidNotReport) {
  MakeStates();
  // The working copy's repository is gone.
  Shell("mv " + ShellQuote(sandbox.Repository()) + " " + ShellQuote(sandbox.Root() + "/moved"));
  host.script.Message.push_back(standin::Answer(0));  // show the output
  OpenPanel(wc);
  ASSERT_EQ(host.Messages.size(), 1u);
  const std::vector<std::string> &box = host.Messages[0].Lines;
  EXPECT_EQ(box[1], "CVS ended with exit code 1");
  // Every line of cvs that says why, not only its last: the root it
  // ignored comes before the one it could not find.
  const std::string ignored = "cvs status: ignoring CVS/Root because it specifies a "
                              "non-existent repository " + sandbox.Repository();
  std::string boxText;
  for (const std::string &line : box) boxText += line + " ";
  const std::string aborted =
      "cvs [status aborted]: " + sandbox.Repository() + "/CVSROOT: No such file or directory";
  EXPECT_NE(boxText.find("cvs status: ignoring CVS/Root because"), std::string::npos) << boxText;
  EXPECT_NE(boxText.find(sandbox.Repository() + "/CVSROOT: No such file"), std::string::npos)
      << boxText;
  ASSERT_EQ(host.Editors.size(), 1u);
  ExpectNoState(*Items()["modified.c"]);
  ExpectNoState(*Items()["up-to-date.c"]);
  // Neither the report nor CVS/Entries knows this one.
  EXPECT_STREQ(Items()["unknown.txt"]->Description, "Unknown");
  // The info panel says why with the same lines, each whole over as many
  // of its lines as it takes.
  const OpenPluginInfo &described = host.ActivePanel().Described;
  ASSERT_GT(described.InfoLinesNumber, 6);
  EXPECT_STREQ(described.InfoLines[3].Text, "States not read");
  EXPECT_STREQ(described.InfoLines[3].Data, "cvs status: in directory .:");
  std::string spread;
  for (int line = 4; line < described.InfoLinesNumber; ++line) {
    EXPECT_STREQ(described.InfoLines[line].Text, "");
    spread += described.InfoLines[line].Data;
  }
  EXPECT_EQ(spread, ignored + aborted);
}

TEST_F(PanelCvsTest, ACvsRunThatFailsHalfwayKeepsTheStatesItReported) {
  // A damaged repository file: cvs reports the files before it, then
  // aborts.  Those keep their states; the files after it get none.
  MakeStates();
  WriteFile(sandbox.Repository() + "/proj/tagged.c,v", "garbage\n");
  host.script.Message.push_back(standin::Answer(0));
  OpenPanel(wc);
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("tagged.c,v"), std::string::npos);
  EXPECT_STREQ(Items()["modified.c"]->Description, "Modified");
  EXPECT_EQ(Items()["modified.c"]->FindData.dwFileAttributes, kPlain | FILE_ATTRIBUTE_COMPRESSED);
  ExpectNoState(*Items()["tagged.c"]);
  ExpectNoState(*Items()["up-to-date.c"]);
}

TEST_F(PanelCvsTest, ABrokenOffRunOpensNothingAndKeepsOnlyClosedRecords) {
  // cvs has written its report but has not ended when the user breaks it
  // off.  The last record, which no separator closed, could be cut short.
  MakeStates();
  WriteFile(tools / "cvs", "#!/bin/sh\n/usr/bin/cvs \"$@\"\nexec sleep 60\n");
  host.script.RunBreakAfterMs = 3000;
  OpenPanel(wc);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
  EXPECT_STREQ(Items()["two words.c"]->Description, "Up-to-date");
  ExpectNoState(*Items()["up-to-date.c"]);  // the last record of the report
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[3].Data, "the run was broken off");
}

TEST_F(PanelCvsTest, NamesGoThroughTheHostsCharacterTable) {
  sandbox.Import("proj", {{"Qfile.c", "one\n"}, {"qfile.c", "one\n"}});
  wc = sandbox.Checkout("proj", "wc");
  WriteFile(wc + "/Qfile.c", "modified\n");
  // Without a table names are taken as read.
  OpenPanel(wc);
  EXPECT_STREQ(Items()["Qfile.c"]->Description, "Modified");
  EXPECT_STREQ(Items()["qfile.c"]->Description, "Up-to-date");
  // A table that decodes 'Q' to 'q': both records now name qfile.c, the
  // second one (qfile.c's own) last, and Qfile.c has no record.
  host.script.HasCharTable = true;
  for (int i = 0; i < 256; ++i)
    host.script.CharTable.DecodeTable[i] = static_cast<unsigned char>(i);
  host.script.CharTable.DecodeTable[static_cast<unsigned char>('Q')] = 'q';
  host.RefreshPluginPanel();
  EXPECT_STREQ(Items()["Qfile.c"]->Description, "Unknown");
  EXPECT_STREQ(Items()["qfile.c"]->Description, "Up-to-date");
}

TEST_F(PanelCvsTest, FileWithAVeryLongNameGetsItsStateAndSoDoesItsShorterTwin) {
  // The client reports the 200-character name in full, and the record
  // holds it whole: the file gets its own state, and the file whose name
  // is the first 127 characters of it keeps its own.
  const std::string longName = std::string(196, 'n') + ".txt";
  const std::string cutTwin = longName.substr(0, 127);
  sandbox.Import("proj", {{longName, "one\n"}, {cutTwin, "one\n"}});
  wc = sandbox.Checkout("proj", "wc");
  WriteFile(wc + "/" + longName, "changed\n");
  OpenPanel(wc);
  std::map<std::string, const PluginPanelItem *> items = Items();
  ASSERT_EQ(items.count(longName), 1u);
  EXPECT_STREQ(items[longName]->Description, "Modified");
  EXPECT_STREQ(items[cutTwin]->Description, "Up-to-date");
}

TEST_F(PanelCvsTest, AFolderWhosePathIsTooLongToListIsToldSoAndRunsNoCvs) {
  const std::string outer = std::string(120, 'd'), inner = outer + "/" + std::string(120, 'e');
  sandbox.Import("proj", {{inner + "/a.c", "one\n"}});
  wc = sandbox.Checkout("proj", "wc");
  OpenPanel(wc + "/" + outer);
  host.EnterRow(wc + "/" + inner);
  EXPECT_EQ(CvsRuns(), 1);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1],
            "The path of this folder is too long for its files to be listed:");
}
