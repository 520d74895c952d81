// Files that cvs ignores: the panel shows them as the real client treats
// them in `cvs -n -q update -l` (what Mark > Not in repository asks), that
// is never as unknown, under each source of ignore rules.
#include <set>
#include <sstream>

#include "panel_fixture.hpp"

using namespace testsupport;

namespace {

struct IgnoreCase {
  const char *HomeList, *Variable, *FolderList;  // null: no such list
  const char *RepositoryList = nullptr;          // the repository's CVSROOT/cvsignore
  bool Fork = false;                             // the folder's root is :fork:
};

// Every case sees the same files: each one is ignored by some rule of some
// case and not by another.
const char kFiles[] =
    "a.o .#merge.c.1.2 core notes~ #save# ,tmp x.orig lib.a prog.exe tags cvslog.7 _$x cost$ "
    "keep.txt core.c upper.O a.o.txt build.log gen1.c genx.c cache.tmp data.cache b[1].q star*.q";

const IgnoreCase kCases[] = {
    {nullptr, nullptr, nullptr},                       // the built-in list
    {nullptr, nullptr, "*.log gen[0-9].c\nb\\[1].q"},  // classes, an escape
    {nullptr, nullptr, "*.log\n!\n*.txt [!k]*.c"},     // "!" clears the rest
    {"*.tmp", "*.cache star\\*.q", nullptr},           // home list and variable
    {"*.tmp", "! *.cache", "*.o"},                     // "!" in the variable
    {nullptr, nullptr, nullptr, "*.cache gen*.c"},     // the repository's list
    {nullptr, nullptr, nullptr, "*.cache", true},      // the same through :fork:
    {"!\n*.tmp", nullptr, nullptr, "*.cache"},        // cleared by the home list
};

TEST_F(PanelCvsTest, IgnoredFilesAreUnknownInThePanelExactlyWhereCvsSaysSo) {
  sandbox.Import("proj", {{"kept.c", "k\n"}});
  wc = sandbox.Checkout("proj", "wc");
  for (size_t number = 0; number < sizeof kCases / sizeof kCases[0]; ++number) {
    const IgnoreCase &rules = kCases[number];
    SCOPED_TRACE(number);
    const std::string folder = "case" + std::to_string(number), dir = wc + "/" + folder;
    MakeDirs(dir);
    sandbox.MustCvs("-Q add " + folder, wc);
    std::istringstream files(kFiles);
    for (std::string name; files >> name;) WriteFile(dir + "/" + name, "x\n");
    if (rules.FolderList != nullptr) WriteFile(dir + "/.cvsignore", rules.FolderList);
    Shell("rm -f .cvsignore", sandbox.Home());
    if (rules.HomeList != nullptr) WriteFile(sandbox.Home() + "/.cvsignore", rules.HomeList);
    if (rules.Variable != nullptr) env.Set("CVSIGNORE", rules.Variable);
    if (rules.Variable == nullptr) env.Unset("CVSIGNORE");
    const std::string repositoryList = sandbox.Repository() + "/CVSROOT/cvsignore";
    Shell("rm -f " + ShellQuote(repositoryList), sandbox.Home());
    if (rules.RepositoryList != nullptr) WriteFile(repositoryList, rules.RepositoryList);
    if (rules.Fork) WriteFile(dir + "/CVS/Root", ":fork:" + sandbox.Repository() + "\n");

    std::string output, line;
    ASSERT_EQ(sandbox.Cvs("-n -q update -l", dir, &output), 0) << output;
    std::set<std::string> unknownToCvs, unknown, ignored;
    for (std::istringstream lines(output); std::getline(lines, line);)
      if (line.rfind("? ", 0) == 0) unknownToCvs.insert(line.substr(2));
    OpenPanel(dir);
    for (const auto &item : Items()) {
      const std::string shown = item.second->Description;
      (shown == "Unknown" ? unknown : ignored).insert(item.first);
      EXPECT_TRUE(shown == "Unknown" || shown == "Ignored") << shown;
    }
    EXPECT_EQ(unknown, unknownToCvs);
    EXPECT_FALSE(ignored.empty());
    EXPECT_GT(unknown.size(), 1u);
    host.ClosePluginPanel();
  }
}

}  // namespace
