// Kept commit messages: "commit-<hash of the working copy's path>" in the
// state folder, its first line the working copy's path (so that two paths
// of one hash never take each other's message), the message after it.
#include "commands/kept_message.hpp"

#include <stdint.h>
#include <stdio.h>

#include <map>

#include "os/os.hpp"
#include "os/plain_file.hpp"
#include "os/state_folder.hpp"

namespace {

// A message larger than this is no message the user typed.
const size_t kLargestKeptMessage = 1u << 20;

// Messages that could not be written to disk, by working copy.
std::map<std::string, std::string> InMemory;

std::string HashName(const std::string &text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char name[32];
  snprintf(name, sizeof name, "commit-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace

std::string KeptMessagePath(const std::string &workingCopy) {
  const std::string folder = os::StateFolder();
  if (folder.empty()) return "";
  return folder + os::kSep + HashName(workingCopy);
}

std::string LoadKeptMessage(const std::string &workingCopy) {
  const auto held = InMemory.find(workingCopy);
  if (held != InMemory.end()) return held->second;
  const std::string path = KeptMessagePath(workingCopy);
  std::string content;
  if (path.empty() || os::ReadPlainFile(path, kLargestKeptMessage, content) != os::PlainRead::Read)
    return "";
  const size_t end = content.find('\n');
  if (end == std::string::npos || content.compare(0, end, workingCopy) != 0) return "";
  return content.substr(end + 1);
}

bool KeepMessage(const std::string &workingCopy, const std::string &text) {
  const std::string path = KeptMessagePath(workingCopy);
  if (!path.empty() && os::WriteWholeFile(path, workingCopy + "\n" + text)) {
    InMemory.erase(workingCopy);
    return true;
  }
  InMemory[workingCopy] = text;
  return false;
}

void ForgetKeptMessage(const std::string &workingCopy) {
  InMemory.erase(workingCopy);
  const std::string path = KeptMessagePath(workingCopy);
  if (!path.empty()) os::RemoveFile(path);
}
