// The host's texts in the chosen language.
#include "console/host_texts.hpp"

#include <vector>

namespace console {

namespace {

struct Texts {
  const char *English;
  const char *Russian;
};

const Texts kTexts[] = {
#define QUILLET_HOST_TEXT_ROW(id, english, russian) {english, russian},
    QUILLET_HOST_TEXTS(QUILLET_HOST_TEXT_ROW)
#undef QUILLET_HOST_TEXT_ROW
};

bool russian = false;

}  // namespace

void SetHostLanguage(const std::string &language) { russian = language == "Russian"; }

std::string Text(T id, std::initializer_list<std::string> args) {
  const Texts &texts = kTexts[static_cast<size_t>(id)];
  std::string pattern = russian && *texts.Russian != '\0' ? texts.Russian : texts.English;
  std::vector<std::string> values(args);
  std::string text;
  for (size_t at = 0; at < pattern.size(); ++at) {
    size_t digit = at + 1;
    if (pattern[at] == '%' && digit < pattern.size() && pattern[digit] >= '1' &&
        pattern[digit] <= '9') {
      size_t index = static_cast<size_t>(pattern[digit] - '1');
      if (index < values.size()) text += values[index];
      ++at;
      continue;
    }
    text += pattern[at];
  }
  return text;
}

}  // namespace console
