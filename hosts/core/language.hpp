// A module's language files: one per language beside the module, the
// messages in number order.  Texts are handed out as raw bytes; a front end
// that shows them in another code page converts them through the hook.
#ifndef QUILLET_HOSTCORE_LANGUAGE_HPP
#define QUILLET_HOSTCORE_LANGUAGE_HPP

#include <functional>
#include <string>
#include <vector>

namespace hostcore {

// Converts one message text of the named language ("Russian") for the
// screen; an empty hook keeps the bytes.
using TextConverter =
    std::function<std::string(const std::string &text, const std::string &language)>;

struct LanguageFile {
  std::string Name;  // from ".Language=Name,OwnName"
  std::vector<std::string> Texts;
};

// Reads a language file; false when it cannot be opened.
bool ReadLanguageFile(const std::string &path, LanguageFile &file);
// The file beside `modulePath` whose language is `language`, else the
// English one; empty when there is neither.
std::string FindLanguageFile(const std::string &modulePath, const std::string &language);

// The language the user's locale asks for: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides; "ru..." gives
// "Russian", anything else "English".
std::string LanguageForLocale(const char *lcAll, const char *lcMessages, const char *lang);

}  // namespace hostcore

#endif
