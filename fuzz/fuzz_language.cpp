// The language file as the host reads it, and the module's messages taken
// from it: any file gives texts that the module fetches and copies into its
// fixed fields safely, and the two texts it uses as formats reach FormatText
// only when their conversions fit the arguments (else the built-in English
// text does), whatever the file holds.  FormatText also runs with the
// module's own literal formats and arguments taken from the input.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "far/field_text.hpp"
#include "host/host.hpp"
#include "standin/standin.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static std::string path;
  standin::Host &host = standin::Host::Get();
  if (path.empty()) {
    char pattern[] = "/tmp/quillet-fuzz-lng.XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) return 0;
    close(fd);
    path = pattern;
    PluginStartupInfo info = host.StartupInfo();
    BindHost(&info);
  }
  FILE *file = fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  fwrite(data, 1, size, file);
  fclose(file);
  host.Language.clear();
  host.LoadLanguage(path);

  char field[128];
  for (int id = -1; id <= static_cast<int>(host.Language.size()) + 1; ++id) {
    const char *text = MessageText(id);
    if (text == nullptr) abort();
    CopyToField(field, text);
    if (strlen(field) >= sizeof field) abort();
  }
  host.Calls.clear();

  // The module's formats with arguments from the input.
  const std::string word(reinterpret_cast<const char *>(data),
                         strnlen(reinterpret_cast<const char *>(data), size));
  const int number = size >= 4 ? static_cast<int>(data[0] | data[1] << 8 | data[2] << 16 |
                                                  static_cast<unsigned>(data[3]) << 24)
                               : static_cast<int>(size);
  const char *wordAndNumber[] = {"%s %d item(s)", "%s %d \x8e\xa1\xea\xa5\xaa\xe2(\xa0\xa2)"};
  for (const char *format : wordAndNumber) {
    if (FormatText(format, word.c_str(), number).size() < word.size()) abort();
  }
  // The language file's own formats, as the confirmation and the outcome
  // box take them.
  FormatText(CheckedFormat(MConfirmHeading, "sd", "%s %d"), word.c_str(), number);
  FormatText(CheckedFormat(MFailedExitCode, "d", "%d"), number);
  for (const std::string &text : host.Language) {
    if (FormatFits(text.c_str(), "sd")) FormatText(text.c_str(), word.c_str(), number);
    if (FormatFits(text.c_str(), "d")) FormatText(text.c_str(), number);
  }
  FormatText("CVS ended with exit code %d", number);
  FormatText("View %s", word.c_str());
  FormatText("Lo&g %d files", number);
  return 0;
}
