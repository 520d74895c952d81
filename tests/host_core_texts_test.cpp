// The hosts' own texts: both languages carry every text with the same
// values to fill in, and the chosen language is the one shown.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/host_texts.hpp"

namespace {

using hostcore::HostText;

// The placeholders "%1".."%9" a text holds.
std::multiset<char> Placeholders(const std::string &text) {
  std::multiset<char> found;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] == '%') {
      ++i;
    } else if (text[i + 1] >= '1' && text[i + 1] <= '9') {
      found.insert(text[i + 1]);
    }
  }
  return found;
}

TEST(HostTexts, EveryTextHasBothLanguagesWithTheSameValuesToFill) {
  for (int id = 0; id < static_cast<int>(HostText::Count); ++id) {
    const std::string english = hostcore::EnglishHostText(static_cast<HostText>(id));
    const std::string russian = hostcore::RussianHostText(static_cast<HostText>(id));
    SCOPED_TRACE("text " + std::to_string(id) + ": " + english);
    EXPECT_FALSE(english.empty());
    EXPECT_FALSE(russian.empty());
    // A translation that drops or adds a value would show the wrong thing.
    EXPECT_EQ(Placeholders(english), Placeholders(russian)) << russian;
    // Hot keys are marked alike: a button with one in English has one in
    // Russian.
    EXPECT_EQ(english.find('&') != std::string::npos, russian.find('&') != std::string::npos);
  }
}

TEST(HostTexts, ValuesGoWhereTheirNumbersStandInAnyOrder) {
  EXPECT_EQ(hostcore::FillText("%2 of %1", {"a", "b"}), "b of a");
  EXPECT_EQ(hostcore::FillText("100%% of %1", {"x"}), "100% of x");
  // A value that is not given shows nothing; a value's own "%1" stays.
  EXPECT_EQ(hostcore::FillText("[%1][%3]", {"%1"}), "[%1][]");
  EXPECT_EQ(hostcore::FillText("ends in %", {}), "ends in %");
  // The copy's progress line: a "%" right after a value is the percent
  // sign, in both languages.
  hostcore::SetHostLanguage("English");
  EXPECT_EQ(hostcore::Say(HostText::Progress, {"3", "4", "50"}),
            "3 of 4 entries, 50%  (Esc stops)");
  hostcore::SetHostLanguage("Russian");
  EXPECT_EQ(hostcore::Say(HostText::Progress, {"3", "4", "50"}),
            "3 из 4 объектов, 50%  (Esc прервёт)");
  hostcore::SetHostLanguage("English");
}

TEST(HostTexts, TheChosenLanguageIsTheOneShownAndAnyOtherIsEnglish) {
  hostcore::SetHostLanguage("Russian");
  EXPECT_EQ(hostcore::Say(HostText::AskDeleteEntries, {"3"}), "Удалить эти объекты (3)?");
  hostcore::SetHostLanguage("Klingon");
  EXPECT_EQ(hostcore::HostLanguage(), "English");
  EXPECT_EQ(hostcore::Say(HostText::AskDeleteEntries, {"3"}), "Delete these 3 entries?");
}

}  // namespace
