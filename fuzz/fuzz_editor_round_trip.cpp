// The editor's load and save on any file: saved unchanged it gives the
// same bytes, loaded again the same lines with the same ends; typing one
// character changes the file by that one character and nothing else,
// whatever line ends it mixes; and a few more edits taken from the input
// (typing, Enter, Backspace, Del, moves) are saved as the editor shows
// them and read back the same.
#include <stdint.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/keys.hpp"
#include "core/text_document.hpp"

namespace {

namespace vk = hostcore::vk;

// The one scratch file of this process, removed when it ends.
struct Scratch {
  std::string Path;
  Scratch() {
    const char *folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    Path = std::string(folder) + "/quillet-fuzz-editor-" + std::to_string(getpid());
  }
  ~Scratch() { unlink(Path.c_str()); }
};

std::string ReadBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

hostcore::TextDocument Load(const std::string &path) {
  hostcore::TextDocument document;
  std::string error;
  if (!hostcore::LoadDocument(path, document, error)) abort();
  return document;
}

void Save(const std::string &path, hostcore::TextDocument &document) {
  std::string error;
  if (!hostcore::SaveDocument(path, document, error)) abort();
}

// Same lines, same ends (the last line's is None either way).
void ExpectSame(const hostcore::TextDocument &a, const hostcore::TextDocument &b) {
  if (a.Lines != b.Lines || a.Ends.size() != a.Lines.size() || a.Ends != b.Ends) abort();
}

// The byte offset of the document's cursor in its text.
size_t CursorOffset(const hostcore::TextDocument &document) {
  std::string before;
  hostcore::TextDocument head = document;
  head.Lines.resize(static_cast<size_t>(document.Row) + 1);
  head.Ends.resize(head.Lines.size());
  head.Lines.back().resize(document.Column);
  head.Ends.back() = hostcore::LineEnd::None;
  return hostcore::DocumentText(head).size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // edits (one byte each, up to the first NUL) NUL file
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t cut = input.find('\0');
  const std::string edits = cut == std::string::npos ? std::string() : input.substr(0, cut);
  const std::string file = cut == std::string::npos ? input : input.substr(cut + 1);
  static const Scratch scratch;
  const std::string &path = scratch.Path;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << file;
    if (!out.flush()) abort();
  }
  hostcore::TextDocument document = Load(path);
  Save(path, document);
  if (ReadBytes(path) != file) abort();
  ExpectSame(document, Load(path));

  // One character typed where the first edit byte points.
  if (!edits.empty()) {
    const unsigned char first = static_cast<unsigned char>(edits[0]);
    document.Row = first % static_cast<int>(document.Lines.size());
    document.Column = first % (document.Lines[static_cast<size_t>(document.Row)].size() + 1);
    const size_t at = CursorOffset(document);
    hostcore::InsertIntoDocument(document, "x");
    std::string expected = file;
    expected.insert(at, "x");
    if (hostcore::DocumentText(document) != expected) abort();
  }
  // Then the rest of the edits, and a save and a load.
  const hostcore::KeyPress keys[] = {
      hostcore::KeyOf(vk::Return), hostcore::KeyOf(vk::Back),  hostcore::KeyOf(vk::Delete),
      hostcore::KeyOf(vk::Up),     hostcore::KeyOf(vk::Down),  hostcore::KeyOf(vk::Left),
      hostcore::KeyOf(vk::Right),  hostcore::KeyOf(vk::Home),  hostcore::KeyOf(vk::End),
      hostcore::KeyOf(vk::Tab),    hostcore::CharacterKey('y')};
  for (size_t i = 1; i < edits.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(edits[i]);
    hostcore::DocumentKey(document, keys[byte % (sizeof keys / sizeof keys[0])], 10);
  }
  // A line that now ends in CR before its LF reads back as a CR LF line:
  // the bytes are what count.
  Save(path, document);
  const std::string text = hostcore::DocumentText(document);
  if (ReadBytes(path) != text || hostcore::DocumentText(Load(path)) != text) abort();
  return 0;
}
