// The walk before a command looks at exactly the folders cvs will visit,
// however deep, however long their path, and says so where it cannot look.
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.hpp"
#include "working_copy/cvs_visits.hpp"

using namespace testsupport;

namespace {

const char kHostile[] = ":fork;CVS_SERVER=/tmp/x:/r";

// A working copy "top" naming the subfolder "named"; "unnamed" holds a CVS
// folder of its own but no entry names it.
void MakeTree(const std::string &dir) {
  for (const char *folder : {"top/CVS", "top/named/CVS", "top/unnamed/CVS", "repo/proj/unnamed"})
    MakeDirs(dir + "/" + folder);
  WriteFile(dir + "/top/CVS/Root", ":pserver:host:/r\n");
  WriteFile(dir + "/top/CVS/Entries", "/a.c/1.1///\nD/named////\n");
  for (const char *sub : {"named", "unnamed"}) {
    WriteFile(dir + "/top/" + sub + "/CVS/Root", ":pserver:host:/r\n");
    WriteFile(dir + "/top/" + sub + "/CVS/Entries", "D\n");
  }
}

TEST(CvsVisits, TheWalkEntersTheFoldersCvsEnters) {
  const struct {
    const char *Plant;  // shell commands in the tree's folder
    VisitFinding::Kind What;
    const char *Where;  // below "top"
  } cases[] = {
      {"true", VisitFinding::Nothing, ""},
      {"echo \"$H\" > top/named/CVS/Root", VisitFinding::RootOptions, "/named"},
      {"echo \"$H\" > top/unnamed/CVS/Root", VisitFinding::Nothing, ""},
      // Without any D line cvs enters every subfolder holding a CVS folder.
      {"echo \"$H\" > top/unnamed/CVS/Root && echo /a.c/1.1/// > top/CVS/Entries",
       VisitFinding::RootOptions, "/unnamed"},
      {"echo \"$H\" > top/unnamed/CVS/Root && echo 'A D/unnamed////' > top/CVS/Entries.Log",
       VisitFinding::RootOptions, "/unnamed"},
      {"echo \"$H\" > top/named/CVS/Root && echo 'R D/named////' > top/CVS/Entries.Log",
       VisitFinding::Nothing, ""},
      // A root on this machine: cvs enters what the repository holds too.
      {"echo \"$H\" > top/unnamed/CVS/Root && echo \"$PWD/repo\" > top/CVS/Root && "
       "echo proj > top/CVS/Repository",
       VisitFinding::RootOptions, "/unnamed"},
      {"ln -s ../../elsewhere top/named/CVS/Entries.Backup", VisitFinding::AdminFolder, "/named"},
      {"mv top/named away && cp -r away/. top/unnamed/ && ln -s ../top/unnamed top/named && "
       "echo \"$H\" > top/unnamed/CVS/Root",
       VisitFinding::RootOptions, "/named"},
      {"rm -r top/named && echo \"$H\" > top/unnamed/CVS/Root", VisitFinding::Nothing, ""},
  };
  for (const auto &c : cases) {
    TempDir dir;
    MakeTree(dir.Path());
    Shell(std::string("H='") + kHostile + "'; " + c.Plant, dir.Path());
    const VisitFinding found = CheckFoldersCvsVisits(dir / "top", true);
    EXPECT_EQ(found.What, c.What) << c.Plant;
    if (c.What != VisitFinding::Nothing) {
      EXPECT_EQ(found.Folder, dir / "top" + c.Where) << c.Plant;
    }
  }
}

TEST(CvsVisits, ARootFortyFoldersDownOnAPathOverFourKilobytesIsFound) {
  TempDir dir;
  ScopedCwd back;
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  const std::string name(120, 'd');
  size_t length = dir.Path().size();
  for (int level = 0; level < 40; ++level) {
    MakeDirs("CVS");
    WriteFile("CVS/Root", level == 39 ? std::string(kHostile) + "\n" : ":pserver:h:/r\n");
    WriteFile("CVS/Entries", level == 39 ? "D\n" : "D/" + name + "////\n");
    if (level < 39) {
      ASSERT_EQ(mkdir(name.c_str(), 0755), 0);
      ASSERT_EQ(chdir(name.c_str()), 0);
      length += name.size() + 1;
    }
  }
  ASSERT_GT(length, 4096u);
  const VisitFinding found = CheckFoldersCvsVisits(dir.Path(), true);
  EXPECT_EQ(found.What, VisitFinding::RootOptions);
  EXPECT_EQ(found.Detail, kHostile);
}

TEST(CvsVisits, AFolderThatCanBeEnteredButNotListed) {
  if (!RunsUnprivileged()) return;
  // Named by its entries, the folder below is found without a listing;
  // without them the folder cannot be checked, which counts.
  for (const char *entries : {"D/named////\n", "/a.c/1.1///\n"}) {
    TempDir dir;
    MakeTree(dir.Path());
    WriteFile(dir / "top/named/CVS/Root", std::string(kHostile) + "\n");
    Shell("rm -r top/unnamed", dir.Path());
    WriteFile(dir / "top/CVS/Entries", entries);
    chmod((dir / "top").c_str(), 0111);
    const VisitFinding found = CheckFoldersCvsVisits(dir / "top", true);
    chmod((dir / "top").c_str(), 0755);
    EXPECT_EQ(found.What, entries[0] == 'D' ? VisitFinding::RootOptions : VisitFinding::Unchecked)
        << entries;
  }
}

}  // namespace
