// Checking a working copy's CVS folder before cvs may run on it unasked.
#include "runner/admin_folder.hpp"

#include "os/os.hpp"

namespace {
// A CVS folder holds a dozen files at most; a folder with more entries than
// this is not one that cvs made.
const size_t kMostAdminEntries = 256;
}  // namespace

std::string AdminFolderRefusal(const std::string &dir) {
  const std::string admin = dir + os::kSep + "CVS";
  if (!os::IsPlainDirectory(admin)) return "CVS is not a plain folder";
  std::string refusal;
  size_t entries = 0;
  const bool listed = os::EachDirectoryEntry(admin, [&](const FAR_FIND_DATA &entry) {
    const std::string name = entry.cFileName;
    if (!refusal.empty() || name == "." || name == "..") return;
    if (++entries > kMostAdminEntries) {
      refusal = "CVS holds too many entries";
      return;
    }
    const std::string path = admin + os::kSep + name;
    if (os::IsPlainFile(path) || (name == "Base" && os::IsPlainDirectory(path))) return;
    refusal = name + " is not a plain file";
  });
  if (!listed) return "CVS cannot be read";
  return refusal;
}

os::PlainRead ReadAdminFile(const std::string &dir, const char *name, std::string &content) {
  const os::PlainRead result = os::ReadPlainFile(
      dir + os::kSep + "CVS" + os::kSep + name, kAdminFileLimit, content);
  if (result == os::PlainRead::TooLarge) content.clear();
  return result;
}
