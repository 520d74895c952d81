// The hosts' own texts (key bar, boxes, questions, help) in the language
// the user's locale asks for, the same choice as the module's language
// file.  The texts themselves are listed once, in host_text_list.hpp.
#ifndef QUILLET_HOSTCORE_HOST_TEXTS_HPP
#define QUILLET_HOSTCORE_HOST_TEXTS_HPP

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace hostcore {

enum class HostText {
#define QUILLET_HOST_TEXT(id, english, russian) id,
#include "core/host_text_list.hpp"
#undef QUILLET_HOST_TEXT
  Count
};

// "Russian" shows the Russian texts from now on; any other language the
// English ones (the start).
void SetHostLanguage(const std::string &language);
const std::string &HostLanguage();

// The text of `id` in the chosen language.
const char *Say(HostText id);
// The same with "%1" .. "%9" replaced by `values` (a missing value by
// nothing); "%%" shows one "%".
std::string Say(HostText id, const std::vector<std::string> &values);
std::string FillText(const std::string &text, const std::vector<std::string> &values);
// A key bar's labels, F1 first: `count` of them, the ones `keys` names
// (by function key number) filled in, the others empty.
std::vector<std::string> SayKeys(std::initializer_list<std::pair<int, HostText>> keys, int count);

// Both languages' texts of `id`, for the tests that check the list.
const char *EnglishHostText(HostText id);
const char *RussianHostText(HostText id);

}  // namespace hostcore

#endif
