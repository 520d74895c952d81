// Counting the messages of the language files beside the module.
#include "entry/language_count.hpp"

#include <ctype.h>

#include <memory>
#include <vector>

#include "os/folder.hpp"

namespace {

// A language file is a few kilobytes; one far larger is not one of ours.
const size_t kLargestLanguageFile = 1 << 20;

bool IsLanguageFile(const std::string &name) {
  if (name.size() < 4) return false;
  std::string ending = name.substr(name.size() - 4);
  for (char &c : ending) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return ending == ".lng";
}

int CountMessages(const std::string &text) {
  int count = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t first = text.find_first_not_of(" \t", start);
    if (first < end && text[first] == '"') ++count;
    start = end + 1;
  }
  return count;
}

}  // namespace

int FewestLanguageMessages(const std::string &modulePath) {
  size_t slash = modulePath.find_last_of("/\\");
  if (slash == std::string::npos) return 0;
  // The folder without its last separator, but a root ("/", "C:\\") with it.
  bool root = slash == 0 || modulePath[slash - 1] == ':';
  std::unique_ptr<os::Folder> folder = os::Folder::Open(modulePath.substr(0, root ? slash + 1 : slash));
  if (folder == nullptr) return 0;
  std::vector<std::string> names;
  folder->EachEntry([&](const std::string &name, os::EntryType) {
    if (IsLanguageFile(name)) names.push_back(name);
  });
  int fewest = -1;
  for (const std::string &name : names) {
    std::string text;
    if (folder->ReadPlain(name, kLargestLanguageFile, text) != os::PlainRead::Read) return 0;
    int count = CountMessages(text);
    if (fewest < 0 || count < fewest) fewest = count;
  }
  return fewest < 0 ? 0 : fewest;
}
