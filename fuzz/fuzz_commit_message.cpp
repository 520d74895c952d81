// The commit message on its round trip: the module writes the template
// (with a list of changed paths taken from the input) and the user's
// message below it, the host's editor loads and saves the file, and what
// the module keeps of it for the next commit is the message, whole and
// unchanged, whatever bytes and line ends it holds; offered again under
// the next template, it comes back the same once more.
#include <stdint.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "commands/commands.hpp"
#include "core/text_document.hpp"

namespace {

// The one scratch file of this process, removed when it ends.
struct Scratch {
  std::string Path;
  Scratch() {
    const char *folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    Path = std::string(folder) + "/quillet-fuzz-commit-" + std::to_string(getpid());
  }
  ~Scratch() { unlink(Path.c_str()); }
};

void WriteBytes(const std::string &path, const std::string &text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) abort();
}

std::string ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the editor does to the file when the user saves it unchanged.
std::string ThroughTheEditor(const std::string &path, const std::string &text) {
  WriteBytes(path, text);
  hostcore::TextDocument document;
  std::string error;
  if (!hostcore::LoadDocument(path, document, error)) abort();
  if (!hostcore::SaveDocument(path, document, error)) abort();
  return ReadBytes(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // message [NUL changed paths, one a line]
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t cut = input.find('\0');
  std::string message = input.substr(0, cut);
  std::vector<std::string> modified;
  if (cut != std::string::npos) {
    std::istringstream lines(input.substr(cut + 1));
    for (std::string line; std::getline(lines, line);) modified.push_back(line);
  }
  // The user writes whole lines beside the template.
  if (!message.empty() && message.back() != '\n') message += '\n';
  // What the message alone gives: the template may add nothing to it.
  const std::string kept = MessageWithoutTemplate(message);

  static const Scratch scratch;
  const std::string &path = scratch.Path;
  bool haveFiles = false;
  const bool withList = !modified.empty() && (size & 1) != 0;
  const std::string written = CommitTemplateText(withList, {"."}, modified, haveFiles, modified);
  const std::string saved = ThroughTheEditor(path, written + message);
  if (saved != written + message) abort();
  if (MessageWithoutTemplate(saved) != kept) abort();

  // The next commit offers the kept message first, above a fresh template,
  // and gives it back unchanged.
  const std::string next = CommitTemplateText(!withList, {"."}, modified, haveFiles);
  if (MessageWithoutTemplate(ThroughTheEditor(path, kept + next)) != kept) abort();
  return 0;
}
