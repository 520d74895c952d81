// Registration with the host, through the module's exports only.
#include <stdlib.h>
#include <string.h>

#include <set>
#include <sstream>

#include "test_support.hpp"
#include "texts/messages.hpp"

namespace {

using testsupport::ModuleTest;

TEST(ModuleExports, ExactlyTheTenEntryPoints) {
  std::string output;
  ASSERT_EQ(0, testsupport::Shell(
                   "nm -D --defined-only " + testsupport::ShellQuote(testsupport::ModulePath()), "",
                   &output));
  std::set<std::string> names;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) names.insert(name);
  }
  const std::set<std::string> expected = {
      "SetStartupInfo",    "GetPluginInfo", "GetMinFarVersion", "OpenPlugin",   "ClosePlugin",
      "GetOpenPluginInfo", "GetFindData",   "FreeFindData",     "SetDirectory", "ProcessKey"};
  EXPECT_EQ(expected, names);
}

TEST_F(ModuleTest, MinimumHostVersionIs170) { EXPECT_EQ(0x146, module.GetMinFarVersion()); }

TEST_F(ModuleTest, RegistersOneMenuEntryAndThePrefix) {
  PluginInfo info;
  memset(&info, 0, sizeof(info));
  module.GetPluginInfo(&info);
  EXPECT_EQ(static_cast<int>(sizeof(PluginInfo)), info.StructSize);
  EXPECT_EQ(0u, info.Flags);
  ASSERT_EQ(1, info.PluginMenuStringsNumber);
  ASSERT_GE(host.Language.size(), 6u);
  EXPECT_STREQ(host.Language[5].c_str(), info.PluginMenuStrings[0]);
  EXPECT_STREQ("cvs", info.CommandPrefix);
  EXPECT_EQ(nullptr, info.DiskMenuStrings);
  EXPECT_EQ(nullptr, info.DiskMenuNumbers);
  EXPECT_EQ(0, info.DiskMenuStringsNumber);
  EXPECT_EQ(nullptr, info.PluginConfigStrings);
  EXPECT_EQ(0, info.PluginConfigStringsNumber);
  EXPECT_EQ(0u, info.Reserved);

  // The entry is fetched anew: a changed language text shows at once.
  host.Language[5] = "Version control";
  host.Calls.clear();
  module.GetPluginInfo(&info);
  EXPECT_STREQ("Version control", info.PluginMenuStrings[0]);
  EXPECT_EQ(std::vector<std::string>{"GetMsg(5)"}, host.Calls);
}

TEST_F(ModuleTest, OtherWaysInOpenNothing) {
  host.ActivePanel().CurDir = "/";
  for (int from : {OPEN_DISKMENU, OPEN_FINDLIST, OPEN_SHORTCUT, OPEN_EDITOR, OPEN_VIEWER}) {
    host.Calls.clear();
    EXPECT_EQ(INVALID_HANDLE_VALUE, module.OpenPlugin(from, 0)) << from;
    EXPECT_TRUE(host.Calls.empty()) << from;
  }
}

// A host whose record is shorter than the module's: the module reads no
// byte past it (the record ends where its allocation ends, so a read past
// it is caught by the address sanitizer) and still works with what it got.
TEST_F(ModuleTest, ShortHostRecordIsNotReadPastItsEnd) {
  PluginStartupInfo full = host.StartupInfo();
  const size_t size = offsetof(PluginStartupInfo, FSF);
  full.StructSize = static_cast<int>(size);
  char *record = static_cast<char *>(malloc(size));
  ASSERT_NE(nullptr, record);
  memcpy(record, &full, size);
  module.SetStartupInfo(reinterpret_cast<const PluginStartupInfo *>(record));
  free(record);

  PluginInfo info;
  memset(&info, 0, sizeof(info));
  module.GetPluginInfo(&info);
  ASSERT_EQ(1, info.PluginMenuStringsNumber);
  EXPECT_STREQ(host.Language[5].c_str(), info.PluginMenuStrings[0]);
}

TEST(LanguageFiles, EnglishAndRussianCarryTheSameMessages) {
  standin::Host &host = standin::Host::Get();
  ASSERT_TRUE(host.LoadLanguageBeside(testsupport::ModulePath(), "English"));
  std::vector<std::string> english = host.Language;
  ASSERT_TRUE(host.LoadLanguageBeside(testsupport::ModulePath(), "Russian"));
  std::vector<std::string> russian = host.Language;
  ASSERT_EQ(static_cast<size_t>(kMessageCount), english.size());
  ASSERT_EQ(english.size(), russian.size());
  for (const std::vector<std::string> *texts : {&english, &russian}) {
    const std::vector<std::string> &t = *texts;
    // The confirmation heading takes a string, then an integer.
    size_t s = t[0].find("%s"), d = t[0].find("%d");
    EXPECT_TRUE(s != std::string::npos && d != std::string::npos && s < d) << t[0];
    EXPECT_NE(std::string::npos, t[1].find("%d")) << t[1];
    for (int plain : {2, 3, 4, 5, 9}) {
      EXPECT_EQ(std::string::npos, t[plain].find('%')) << t[plain];
      EXPECT_FALSE(t[plain].empty()) << plain;
    }
  }
  EXPECT_NE(english[9], russian[9]);
}

}  // namespace
