// The language files beside the module: both carry every message of the
// module under its number, with the conversions its code passes, and the
// module takes a file's later texts only while the file is in order.
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include <unistd.h>

#include "core/language.hpp"
#include "entry/dispatch.hpp"
#include "entry/language_count.hpp"
#include "host/host.hpp"
#include "panel/file_status.hpp"
#include "panel/panel_items.hpp"
#include "runner/start_program.hpp"
#include "test_support.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "working_copy/kept_files.hpp"

namespace {

std::string LanguagePath(const std::string &name) {
  return testsupport::TestsSourceDir() + "/../lang/" + name;
}

TEST(LanguageFiles, BothHoldEveryMessageWithItsConversions) {
  const struct {
    const char *File;
    bool English;
  } files[] = {{"quillet_en.lng", true}, {"quillet_ru.lng", false}};
  for (const auto &file : files) {
    hostcore::LanguageFile language;
    ASSERT_TRUE(hostcore::ReadLanguageFile(LanguagePath(file.File), language)) << file.File;
    ASSERT_EQ(language.Texts.size(), static_cast<size_t>(kMessageCount)) << file.File;
    for (int id = 0; id < kMessageCount; ++id) {
      const std::string &text = language.Texts[static_cast<size_t>(id)];
      SCOPED_TRACE(std::string(file.File) + " message " + std::to_string(id) + ": " + text);
      // The English file shows what the module shows without one.
      if (file.English) {
        EXPECT_EQ(text, EnglishText(id));
      }
      EXPECT_EQ(text.empty(), EnglishText(id)[0] == '\0');
      const char *conversions = MessageConversions(id);
      if (conversions != nullptr) {
        EXPECT_TRUE(FormatFits(text.c_str(), conversions));
      }
      // Code page 866 letters only: a file saved as UTF-8 has none of its
      // lead bytes (0xD0, 0xD1 are box-drawing characters in 866).
      for (unsigned char c : text) EXPECT_TRUE(c < 0x80 || c <= 0xAF || (c >= 0xE0 && c <= 0xF1));
    }
  }
}

TEST(LanguageFiles, ALaterTextComesFromTheFileOnlyWhileItIsInOrder) {
  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info = host.StartupInfo();
  BindHost(&info);
  ASSERT_TRUE(host.LoadLanguage(LanguagePath("quillet_ru.lng")));
  // What SetStartupInfo finds beside the module: the file's own length.
  LimitHostMessages(static_cast<int>(host.Language.size()));
  const std::string russian = host.Language[MMenuUpdate];
  EXPECT_STREQ(MessageText(MMenuUpdate), russian.c_str());
  EXPECT_STRNE(MessageText(MMenuUpdate), EnglishText(MMenuUpdate));
  // A line too many above: every later number would show its neighbour's
  // text, so the built-in English texts stand in for all of them.
  host.Language.insert(host.Language.begin() + MMenuCommit, "a line too many");
  LimitHostMessages(static_cast<int>(host.Language.size()));
  EXPECT_STREQ(MessageText(MMenuUpdate), EnglishText(MMenuUpdate));
  EXPECT_STREQ(MessageText(MMenuRemove), EnglishText(MMenuRemove));
  // A short file: what it lacks is the built-in text.
  host.Language.resize(MPluginMenu + 1);
  LimitHostMessages(static_cast<int>(host.Language.size()));
  EXPECT_STREQ(MessageText(MModuleLabel), EnglishText(MModuleLabel));
  EXPECT_STREQ(MessageText(MPluginMenu), host.Language[MPluginMenu].c_str());
  host.Language.clear();
  LimitHostMessages(0);
  EXPECT_STREQ(MessageText(MOutcomeTitle), "CVS");
  LimitHostMessages(kMessageCount);
}

TEST(LanguageFiles, TheMessagesCountedAreTheFewestOfAnyFileBesideTheModule) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "quillet_en.lng",
                         ".Language=English,English\r\n\"one\"\r\n  \"two\"\r\n// \"no\"\r\n\"three\"\r\n");
  testsupport::WriteFile(dir / "OLD.LNG", ".Language=Russian,Russian\n\"one\"\n\t\"two\"");
  testsupport::WriteFile(dir / "notes.txt", "\"1\"\n");
  EXPECT_EQ(2, FewestLanguageMessages(dir / "Quillet.dll"));
  unlink((dir / "OLD.LNG").c_str());
  EXPECT_EQ(3, FewestLanguageMessages(dir / "Quillet.dll"));
  unlink((dir / "quillet_en.lng").c_str());
  EXPECT_EQ(0, FewestLanguageMessages(dir / "Quillet.dll"));
  EXPECT_EQ(0, FewestLanguageMessages("Quillet.dll"));
}

// A translation from an older release beside a newer module: the host
// reads it when its language is set so, and must never be asked for a
// number past its end (it would call the file damaged and offer to quit).
TEST(LanguageFiles, AModuleBesideAShortTranslationNeverAsksPastItsEnd) {
  testsupport::TempDir dir;
  const std::string module = dir / "libquillet.so";
  testsupport::WriteFile(module, testsupport::ReadFile(testsupport::ModulePath()));
  testsupport::WriteFile(dir / "quillet_en.lng", testsupport::ReadFile(LanguagePath("quillet_en.lng")));
  std::string russian = testsupport::ReadFile(LanguagePath("quillet_ru.lng"));
  // Cut after the first later message: the file of a release before the rest.
  size_t cut = 0;
  for (int line = 0; line <= kFirstLaterMessage + 1; ++line) cut = russian.find("\n\"", cut + 1);
  testsupport::WriteFile(dir / "quillet_ru.lng", russian.substr(0, cut + 1));

  standin::Host &host = standin::Host::Get();
  host.Reset();
  standin::Module loaded;
  std::string error;
  ASSERT_TRUE(standin::LoadModule(module, loaded, error)) << error;
  ASSERT_TRUE(host.LoadLanguageBeside(module, "Russian"));
  const size_t held = host.Language.size();
  ASSERT_EQ(static_cast<size_t>(kFirstLaterMessage) + 1, held);
  host.BindModule(loaded);
  host.script.Menu.push_back(standin::Choose(-1));
  host.OpenModule(OPEN_PLUGINSMENU, 0);
  ASSERT_EQ(1u, host.Menus.size());
  // The menu's rows past the file's end are the built-in texts.
  // (Outside a working copy it offers Checkout and Export.)
  ASSERT_FALSE(host.Menus[0].Items.empty());
  EXPECT_STREQ(EnglishText(MMenuCheckout), host.Menus[0].Items[0].Text);
  for (const std::string &call : host.Calls) {
    if (call.compare(0, 7, "GetMsg(") == 0) {
      EXPECT_LT(std::stoul(call.substr(7)), held) << call;
    }
  }
  host.Reset();
  standin::UnloadModule(loaded);
  host.LoadLanguageBeside(testsupport::ModulePath());
}

}  // namespace

namespace {

// The module's own words reach the user in the language file's language,
// the reasons of the runner and the state words of the panel among them.
class RussianReasons : public ::testing::Test {
 protected:
  void SetUp() override {
    PluginStartupInfo info = host.StartupInfo();
    BindHost(&info);
    ASSERT_TRUE(host.LoadLanguage(LanguagePath("quillet_ru.lng")));
  }
  void TearDown() override { host.Language.clear(); }

  // The Russian text of message `id` filled as printf fills it.
  std::string Russian(int id, const char *value) {
    char text[512];
    snprintf(text, sizeof text, host.Language[static_cast<size_t>(id)].c_str(), value);
    return text;
  }

  standin::Host &host = standin::Host::Get();
  testsupport::ScopedEnv env;
  testsupport::TempDir empty;
};

TEST_F(RussianReasons, AProgramThatIsNotFoundIsSaidInTheLanguageFilesWords) {
  const char *const args[] = {"quillet-no-such-program", nullptr};
  std::string error;
  env.Set("PATH", empty.Path());
  EXPECT_EQ(StartProgram(args[0], args, nullptr, error), nullptr);
  EXPECT_EQ(error, Russian(MStartNotOnPath, args[0]));
  env.Unset("PATH");
  EXPECT_EQ(StartProgram(args[0], args, nullptr, error), nullptr);
  EXPECT_EQ(error, Russian(MStartNoPath, args[0]));
  // A file of that name that may not be run: the reason names it.
  testsupport::WriteFile(empty / args[0], "#!/bin/sh\n");
  env.Set("PATH", empty.Path());
  EXPECT_EQ(StartProgram(args[0], args, nullptr, error), nullptr);
  EXPECT_NE(error.find(Russian(MStartNotExecutable, (empty / args[0]).c_str())), std::string::npos)
      << error;
}

TEST_F(RussianReasons, RowsWithoutAStateAreDescribedInTheLanguageFilesWords) {
  const KeptEntries kept;  // unread: every plain file may be kept
  auto describe = [&](RowsCvsRead read) {
    PanelListing listing;
    strcpy(listing.Items.Add().FindData.cFileName, "a.txt");
    MarkRowsWithoutState(listing, kept, read);
    return std::make_pair(std::string(listing.Items[0].Description), listing.Items[0].UserData & 0xFF);
  };
  EXPECT_EQ(describe(RowsCvsRead::NotAWorkingCopy),
            std::make_pair(host.Language[MStateUnknown], static_cast<DWORD_PTR>('?')));
  // Texts longer than the English ones are kept whole.
  const auto notRun = describe(RowsCvsRead::NotRun);
  EXPECT_EQ(notRun.first, host.Language[MStateNotRun]);
  EXPECT_GT(notRun.first.size(), strlen(EnglishText(MStateNotRun)));
  EXPECT_EQ(describe(RowsCvsRead::Ran).first, host.Language[MStateNotRead]);
}

}  // namespace
