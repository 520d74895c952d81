// The panel's rows for folders that are no working copy: what is listed,
// under which name, and that everything handed out comes back.
#include <string.h>

#include "test_support.hpp"

using namespace testsupport;

namespace {

class PanelListing : public ModuleTest {
 protected:
  HANDLE Open(const std::string &dir) {
    host.ActivePanel().CurDir = dir;
    HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
    EXPECT_NE(panel, INVALID_HANDLE_VALUE);
    return panel;
  }
  // No cvs may run for these folders.
  void TearDown() override {
    for (const standin::DialogCall &call : host.Dialogs) EXPECT_FALSE(call.Ex) << "cvs ran";
    ModuleTest::TearDown();
  }
  TempDir scratch;
  ScopedCwd cwd;
};

}  // namespace

TEST_F(PanelListing, EmptyAndMissingFoldersGiveNoItems) {
  HANDLE panel = Open(scratch.Path());
  PluginPanelItem *items = reinterpret_cast<PluginPanelItem *>(1);
  int count = -1;
  EXPECT_EQ(module.GetFindData(panel, &items, &count, 0), 1);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(items, nullptr);  // nothing allocated that could not come back
  module.FreeFindData(panel, items, count);

  // A folder that does not exist: an empty panel, success all the same.
  EXPECT_EQ(module.SetDirectory(panel, (scratch / "gone").c_str(), 0), 1);
  count = -1;
  EXPECT_EQ(module.GetFindData(panel, &items, &count, 0), 1);
  EXPECT_EQ(count, 0);
  module.ClosePlugin(panel);
}

TEST_F(PanelListing, EntriesWhoseFullPathDoesNotFitAreLeftOut) {
  // A folder deep enough that a long name no longer fits the host's 259
  // characters with the path in front, while a short one does.
  std::string deep = scratch.Path();
  while (deep.size() < 200) deep += "/" + std::string(30, 'd');
  MakeDirs(deep);
  const std::string fits(259 - deep.size() - 1, 'f');
  const std::string tooLong(fits.size() + 1, 'g');
  WriteFile(deep + "/" + fits, "x");
  WriteFile(deep + "/" + tooLong, "x");
  WriteFile(deep + "/short", "x");
  host.ActivePanel().CurDir = scratch.Path();
  HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  host.OpenPluginPanel(module, panel);
  host.EnterRow(deep);
  ASSERT_EQ(host.PluginItemsNumber, 2);
  EXPECT_EQ(std::string(host.PluginItems[0].FindData.cFileName), deep + "/" + fits);
  EXPECT_EQ(strlen(host.PluginItems[0].FindData.cFileName), 259u);
  EXPECT_EQ(std::string(host.PluginItems[1].FindData.cFileName), deep + "/short");
}

TEST_F(PanelListing, ManyListingsReleaseEverything) {
  for (int i = 0; i < 50; ++i) WriteFile(scratch / ("file" + std::to_string(i)), "x");
  MakeDirs(scratch / "folder");
  HANDLE panel = Open(scratch.Path());
  for (int round = 0; round < 10; ++round) {
    PluginPanelItem *items = nullptr;
    int count = 0;
    ASSERT_EQ(module.GetFindData(panel, &items, &count, 0), 1);
    ASSERT_EQ(count, 51);
    // The sanitizer build fails the run on anything not released here.
    module.FreeFindData(panel, items, count);
  }
  module.FreeFindData(panel, nullptr, 0);
  module.ClosePlugin(panel);
}
