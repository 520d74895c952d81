// The walk over the folders a cvs run visits.  It holds each folder open
// while it looks below it, so that depth and path length do not matter,
// and it stops at the first folder in the way.
#include "runner/cvs_visits.hpp"

#include <memory>
#include <set>
#include <unordered_set>
#include <vector>

#include "host/host.hpp"
#include "os/folder.hpp"
#include "os/os.hpp"
#include "runner/admin_folder.hpp"
#include "runner/cvs_root.hpp"
#include "runner/entries_file.hpp"

namespace {

// A CVS/Repository line is a path; anything longer is no repository.
const size_t kRepositoryLineLength = 65536;

std::string FirstLine(const std::string &text) {
  return text.substr(0, text.find_first_of(std::string("\r\n\0", 3)));
}

// What one working-copy folder's CVS folder says, read within bounds.
struct AdminFiles {
  std::string Root;  // empty when there is no CVS/Root
  std::string Repository;
  FolderEntries Entries;
};

class Walk {
 public:
  explicit Walk(const VisitLimits &limits) : limits_(limits) {}

  // Looks at `folder`, reached as `shown`, whose root is `root` unless its
  // own CVS/Root names another; true once something is found.
  bool Visit(const os::Folder &folder, const std::string &shown, const std::string &root, int depth,
             bool recursive);

  VisitFinding Found;

 private:
  bool Stop(VisitFinding::Kind what, const std::string &where, const std::string &detail) {
    Found.What = what;
    Found.Folder = where;
    Found.Detail = detail;
    return true;
  }
  // Reads the CVS folder of `folder`; false (with Found set) when it is in
  // the way or cannot be read.
  bool ReadAdmin(const os::Folder &folder, const std::string &shown, AdminFiles &admin);
  bool VisitBelow(const os::Folder &folder, const std::string &shown, const std::string &name,
                  const std::string &root, int depth);

  const VisitLimits &limits_;
  std::set<os::FolderIdentity> seen_;
  size_t folders_ = 0;
};

bool Walk::ReadAdmin(const os::Folder &folder, const std::string &shown, AdminFiles &admin) {
  const std::string refusal = AdminFolderRefusal(folder);
  if (!refusal.empty()) {
    Stop(VisitFinding::AdminFolder, shown, refusal);
    return false;
  }
  os::EnterResult entered;
  std::unique_ptr<os::Folder> cvs = folder.Enter("CVS", false, entered);
  if (cvs == nullptr) {
    Stop(VisitFinding::Unchecked, shown, GetMsg(MRefusedAdminUnreadable));
    return false;
  }
  struct Wanted {
    const char *Name;
    size_t Bound;
    bool WholeOnly;
    std::string Text;
  } files[] = {{"Root", kRootLineLength, false, ""},
               {"Repository", kRepositoryLineLength, false, ""},
               {"Entries", kAdminFileLimit, true, ""},
               {"Entries.Log", kAdminFileLimit, true, ""}};
  for (Wanted &file : files) {
    const os::PlainRead read = cvs->ReadPlain(file.Name, file.Bound, file.Text);
    if (read == os::PlainRead::Read || read == os::PlainRead::Missing ||
        (read == os::PlainRead::TooLarge && !file.WholeOnly))
      continue;
    Stop(VisitFinding::Unchecked, shown,
         FormatText(CheckedFormat(read == os::PlainRead::TooLarge ? MVisitTooLarge : MVisitUnread),
                    file.Name));
    return false;
  }
  admin.Root = FirstLine(files[0].Text);
  admin.Repository = FirstLine(files[1].Text);
  admin.Entries = ParseEntries(files[2].Text, files[3].Text);
  return true;
}

bool Walk::Visit(const os::Folder &folder, const std::string &shown, const std::string &root,
                 int depth, bool recursive) {
  // A folder met again (through a link) says nothing new.
  if (folder.Identity().Known && !seen_.insert(folder.Identity()).second) return false;
  if (++folders_ > limits_.MostFolders)
    return Stop(VisitFinding::Unchecked, shown,
                FormatText(CheckedFormat(MVisitTooMany), static_cast<int>(limits_.MostFolders)));
  const os::EntryType adminType = folder.TypeOf("CVS", false);
  if (adminType == os::EntryType::Failed)
    return Stop(VisitFinding::Unchecked, shown, GetMsg(MVisitAdminUnlooked));
  AdminFiles admin;
  admin.Root = root;
  if (adminType != os::EntryType::Missing) {
    if (!ReadAdmin(folder, shown, admin)) return true;
    if (RootCarriesOptions(admin.Root)) return Stop(VisitFinding::RootOptions, shown, admin.Root);
    if (admin.Root.empty()) admin.Root = root;
  }
  if (!recursive) return false;

  // The subfolders cvs enters; for some only when they hold a CVS folder.
  struct Next {
    std::string Name;
    bool OnlyWithAdmin;
  };
  std::vector<Next> next;
  const FolderEntries &entries = admin.Entries;
  if (entries.NamesFolders)
    for (const std::string &name : entries.Folders) next.push_back({name, false});
  std::unique_ptr<os::Folder> repository =
      os::Folder::Open(LocalRepositoryFolder(admin.Root, admin.Repository));
  if (!entries.NamesFolders || repository != nullptr) {
    const std::unordered_set<std::string> named(entries.Folders.begin(), entries.Folders.end());
    const bool listed = folder.EachEntry([&](const std::string &name, os::EntryType type) {
      if ((type != os::EntryType::Folder && type != os::EntryType::Link) || name == "CVS" ||
          (entries.NamesFolders && named.count(name) != 0))
        return;
      if (repository != nullptr && repository->TypeOf(name, true) == os::EntryType::Folder) {
        next.push_back({name, false});
      } else if (!entries.NamesFolders) {
        next.push_back({name, true});
      }
    });
    if (!listed) return Stop(VisitFinding::Unchecked, shown, GetMsg(MVisitUnlisted));
  }
  repository.reset();  // one descriptor less held for each level below
  if (!next.empty() && depth >= limits_.MostDepth)
    return Stop(VisitFinding::Unchecked, shown,
                FormatText(CheckedFormat(MVisitTooDeep), limits_.MostDepth));
  for (const Next &step : next) {
    os::EnterResult entered;
    std::unique_ptr<os::Folder> child = folder.Enter(step.Name, true, entered);
    const std::string childShown = shown + os::kSep + step.Name;
    if (entered == os::EnterResult::Failed)
      return Stop(VisitFinding::Unchecked, childShown, GetMsg(MVisitUnentered));
    if (child == nullptr) continue;
    if (step.OnlyWithAdmin) {
      const os::EntryType type = child->TypeOf("CVS", false);
      if (type == os::EntryType::Failed)
        return Stop(VisitFinding::Unchecked, childShown, GetMsg(MVisitAdminUnlooked));
      if (type == os::EntryType::Missing) continue;
    }
    if (Visit(*child, childShown, admin.Root, depth + 1, true)) return true;
  }
  return false;
}

}  // namespace

VisitFinding CheckFoldersCvsVisits(const std::string &start, bool recursive,
                                   const VisitLimits &limits) {
  Walk walk(limits);
  std::unique_ptr<os::Folder> folder = os::Folder::Open(start);
  if (folder == nullptr) {
    // Missing: cvs has nothing to visit there; otherwise it is unchecked.
    if (os::IsDirectory(start)) {
      walk.Found.What = VisitFinding::Unchecked;
      walk.Found.Folder = start;
      walk.Found.Detail = GetMsg(MVisitUnopened);
    }
    return walk.Found;
  }
  // Where no CVS/Root says otherwise, cvs takes CVSROOT.
  std::string root;
  os::GetEnv("CVSROOT", root);
  walk.Visit(*folder, start, root, 0, recursive);
  return walk.Found;
}
