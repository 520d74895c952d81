// Checking a working copy's CVS folder before cvs may run on it unasked.
#include "working_copy/admin_folder.hpp"

#include <unordered_set>
#include <vector>

#include "os/os.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "working_copy/entries_file.hpp"

namespace {
// A CVS folder holds a dozen files at most; a folder with more entries than
// this is not one that cvs made.
const size_t kMostAdminEntries = 256;
}  // namespace

std::string AdminFolderRefusal(const os::Folder &dir) {
  os::EnterResult entered;
  std::unique_ptr<os::Folder> admin = dir.Enter("CVS", false, entered);
  if (admin == nullptr)
    return MessageText(entered == os::EnterResult::Failed ? MRefusedAdminUnreadable
                                                    : MRefusedAdminNotPlainFolder);
  std::string refusal;
  size_t entries = 0;
  const bool listed = admin->EachEntry([&](const std::string &name, os::EntryType type) {
    if (!refusal.empty()) return;
    if (++entries > kMostAdminEntries) {
      refusal = MessageText(MRefusedAdminTooMany);
      return;
    }
    // cvs reads its files whole: one above the module's own bound (a sparse
    // file of gigabytes, a Root without a line end) would fill the memory.
    uint64_t size = 0;
    if (type == os::EntryType::File && admin->SizeOf(name, false, size) && size > kAdminFileLimit) {
      refusal = FormatText(CheckedFormat(MRefusedTooLarge), name.c_str());
      return;
    }
    if (type == os::EntryType::File || (name == "Base" && type == os::EntryType::Folder)) return;
    refusal = FormatText(CheckedFormat(MRefusedNotPlainFile), name.c_str());
  });
  if (!listed) return MessageText(MRefusedAdminUnreadable);
  return refusal;
}

std::string AdminFolderRefusal(const std::string &dir) {
  std::unique_ptr<os::Folder> folder = os::Folder::Open(dir);
  if (folder == nullptr) return MessageText(MRefusedAdminNotPlainFolder);
  return AdminFolderRefusal(*folder);
}

namespace {

// The topmost folder, resolved, of the working copy that `dir` belongs to:
// its parents up to the last that holds a CVS folder.  Empty when `dir`
// cannot be resolved.
std::string WorkingCopyTop(const std::string &dir) {
  std::string top;
  if (!os::ResolvedPath(dir, top)) return "";
  for (;;) {
    const size_t cut = top.find_last_of(os::kSep);
    if (cut == std::string::npos || cut == 0) return top;
    const std::string parent = top.substr(0, cut);
    if (!os::IsDirectory(parent + os::kSep + "CVS")) return top;
    top = parent;
  }
}

}  // namespace

std::string TrackedFileRefusal(const std::string &dir) {
  std::unique_ptr<os::Folder> folder = os::Folder::Open(dir);
  if (folder == nullptr) return "";
  std::vector<std::string> odd;
  folder->EachEntry([&odd](const std::string &name, os::EntryType type) {
    if (type != os::EntryType::File && type != os::EntryType::Folder) odd.push_back(name);
  });
  if (odd.empty()) return "";
  std::string entries, log;
  ReadAdminFile(*folder, "Entries", entries);
  ReadAdminFile(*folder, "Entries.Log", log);
  const std::vector<std::string> files = ParseEntries(entries, log).Files;
  return TrackedFileRefusal(dir, odd, std::unordered_set<std::string>(files.begin(), files.end()));
}

std::string TrackedFileRefusal(const std::string &dir, const std::vector<std::string> &notPlain,
                               const std::unordered_set<std::string> &tracked) {
  std::unique_ptr<os::Folder> folder;
  std::string top;
  for (const std::string &name : notPlain) {
    if (tracked.count(name) == 0) continue;
    if (folder == nullptr) folder = os::Folder::Open(dir);
    if (folder == nullptr) return "";
    const os::EntryType type = folder->TypeOf(name, true);
    if (type == os::EntryType::Other || type == os::EntryType::Failed)
      return FormatText(CheckedFormat(MRefusedNotPlainFile), name.c_str());
    // cvs reads what a link leads to as the tracked file: only a file of
    // the working copy itself is one (a link to /proc/self/pagemap is not).
    if (folder->TypeOf(name, false) != os::EntryType::Link || type != os::EntryType::File) continue;
    if (top.empty()) top = WorkingCopyTop(dir);
    std::string target;
    if (top.empty() || !os::ResolvedPath(dir + os::kSep + name, target) ||
        target.compare(0, top.size() + 1, top + os::kSep) != 0)
      return FormatText(CheckedFormat(MRefusedOutside), name.c_str());
  }
  return "";
}

os::PlainRead ReadAdminFile(const os::Folder &dir, const char *name, std::string &content) {
  os::EnterResult entered;
  std::unique_ptr<os::Folder> admin = dir.Enter("CVS", false, entered);
  if (admin == nullptr) {
    content.clear();
    return entered == os::EnterResult::Failed ? os::PlainRead::Failed : os::PlainRead::Missing;
  }
  const os::PlainRead result = admin->ReadPlain(name, kAdminFileLimit, content);
  if (result == os::PlainRead::TooLarge) content.clear();
  return result;
}

os::PlainRead ReadAdminFile(const std::string &dir, const char *name, std::string &content) {
  const os::PlainRead result =
      os::ReadPlainFile(dir + os::kSep + "CVS" + os::kSep + name, kAdminFileLimit, content);
  if (result == os::PlainRead::TooLarge) content.clear();
  return result;
}
