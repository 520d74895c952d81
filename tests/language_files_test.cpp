// The language files beside the module: both carry every message of the
// module under its number, with the conversions its code passes, and the
// module takes a file's later texts only while the file is in order.
#include <string>
#include <vector>

#include "core/language.hpp"
#include "host/host.hpp"
#include "test_support.hpp"

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
  const std::string russian = host.Language[MMenuUpdate];
  EXPECT_STREQ(GetMsg(MMenuUpdate), russian.c_str());
  EXPECT_STRNE(GetMsg(MMenuUpdate), EnglishText(MMenuUpdate));
  // A line too many above: every later number would show its neighbour's
  // text, so the built-in English texts stand in for all of them.
  host.Language.insert(host.Language.begin() + MMenuCommit, "a line too many");
  EXPECT_STREQ(GetMsg(MMenuUpdate), EnglishText(MMenuUpdate));
  EXPECT_STREQ(GetMsg(MMenuRemove), EnglishText(MMenuRemove));
  // A short file: what it lacks is the built-in text.
  host.Language.resize(MPluginMenu + 1);
  EXPECT_STREQ(GetMsg(MModuleLabel), EnglishText(MModuleLabel));
  EXPECT_STREQ(GetMsg(MPluginMenu), host.Language[MPluginMenu].c_str());
  host.Language.clear();
  EXPECT_STREQ(GetMsg(MOutcomeTitle), "CVS");
}

}  // namespace
