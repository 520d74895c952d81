// Language files of languages with their own letters are written in code
// page 866; the screen wants the terminal's character set.
#ifndef QUILLET_CONSOLE_TEXT_CODEC_HPP
#define QUILLET_CONSOLE_TEXT_CODEC_HPP

#include <string>

namespace console {

// `text` from code page 866 to the locale's character set (iconv); the
// bytes unchanged when the conversion is not available.  English texts
// are left as they are.
std::string ConvertLanguageText(const std::string &text, const std::string &language);

}  // namespace console

#endif
