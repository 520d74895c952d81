// Code page 866 to the terminal's character set.
#include "console/text_codec.hpp"

#include <iconv.h>
#include <langinfo.h>

#include <vector>

namespace console {

std::string ConvertLanguageText(const std::string &text, const std::string &language) {
  if (language == "English" || text.empty()) return text;
  std::string target = std::string(nl_langinfo(CODESET)) + "//TRANSLIT";
  iconv_t codec = iconv_open(target.c_str(), "CP866");
  if (codec == reinterpret_cast<iconv_t>(-1)) return text;
  std::vector<char> out(text.size() * 4 + 16);
  std::vector<char> in(text.begin(), text.end());
  char *inAt = in.data(), *outAt = out.data();
  size_t inLeft = in.size(), outLeft = out.size();
  size_t done = iconv(codec, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(codec);
  if (done == static_cast<size_t>(-1)) return text;
  return std::string(out.data(), out.size() - outLeft);
}

}  // namespace console
