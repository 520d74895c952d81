// The pure text rules of the commands: names made relative to the panel's
// folder, lines of the dry-run update, and the commit message template.
#include <gtest/gtest.h>

#include "commands/commands.hpp"
#include "entry/dispatch.hpp"

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
  EXPECT_TRUE(ScanStateLine("  A \t b.c\n", "MA", false, name));
  EXPECT_EQ(name, "b.c");
  EXPECT_TRUE(ScanStateLine("P patched.c\n", "UP", false, name));
  EXPECT_EQ(name, "patched.c");
  EXPECT_FALSE(ScanStateLine("Mfoo\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("Merging differences between 1.1 and 1.2\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("m lower.c\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("C conflict.c\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("\n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("   \t \n", "MA", false, name));
  EXPECT_FALSE(ScanStateLine("M \n", "MA", false, name));
  // A name with a blank is cut at the blank.
  EXPECT_TRUE(ScanStateLine("M my file.c\n", "M", false, name));
  EXPECT_EQ(name, "my");
}

TEST(ScanStateLine, ThisFolderOnlyTakesTheNameUpToABlankOrSlash) {
  std::string name;
  EXPECT_TRUE(ScanStateLine("? new.txt\n", "?", true, name));
  EXPECT_EQ(name, "new.txt");
  EXPECT_TRUE(ScanStateLine("?foo\n", "?", true, name));
  EXPECT_EQ(name, "foo");
  EXPECT_TRUE(ScanStateLine("? dir/inner.txt\n", "?", true, name));
  EXPECT_EQ(name, "dir");
  EXPECT_FALSE(ScanStateLine("? \n", "?", true, name));
  EXPECT_FALSE(ScanStateLine("cvs update: Updating .\n", "?", true, name));
  // Longer than a read piece: refused rather than overrun.
  EXPECT_FALSE(ScanStateLine(("? " + std::string(400, 'x')).c_str(), "?", true, name));
}

const std::string kDash = ": " + std::string(70, '-') + "\n";
const std::string kBanner = ": Orvelle CVS Plugin fo FAR Manager https://quillet.example/  \n";

TEST(CommitTemplate, LightTemplateIsTheDashLineAndTheBanner) {
  bool haveFiles = false;
  EXPECT_EQ(CommitTemplateText(false, {"."}, {"a.c"}, haveFiles), kDash + kBanner);
  EXPECT_TRUE(haveFiles);
  EXPECT_EQ(kDash.size(), 73u);
}

TEST(CommitTemplate, WholeFolderListsEveryPathInOrder) {
  bool haveFiles = false;
  EXPECT_EQ(CommitTemplateText(true, {"."}, {"src/main.c", "b.c"}, haveFiles),
            kDash + ": Modified and Added Files:\n:     src/main.c\n:     b.c\n" + kDash + kBanner);
  EXPECT_TRUE(haveFiles);
  EXPECT_EQ(CommitTemplateText(true, {"."}, {}, haveFiles),
            kDash + ": Modified and Added Files:\n" + kDash + kBanner);
  EXPECT_FALSE(haveFiles);
}

TEST(CommitTemplate, SelectionListsByPlainSubstringPerEntry) {
  bool haveFiles = false;
  std::vector<std::string> modified = {"src/main.c", "lib/srcutil.c", "bar/foo.c", "foo.cpp",
                                       "x.c"};
  EXPECT_EQ(CommitTemplateText(true, {"src", "foo.c"}, modified, haveFiles),
            kDash + ": Modified and Added Files:\n" + ":     src/main.c\n:     lib/srcutil.c\n" +
                ":     bar/foo.c\n:     foo.cpp\n" + kDash + kBanner);
  EXPECT_TRUE(haveFiles);
  CommitTemplateText(true, {"gone.c"}, modified, haveFiles);
  EXPECT_FALSE(haveFiles);
  CommitTemplateText(true, {"Src"}, modified, haveFiles);
  EXPECT_FALSE(haveFiles);
}

}  // namespace
