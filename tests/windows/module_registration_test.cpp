// Quillet.dll (the 64-bit test build) loaded by the stand-in host through
// its exports, as the host loads it: the ten entry points and nothing
// else, registration, and the language files read from beside the DLL.
#include <string.h>

#include <string>
#include <vector>

#include "module_fixture.hpp"
#include "texts/messages.hpp"
#include "win_support.hpp"

namespace {

using testsupport::ModuleTest;

TEST_F(ModuleTest, ExportsExactlyTheTenEntryPointsUndecorated) {
  EXPECT_EQ(
      wintest::ExportedNames(static_cast<HMODULE>(module.Library)),
      (std::vector<std::string>{"ClosePlugin", "FreeFindData", "GetFindData", "GetMinFarVersion",
                                "GetOpenPluginInfo", "GetPluginInfo", "OpenPlugin", "ProcessKey",
                                "SetDirectory", "SetStartupInfo"}));
  EXPECT_EQ(module.GetMinFarVersion(), 0x146);
}

TEST_F(ModuleTest, RegistersTheMenuEntryFromTheLanguageFileAndThePrefix) {
  ASSERT_EQ(host.LanguageName, "English");
  ASSERT_EQ(host.Language.size(), static_cast<size_t>(kMessageCount));
  PluginInfo info;
  memset(&info, 0, sizeof info);
  module.GetPluginInfo(&info);
  EXPECT_EQ(info.StructSize, static_cast<int>(sizeof(PluginInfo)));
  EXPECT_EQ(info.Flags, 0u);
  ASSERT_EQ(info.PluginMenuStringsNumber, 1);
  EXPECT_EQ(std::string(info.PluginMenuStrings[0]), host.Language[5]);
  EXPECT_STREQ(info.CommandPrefix, "cvs");
  EXPECT_EQ(info.DiskMenuStringsNumber, 0);
  EXPECT_EQ(info.PluginConfigStringsNumber, 0);

  // The Russian file beside the DLL carries the same messages in its own
  // words.
  std::vector<std::string> english = host.Language;
  ASSERT_TRUE(host.LoadLanguageBeside(testsupport::ModulePath(), "Russian"));
  EXPECT_EQ(host.LanguageName, "Russian");
  ASSERT_EQ(host.Language.size(), english.size());
  EXPECT_NE(host.Language[9], english[9]);
  module.GetPluginInfo(&info);
  EXPECT_EQ(std::string(info.PluginMenuStrings[0]), host.Language[5]);
  ASSERT_TRUE(host.LoadLanguageBeside(testsupport::ModulePath(), "English"));
}

TEST_F(ModuleTest, OnlyThePluginsMenuAndTheCommandLineOpenAnything) {
  host.ActivePanel().CurDir = "C:\\";
  for (int from : {OPEN_DISKMENU, OPEN_FINDLIST, OPEN_SHORTCUT, OPEN_EDITOR, OPEN_VIEWER}) {
    host.Calls.clear();
    EXPECT_EQ(module.OpenPlugin(from, 0), INVALID_HANDLE_VALUE) << from;
    EXPECT_TRUE(host.Calls.empty()) << from;
  }
  // The plug-ins menu on a tree panel shows no menu.
  host.ActivePanel().PanelType = PTYPE_TREEPANEL;
  EXPECT_EQ(module.OpenPlugin(OPEN_PLUGINSMENU, 0), INVALID_HANDLE_VALUE);
  EXPECT_TRUE(host.Menus.empty());
}

}  // namespace
