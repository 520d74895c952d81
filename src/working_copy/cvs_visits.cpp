// The walk over the folders a cvs run visits.  It holds each folder open
// while it looks below it, so that depth and path length do not matter,
// and it stops at the first folder in the way.  Of each folder it keeps,
// while it looks below, only the names of the subfolders still to visit:
// the administrative files are read, judged and let go first.
#include "working_copy/cvs_visits.hpp"

#include <memory>
#include <set>
#include <unordered_set>
#include <vector>

#include "os/folder.hpp"
#include "os/os.hpp"
#include "texts/format_text.hpp"
#include "texts/messages.hpp"
#include "working_copy/admin_folder.hpp"
#include "working_copy/cvs_root.hpp"
#include "working_copy/entries_file.hpp"

namespace {

// A CVS/Repository line is a path; anything longer is no repository.
const size_t kRepositoryLineLength = 65536;
// A repository's CVSROOT holds a few dozen files.
const size_t kMostRepositoryAdminEntries = 4096;

std::string FirstLine(const std::string &text) {
  return text.substr(0, text.find_first_of(std::string("\r\n\0", 3)));
}

// The user's word given this session, by what it was given to.
std::set<std::string> &Agreed() {
  static std::set<std::string> agreed;
  return agreed;
}

// 64-bit FNV-1a, over the texts the walk reads.
void Mix(uint64_t &hash, const std::string &text) {
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  hash ^= 0xFF;
  hash *= 1099511628211ull;
}

std::string Absolute(const std::string &path) {
  if (!path.empty() && (path[0] == '/' || path[0] == os::kSep)) return path;
#ifdef _WIN32
  if (path.size() >= 2 && path[1] == ':') return path;
#endif
  // "." and "./x" name the current folder and one below it.
  if (path == ".") return os::CurrentDir();
  if (path.size() > 2 && path[0] == '.' && (path[1] == '/' || path[1] == os::kSep))
    return os::CurrentDir() + os::kSep + path.substr(2);
  return os::CurrentDir() + os::kSep + path;
}

// Why the repository at `root` is not the user's alone: its folder, its
// CVSROOT folder and each file there must be the user's (or the system's)
// and writable by nobody else.  Empty when it is, or when there is none.
std::string RepositoryNotOwn(const std::string &root) {
  std::unique_ptr<os::Folder> top = os::Folder::Open(root);
  if (top == nullptr) return "";
  auto said = [](os::Sharing sharing, const std::string &what) -> std::string {
    switch (sharing) {
      case os::Sharing::OtherOwner:
        return FormatText(CheckedFormat(MOwnedByOther), what.c_str());
      case os::Sharing::WritableByOthers:
        return FormatText(CheckedFormat(MWritableByOthers), what.c_str());
      case os::Sharing::Unknown:
        return FormatText(CheckedFormat(MSharingUnknown), what.c_str());
      default:
        return "";
    }
  };
  std::string why = said(top->SharingOfSelf(), root);
  if (!why.empty()) return why;
  os::EnterResult entered;
  std::unique_ptr<os::Folder> admin = top->Enter("CVSROOT", true, entered);
  const std::string adminPath = root + "/CVSROOT";
  if (admin == nullptr)
    return entered == os::EnterResult::Failed ? said(os::Sharing::Unknown, adminPath) : "";
  why = said(admin->SharingOfSelf(), adminPath);
  if (!why.empty()) return why;
  size_t count = 0;
  const bool listed = admin->EachEntry([&](const std::string &name, os::EntryType) {
    if (!why.empty()) return;
    if (++count > kMostRepositoryAdminEntries) {
      why = said(os::Sharing::Unknown, adminPath);
      return;
    }
    why = said(admin->SharingOf(name, true), adminPath + "/" + name);
  });
  if (!listed) return said(os::Sharing::Unknown, adminPath);
  return why;
}

// Why another user could change the working-copy folder `folder` or its
// CVS folder `admin` under cvs; empty when nobody can.
std::string FolderShared(const os::Folder &folder, const os::Folder &admin) {
  const os::Sharing sharing[] = {folder.SharingOfSelf(), admin.SharingOfSelf()};
  const char *const what[] = {".", "CVS"};
  for (int i = 0; i < 2; ++i) {
    if (sharing[i] == os::Sharing::OtherOwner)
      return FormatText(CheckedFormat(MOwnedByOther), what[i]);
    if (sharing[i] == os::Sharing::WritableByOthers)
      return FormatText(CheckedFormat(MWritableByOthers), what[i]);
  }
  std::string why;
  admin.EachEntry([&](const std::string &name, os::EntryType) {
    if (!why.empty()) return;
    const os::Sharing file = admin.SharingOf(name, false);
    const std::string shown = "CVS/" + name;
    if (file == os::Sharing::OtherOwner)
      why = FormatText(CheckedFormat(MOwnedByOther), shown.c_str());
    else if (file == os::Sharing::WritableByOthers)
      why = FormatText(CheckedFormat(MWritableByOthers), shown.c_str());
  });
  return why;
}

// A name cvs takes as one subfolder: never "." or "..", never a path.
bool SingleFolderName(const std::string &name) {
  if (name.empty() || name == "." || name == "..") return false;
#ifdef _WIN32
  if (name.find_first_of("\\:") != std::string::npos) return false;
#endif
  return name.find('/') == std::string::npos;
}

class Walk {
 public:
  Walk(const VisitLimits &limits, const std::string &start)
      : limits_(limits), start_(Absolute(start)) {
    os::GetEnv("CVSROOT", ownRoot_);
  }

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
  // For the kinds the user may agree to: passes over what was agreed to
  // (false), else stops there (true).
  bool Ask(VisitFinding::Kind what, const std::string &where, const std::string &detail,
           const std::string &place) {
    VisitFinding finding;
    finding.What = what;
    finding.Key = std::to_string(static_cast<int>(what)) + "\n" + place + "\n" + detail;
    Mix(Found.Fingerprint, finding.Key);
    if (AgreedTo(finding)) return false;
    Found.Key = finding.Key;
    return Stop(what, where, detail);
  }
  bool Broken() const { return limits_.Stop != nullptr && limits_.Stop->load(); }
  // Reads the CVS folder of `folder`, and the subfolders its entries name
  // into `entries` when given; false (with Found set) when it is in the way
  // or cannot be read.
  bool ReadAdmin(const os::Folder &folder, const std::string &shown, std::string &root,
                 std::string &repository, FolderEntries *entries);
  // What cvs is told by the root of a folder: false when it may go on.
  bool JudgeRoot(const std::string &shown, const std::string &root);

  const VisitLimits &limits_;
  const std::string start_;
  std::string ownRoot_;
  std::set<os::FolderIdentity> seen_;
  std::set<std::string> repositoriesJudged_;
  size_t folders_ = 0;
};

bool Walk::ReadAdmin(const os::Folder &folder, const std::string &shown, std::string &root,
                     std::string &repository, FolderEntries *entries) {
  const std::string refusal = AdminFolderRefusal(folder);
  if (!refusal.empty()) {
    Stop(VisitFinding::AdminFolder, shown, refusal);
    return false;
  }
  os::EnterResult entered;
  std::unique_ptr<os::Folder> cvs = folder.Enter("CVS", false, entered);
  if (cvs == nullptr) {
    Stop(VisitFinding::Unchecked, shown, MessageText(MRefusedAdminUnreadable));
    return false;
  }
  const std::string shared = FolderShared(folder, *cvs);
  if (!shared.empty() && Ask(VisitFinding::SharedFolder, shown, shared, Absolute(shown)))
    return false;
  if (cvs->TypeOf("Notify", false) != os::EntryType::Missing &&
      Ask(VisitFinding::NotifyFile, shown, MessageText(MNotifyDetail), Absolute(shown)))
    return false;
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
  root = FirstLine(files[0].Text);
  repository = FirstLine(files[1].Text);
  if (entries != nullptr) {
    *entries = ParseEntries(files[2].Text, files[3].Text);
    entries->Files.clear();
    entries->Files.shrink_to_fit();
  }
  return true;
}

bool Walk::JudgeRoot(const std::string &shown, const std::string &root) {
  if (RootCarriesOptions(root)) return Stop(VisitFinding::RootOptions, shown, root);
  const std::string host = RemoteShellHost(root);
  // The root the user set is the user's own choice of host.
  if (!host.empty() && limits_.AskForRemoteHosts && root != ownRoot_ &&
      Ask(VisitFinding::RemoteHost, shown, host, start_))
    return true;
  const std::string repository = LocalRepositoryRoot(root);
  if (!repository.empty() && root != ownRoot_ && repositoriesJudged_.insert(repository).second) {
    const std::string why = RepositoryNotOwn(repository);
    if (!why.empty() && Ask(VisitFinding::ForeignRepository, shown, why, start_)) return true;
  }
  return false;
}

bool Walk::Visit(const os::Folder &folder, const std::string &shown, const std::string &root,
                 int depth, bool recursive) {
  if (Broken()) return Stop(VisitFinding::Unchecked, shown, MessageText(MVisitBroken));
  // A folder met again (through a link) says nothing new.
  if (folder.Identity().Known && !seen_.insert(folder.Identity()).second) return false;
  if (++folders_ > limits_.MostFolders)
    return Stop(VisitFinding::Unchecked, shown,
                FormatText(CheckedFormat(MVisitTooMany), static_cast<int>(limits_.MostFolders)));
  const os::EntryType adminType = folder.TypeOf("CVS", false);
  if (adminType == os::EntryType::Failed)
    return Stop(VisitFinding::Unchecked, shown, MessageText(MVisitAdminUnlooked));
  std::string ownRoot = root, repositoryLine;
  FolderEntries entries;
  if (adminType != os::EntryType::Missing) {
    std::string rootLine;
    // The subfolders named are wanted only where the walk goes below.
    if (!ReadAdmin(folder, shown, rootLine, repositoryLine, recursive ? &entries : nullptr))
      return true;
    if (!rootLine.empty()) ownRoot = rootLine;
    Mix(Found.Fingerprint, shown);
    Mix(Found.Fingerprint, rootLine);
    Mix(Found.Fingerprint, repositoryLine);
  }
  if (JudgeRoot(shown, ownRoot)) return true;
  if (!recursive) return false;

  // The subfolders cvs enters; for some only when they hold a CVS folder.
  struct Next {
    std::string Name;
    bool OnlyWithAdmin;
  };
  std::vector<Next> next;
  if (entries.NamesFolders) {
    for (std::string &name : entries.Folders) {
      Mix(Found.Fingerprint, name);
      if (!SingleFolderName(name))
        return Stop(VisitFinding::OddFolder, shown + os::kSep + name, MessageText(MOddFolderName));
      next.push_back({std::move(name), false});
    }
  }
  std::unique_ptr<os::Folder> repository =
      os::Folder::Open(LocalRepositoryFolder(ownRoot, repositoryLine));
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
    if (!listed) return Stop(VisitFinding::Unchecked, shown, MessageText(MVisitUnlisted));
  }
  // Only the names to visit are held while the walk goes below.
  repository.reset();
  entries = FolderEntries();
  folders_ += next.size();
  if (folders_ > limits_.MostFolders)
    return Stop(VisitFinding::Unchecked, shown,
                FormatText(CheckedFormat(MVisitTooMany), static_cast<int>(limits_.MostFolders)));
  if (!next.empty() && depth >= limits_.MostDepth)
    return Stop(VisitFinding::Unchecked, shown,
                FormatText(CheckedFormat(MVisitTooDeep), limits_.MostDepth));
  for (const Next &step : next) {
    if (Broken()) return Stop(VisitFinding::Unchecked, shown, MessageText(MVisitBroken));
    const std::string childShown = shown + os::kSep + step.Name;
    const os::EntryType type = folder.TypeOf(step.Name, false);
    os::EnterResult entered;
    std::unique_ptr<os::Folder> child = folder.Enter(step.Name, true, entered);
    if (entered == os::EnterResult::Failed)
      return Stop(VisitFinding::Unchecked, childShown, MessageText(MVisitUnentered));
    if (child == nullptr) continue;
    if (step.OnlyWithAdmin) {
      const os::EntryType admin = child->TypeOf("CVS", false);
      if (admin == os::EntryType::Failed)
        return Stop(VisitFinding::Unchecked, childShown, MessageText(MVisitAdminUnlooked));
      if (admin == os::EntryType::Missing) continue;
    }
    // cvs works on whatever a link leads to, as if it were part of the
    // working copy: the user says whether it is.  A link that CVS/Entries
    // names is always asked about (back into the working copy, cvs would
    // follow it without end); an unnamed one only when it leads elsewhere.
    const bool newPlace = !child->Identity().Known || seen_.count(child->Identity()) == 0;
    if (Visit(*child, childShown, ownRoot, depth + 1, true)) return true;
    if (type == os::EntryType::Link && (newPlace || !step.OnlyWithAdmin))
      return Stop(VisitFinding::OddFolder, childShown, MessageText(MOddFolderLink));
  }
  return false;
}

}  // namespace

void AgreeTo(const VisitFinding &finding) {
  if (finding.NeedsConsent() && !finding.Key.empty()) Agreed().insert(finding.Key);
}

bool AgreedTo(const VisitFinding &finding) { return Agreed().count(finding.Key) != 0; }

VisitFinding CheckFoldersCvsVisits(const std::string &start, bool recursive,
                                   const VisitLimits &limits) {
  Walk walk(limits, start);
  std::unique_ptr<os::Folder> folder = os::Folder::Open(start);
  if (folder == nullptr) {
    // Missing: cvs has nothing to visit there; otherwise it is unchecked.
    if (os::IsDirectory(start)) {
      walk.Found.What = VisitFinding::Unchecked;
      walk.Found.Folder = start;
      walk.Found.Detail = MessageText(MVisitUnopened);
    }
    return walk.Found;
  }
  // Where no CVS/Root says otherwise, cvs takes CVSROOT.
  std::string root;
  os::GetEnv("CVSROOT", root);
  walk.Visit(*folder, start, root, 0, recursive);
  return walk.Found;
}
