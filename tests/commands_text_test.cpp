// The pure text rules of the commands: names made relative to the panel's
// folder, lines of the dry-run update, and the commit message template.
#include <gtest/gtest.h>

#include <random>

#include "commands/commands.hpp"
#include "commands/path_match.hpp"
#include "entry/dispatch.hpp"
#include "test_support.hpp"

namespace {

TEST(RelativeToPanel, CutsTheFolderAndOneSeparatorIgnoringLetterCase) {
  EXPECT_EQ(RelativeToPanel("C:\\work\\proj\\a.c", "C:\\work\\proj"), "a.c");
  EXPECT_EQ(RelativeToPanel("c:\\WORK\\Proj/sub\\b.c", "C:\\work\\proj"), "sub\\b.c");
  EXPECT_EQ(RelativeToPanel("/home/u/Proj/a.c", "/home/u/proj"), "a.c");
  EXPECT_EQ(RelativeToPanel("C:\\a.c", "C:\\"), "a.c");  // a root keeps its own separator
  EXPECT_EQ(RelativeToPanel("/a.c", "/"), "a.c");
  EXPECT_EQ(RelativeToPanel("a.c", "C:\\work\\proj"), "a.c");
  EXPECT_EQ(RelativeToPanel("", "C:\\work\\proj"), "");
}

TEST(RelativeToPanel, LeavesNamesOfOtherFoldersThatMerelyStartAlike) {
  // A sibling folder whose name begins with the panel's folder name.
  EXPECT_EQ(RelativeToPanel("C:\\work\\project2\\a.c", "C:\\work\\proj"),
            "C:\\work\\project2\\a.c");
  EXPECT_EQ(RelativeToPanel("/work/proj.old/a.c", "/work/proj"), "/work/proj.old/a.c");
  // The folder itself, as a name, is no name inside it.
  EXPECT_EQ(RelativeToPanel("/work/proj", "/work/proj"), "/work/proj");
  EXPECT_EQ(RelativeToPanel("any", ""), "any");
}

TEST(ScanStateLine, WholeTreeNeedsABlankAfterTheLetterAndKeepsThePath) {
  std::string name;
  EXPECT_TRUE(ScanStateLine("M src/io/file.c\n", "MA", false, name));
  EXPECT_EQ(name, "src/io/file.c");
  // cvs writes the letter, one blank and the name: what follows that blank
  // is the name, blanks and tabs of its own included.
  EXPECT_TRUE(ScanStateLine("  A \t b.c\n", "MA", false, name));
  EXPECT_EQ(name, "\t b.c");
  // Only the Windows client ends its lines with CR LF; elsewhere a CR is
  // part of the name.
  EXPECT_TRUE(ScanStateLine("M  lead.c\r\n", "MA", false, name));
  EXPECT_EQ(name, " lead.c\r");
  EXPECT_TRUE(ScanStateLine("P patched.c\n", "UP", false, name));
  EXPECT_EQ(name, "patched.c");
  EXPECT_FALSE(ScanStateLine("Mfoo\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("Merging differences between 1.1 and 1.2\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("m lower.c\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("C conflict.c\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("   \t \n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("M \n", "MA", false, name));
  // A name with a blank is taken to the end of the line, however long.
  EXPECT_TRUE(ScanStateLine("M my file.c\n", "M", false, name));
  EXPECT_EQ(name, "my file.c");
  const std::string deep = std::string(400, 'd') + "/a b.c";
  EXPECT_TRUE(ScanStateLine(("A " + deep + "\n").c_str(), "MA", false, name));
  EXPECT_EQ(name, deep);
}

TEST(ScanStateLine, ThisFolderOnlyTakesTheNameToTheLineEndOrASlash) {
  std::string name;
  EXPECT_TRUE(ScanStateLine("? new.txt\n", "?", true, name));
  EXPECT_EQ(name, "new.txt");
  EXPECT_TRUE(ScanStateLine("?foo\n", "?", true, name));
  EXPECT_EQ(name, "foo");
  EXPECT_TRUE(ScanStateLine("? dir/inner.txt\n", "?", true, name));
  EXPECT_EQ(name, "dir");
  EXPECT_TRUE(ScanStateLine("? new file\n", "?", true, name));
  EXPECT_EQ(name, "new file");
  EXPECT_TRUE(ScanStateLine("?  lead\n", "?", true, name));
  EXPECT_EQ(name, " lead");
  EXPECT_FALSE(ScanStateLine("? \n", "?", true, name));
  EXPECT_FALSE(ScanStateLine("? /x\n", "?", true, name));
  EXPECT_FALSE(ScanStateLine("cvs update: Updating .\n", "?", true, name));
  EXPECT_TRUE(ScanStateLine(("? " + std::string(400, 'x')).c_str(), "?", true, name));
  EXPECT_EQ(name, std::string(400, 'x'));
}

const std::string kDash = "CVS: " + std::string(70, '-') + "\n";
const std::string kBanner = "CVS: Orvelle CVS Plugin fo FAR Manager https://quillet.example/  \n";

TEST(CommitTemplate, LightTemplateIsTheDashLineAndTheBanner) {
  bool haveFiles = false;
  EXPECT_EQ(CommitTemplateText(false, {"."}, {"a.c"}, haveFiles), kDash + kBanner);
  EXPECT_TRUE(haveFiles);
  EXPECT_EQ(kDash.size(), 76u);
}

TEST(CommitTemplate, WholeFolderListsEveryPathInOrder) {
  bool haveFiles = false;
  EXPECT_EQ(CommitTemplateText(true, {"."}, {"src/main.c", "b.c"}, haveFiles),
            kDash + "CVS: Modified and Added Files:\nCVS:     src/main.c\nCVS:     b.c\n" + kDash + kBanner);
  EXPECT_TRUE(haveFiles);
  EXPECT_EQ(CommitTemplateText(true, {"."}, {}, haveFiles),
            kDash + "CVS: Modified and Added Files:\n" + kDash + kBanner);
  EXPECT_FALSE(haveFiles);
}

TEST(CommitTemplate, RemovedFilesFollowUnderTheirOwnHeadingAndCountAsSomethingToCommit) {
  bool haveFiles = false;
  EXPECT_EQ(CommitTemplateText(true, {"."}, {"b.c"}, haveFiles, {"gone.c", "old/x.c"}),
            kDash + "CVS: Modified and Added Files:\nCVS:     b.c\n" +
                "CVS: Removed Files:\nCVS:     gone.c\nCVS:     old/x.c\n" + kDash + kBanner);
  // Only a removal chosen: that is what the commit takes.
  EXPECT_EQ(CommitTemplateText(true, {"old"}, {"b.c"}, haveFiles, {"gone.c", "old/x.c"}),
            kDash + "CVS: Modified and Added Files:\n" + "CVS: Removed Files:\nCVS:     old/x.c\n" +
                kDash + kBanner);
  EXPECT_TRUE(haveFiles);
}

TEST(CommitMessage, TheTemplatesLinesAreLeftOutWhereverTheyStand) {
  const std::string written = kDash + "CVS: Modified and Added Files:\nCVS:     a.txt\n" + kDash;
  EXPECT_EQ(MessageWithoutTemplate("kept line\n" + written + "fix it"), "kept line\nfix it\n");
  // A line that only looks like one ("CVS :", an indented one) is the user's.
  EXPECT_EQ(MessageWithoutTemplate(" CVS: mine\nCVS : also\n" + written),
            " CVS: mine\nCVS : also\n");
  // Blank lines around the text are the template's room for it.
  EXPECT_EQ(MessageWithoutTemplate("\n\nfirst\n\nsecond\n" + written + "\n \n"),
            "first\n\nsecond\n");
  // Only the template, or blank lines besides it, is no message.
  EXPECT_EQ(MessageWithoutTemplate(written), "");
  EXPECT_EQ(MessageWithoutTemplate("\n  \n" + written + "\t\n"), "");
}

TEST(CommitTemplate, SelectionListsByPlainSubstringPerEntry) {
  bool haveFiles = false;
  std::vector<std::string> modified = {"src/main.c", "lib/srcutil.c", "bar/foo.c", "foo.cpp",
                                       "x.c"};
  EXPECT_EQ(CommitTemplateText(true, {"src", "foo.c"}, modified, haveFiles),
            kDash + "CVS: Modified and Added Files:\n" + "CVS:     src/main.c\nCVS:     lib/srcutil.c\n" +
                "CVS:     bar/foo.c\nCVS:     foo.cpp\n" + kDash + kBanner);
  EXPECT_TRUE(haveFiles);
  CommitTemplateText(true, {"gone.c"}, modified, haveFiles);
  EXPECT_FALSE(haveFiles);
  CommitTemplateText(true, {"Src"}, modified, haveFiles);
  EXPECT_FALSE(haveFiles);
}

}  // namespace

TEST(CommitTemplate, ListsForEachEntryEveryPathHoldingItInListOrder) {
  // Entries as a selection gives them: duplicates, an entry held by none,
  // entries inside others ("c" in "src"), and one that is a whole path.
  const std::vector<std::string> modified = {"src/a.c", "lib/srcutil.c", "b.c", "src/c/d.cpp",
                                             "a b.c"};
  const Selection selection = {"src", "c", "zzz", "b.c", "src", "a b.c", ".cpp"};
  bool haveFiles = false;
  std::string text = CommitTemplateText(true, selection, modified, haveFiles);
  EXPECT_TRUE(haveFiles);
  std::string listed;
  for (const std::string &entry : selection) {
    for (const std::string &path : modified) {
      if (path.find(entry) != std::string::npos) listed += "CVS:     " + path + "\n";
    }
  }
  EXPECT_EQ(text, kDash + "CVS: Modified and Added Files:\n" + listed + kDash + kBanner);
}

TEST(PathsHolding, AgreesWithAPlainSubstringSearchOnRandomNamesAndPaths) {
  // Small alphabets make names occur inside paths, inside each other and
  // several times in one path.
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    auto word = [&random](size_t longest) {
      std::string text(random() % (longest + 1), 'a');
      for (char &c : text) c = "ab/\xe9"[random() % 4];
      return text;
    };
    std::vector<std::string> names(random() % 12), paths(random() % 12);
    for (std::string &name : names) name = word(4);
    for (std::string &path : paths) path = word(12);
    const std::vector<std::vector<size_t>> found = PathsHolding(names, paths);
    ASSERT_EQ(found.size(), names.size());
    for (size_t n = 0; n < names.size(); ++n) {
      std::vector<size_t> expected;
      for (size_t p = 0; p < paths.size(); ++p) {
        if (paths[p].find(names[n]) != std::string::npos) expected.push_back(p);
      }
      EXPECT_EQ(found[n], expected) << "name \"" << names[n] << "\"";
    }
  }
}

TEST(ScanStateLine, RecordedDryRunsOfTheRealClientGiveEveryNameWhole) {
  // tests/record_update_outputs.sh: a working copy with names holding
  // blanks, a leading blank and a path of over 300 characters.
  auto namesIn = [](const std::string &file, const char *letters, bool localOnly) {
    std::vector<std::string> names;
    std::string text =
        testsupport::ReadFile(testsupport::TestsSourceDir() + "/data/update/" + file);
    EXPECT_FALSE(text.empty()) << "run tests/record_update_outputs.sh";
    std::string name;
    for (const std::string &line :
         testsupport::ReadLines(testsupport::TestsSourceDir() + "/data/update/" + file)) {
      if (ScanStateLine((line + "\n").c_str(), letters, localOnly, name)) names.push_back(name);
    }
    return names;
  };
  const std::string longFolder = std::string("folder-with-a-long-name-") +
                                 "folder-with-a-long-name-" + "folder-with-a-long-name-" +
                                 "folder-with-a-long-name-" + "folder-with-a-long-name-";
  EXPECT_EQ(namesIn("tree.txt", "MA", false),
            (std::vector<std::string>{" lead.c", "a b.c", "added.c", "modified.c",
                                      longFolder + "/" + longFolder + "/" + longFolder + "/deep.c",
                                      "sub/inner.c"}));
  EXPECT_EQ(namesIn("tree.txt", "C", false), (std::vector<std::string>{"conflict.c"}));
  EXPECT_EQ(namesIn("tree.txt", "UP", false), (std::vector<std::string>{"needs-patch.c"}));
  EXPECT_EQ(namesIn("local.txt", "?", true),
            (std::vector<std::string>{"new file", "newdir", "unknown.txt"}));
  EXPECT_TRUE(namesIn("failed.txt", "MACUP", false).empty());
  EXPECT_TRUE(namesIn("failed.txt", "?", true).empty());
}
