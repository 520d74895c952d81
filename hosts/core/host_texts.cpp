// The hosts' texts by number, and the language they are shown in.
#include "core/host_texts.hpp"

namespace hostcore {

namespace {

struct TextPair {
  const char *English;
  const char *Russian;
};

const TextPair kTexts[] = {
#define QUILLET_HOST_TEXT(id, english, russian) {english, russian},
#include "core/host_text_list.hpp"
#undef QUILLET_HOST_TEXT
};
static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<size_t>(HostText::Count),
              "one pair of texts per id");

std::string gLanguage = "English";

const TextPair &PairOf(HostText id) {
  const size_t at = static_cast<size_t>(id);
  static const TextPair kNone = {"", ""};
  return at < static_cast<size_t>(HostText::Count) ? kTexts[at] : kNone;
}

}  // namespace

void SetHostLanguage(const std::string &language) {
  gLanguage = language == "Russian" ? language : "English";
}

const std::string &HostLanguage() { return gLanguage; }

const char *Say(HostText id) {
  return gLanguage == "Russian" ? PairOf(id).Russian : PairOf(id).English;
}

std::string FillText(const std::string &text, const std::vector<std::string> &values) {
  std::string filled;
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '%' && next == '%') {
      filled += '%';
      ++i;
    } else if (text[i] == '%' && next >= '1' && next <= '9') {
      const size_t index = static_cast<size_t>(next - '1');
      if (index < values.size()) filled += values[index];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

std::string Say(HostText id, const std::vector<std::string> &values) {
  return FillText(Say(id), values);
}

std::vector<std::string> SayKeys(std::initializer_list<std::pair<int, HostText>> keys, int count) {
  std::vector<std::string> labels(static_cast<size_t>(count));
  for (const auto &key : keys) {
    if (key.first >= 1 && key.first <= count)
      labels[static_cast<size_t>(key.first - 1)] = Say(key.second);
  }
  return labels;
}

const char *EnglishHostText(HostText id) { return PairOf(id).English; }
const char *RussianHostText(HostText id) { return PairOf(id).Russian; }

}  // namespace hostcore
