// Reads language files and picks one by language.
#include "core/language.hpp"

#include <ctype.h>

#include <fstream>

#include "core/platform.hpp"

namespace hostcore {

namespace {
const std::string kLanguageTag = ".Language=";

std::string LanguageOf(const std::string &header) {
  if (header.compare(0, kLanguageTag.size(), kLanguageTag) != 0) return "";
  std::string name = header.substr(kLanguageTag.size());
  name = name.substr(0, name.find(','));
  while (!name.empty() && (name.back() == '\r' || name.back() == ' ')) name.pop_back();
  return name;
}
}  // namespace

bool ReadLanguageFile(const std::string &path, LanguageFile &file) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  file = LanguageFile();
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first) file.Name = LanguageOf(line);
    first = false;
    if (line.empty() || line[0] != '"') continue;
    size_t end = line.rfind('"');
    file.Texts.push_back(end > 0 ? line.substr(1, end - 1) : std::string());
  }
  return true;
}

std::string FindLanguageFile(const std::string &modulePath, const std::string &language) {
  size_t slash = modulePath.find_last_of("/\\");
  std::string dir = slash == std::string::npos ? "." : modulePath.substr(0, slash);
  std::vector<FolderEntry> entries;
  if (!ReadFolder(dir, entries)) return "";
  std::string chosen, english;
  for (const FolderEntry &entry : entries) {
    const std::string &name = entry.Name;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".lng") != 0) continue;
    std::string path = JoinPath(dir, name);
    std::ifstream in(path, std::ios::binary);
    std::string header;
    std::getline(in, header);
    std::string found = LanguageOf(header);
    // Folder order is arbitrary: the first match by name wins the same way every time.
    if (found == language && (chosen.empty() || path < chosen)) chosen = path;
    if (found == "English" && (english.empty() || path < english)) english = path;
  }
  return chosen.empty() ? english : chosen;
}

std::string LanguageForLocale(const char *lcAll, const char *lcMessages, const char *lang) {
  for (const char *value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    std::string locale = value;
    bool russian = locale.size() >= 2 && tolower(static_cast<unsigned char>(locale[0])) == 'r' &&
                   tolower(static_cast<unsigned char>(locale[1])) == 'u' &&
                   (locale.size() == 2 || !isalpha(static_cast<unsigned char>(locale[2])));
    return russian ? "Russian" : "English";
  }
  return "English";
}

}  // namespace hostcore
