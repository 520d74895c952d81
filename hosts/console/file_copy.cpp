// Copies and moves through descriptors of the folders involved, so that
// no name inside them is followed through a link.
#include "console/file_copy.hpp"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "console/file_operations.hpp"
#include "core/host_texts.hpp"
#include "core/platform.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

// How deep copying goes: each level holds two descriptors open.
const int kMaxDepth = 200;
const size_t kChunk = 1 << 20;

std::string Reason(const std::string &path, int code) { return path + ": " + strerror(code); }

std::string RealPath(const std::string &path) {
  char *real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return "";
  std::string result = real;
  free(real);
  return result;
}

// A name beside `name` that nobody else uses, for the copy in work.
std::string TemporaryName(const std::string &name, int attempt) {
  static unsigned counter = 0;
  char suffix[48];
  snprintf(suffix, sizeof suffix, ".quillet-%d-%u-%d", static_cast<int>(getpid()), ++counter,
           attempt);
  std::string base = name.size() > 200 ? name.substr(0, 200) : name;
  return "." + base + suffix;
}

bool IsFolder(const struct stat &info) { return S_ISDIR(info.st_mode); }

// Puts the finished copy `temporary` in place as `name`: over what is
// there when `replace`, else only where nothing is.
bool PutInPlace(int into, const std::string &temporary, const std::string &name, bool replace) {
  if (replace) return renameat(into, temporary.c_str(), into, name.c_str()) == 0;
  if (renameat2(into, temporary.c_str(), into, name.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot refuse to replace: look first.
  struct stat there;
  if (fstatat(into, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return false;
  }
  return renameat(into, temporary.c_str(), into, name.c_str()) == 0;
}

class Copier {
 public:
  Copier(CopyHooks &hooks, CopyReport &report) : hooks_(hooks), report_(report) {}
  CopyProgress Progress;

  // Copies entry `name` of the folder open as `from` to entry `toName` of
  // the folder open as `into`; `shown` and `target` are their paths for the
  // messages.  `agreed`: the user already said to replace what is there.
  // True when it was copied whole; a failure is reported.
  bool CopyAt(int from, const std::string &name, const std::string &shown, int into,
              const std::string &toName, const std::string &target, int depth, bool agreed) {
    if (report_.Stopped) return false;
    struct stat info, there;
    if (fstatat(from, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
      return Fail(Reason(shown, errno));
    bool exists = fstatat(into, toName.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && IsFolder(info) && IsFolder(there))
      return Merge(from, name, shown, into, toName, target, depth);
    if (exists && IsFolder(there)) return Fail(Say(HostText::FolderExists, {target}));
    if (exists && IsFolder(info)) return Fail(Say(HostText::ErrorAlreadyExists, {target}));
    if (exists && !agreed) {
      Existing answer = hooks_.AskReplace ? hooks_.AskReplace(target) : Existing::Skip;
      if (answer == Existing::Stop) report_.Stopped = true;
      if (answer != Existing::Replace) return false;
    }
    if (IsFolder(info)) return NewFolder(from, name, shown, info, into, toName, target, depth);
    if (S_ISLNK(info.st_mode)) return Link(from, name, shown, into, toName, target, exists);
    if (S_ISREG(info.st_mode)) return File(from, name, shown, info, into, toName, target, exists);
    return Fail(Say(HostText::NotCopyable, {shown}));
  }

  bool Fail(const std::string &reason) {
    report_.Failures.push_back(reason);
    return false;
  }

 private:
  bool File(int from, const std::string &name, const std::string &shown, const struct stat &info,
            int into, const std::string &toName, const std::string &target, bool replace) {
    Descriptor in(openat(from, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened;
    if (in.Get() < 0 || fstat(in.Get(), &opened) != 0) return Fail(Reason(shown, errno));
    if (!S_ISREG(opened.st_mode)) return Fail(Say(HostText::NotCopyable, {shown}));
    std::string temporary;
    int out = -1;
    for (int attempt = 0; out < 0 && attempt < 100; ++attempt) {
      temporary = TemporaryName(toName, attempt);
      out = openat(into, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   0600);
      if (out < 0 && errno != EEXIST) return Fail(Reason(target, errno));
    }
    if (out < 0) return Fail(Reason(target, EEXIST));
    Progress.Name = shown;
    Progress.Done = 0;
    Progress.Size = static_cast<uint64_t>(opened.st_size);
    std::string error = Pour(in.Get(), out, shown, target);
    if (error.empty()) {
      struct timespec times[2] = {info.st_atim, info.st_mtim};
      if (fchmod(out, info.st_mode & 07777) != 0 || futimens(out, times) != 0 ||
          fdatasync(out) != 0)
        error = Reason(target, errno);
    }
    if (close(out) != 0 && error.empty()) error = Reason(target, errno);
    if (error.empty() && !PutInPlace(into, temporary, toName, replace))
      error = errno == EEXIST ? Say(HostText::ErrorAlreadyExists, {target}) : Reason(target, errno);
    if (error.empty()) return true;
    unlinkat(into, temporary.c_str(), 0);
    if (report_.Stopped) return false;
    return Fail(error);
  }

  // Copies the bytes; "" when all arrived, else why not.
  std::string Pour(int in, int out, const std::string &shown, const std::string &target) {
    std::vector<char> buffer(kChunk);
    if (hooks_.Progress && !hooks_.Progress(Progress)) {
      report_.Stopped = true;
      return "stopped";
    }
    for (;;) {
      ssize_t got = read(in, buffer.data(), buffer.size());
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return Reason(shown, errno);
      if (got == 0) return "";
      for (ssize_t written = 0; written < got;) {
        ssize_t put = write(out, buffer.data() + written, static_cast<size_t>(got - written));
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return Reason(target, errno);
        written += put;
      }
      Progress.Done += static_cast<uint64_t>(got);
      if (hooks_.Progress && !hooks_.Progress(Progress)) {
        report_.Stopped = true;
        return "stopped";
      }
    }
  }

  bool Link(int from, const std::string &name, const std::string &shown, int into,
            const std::string &toName, const std::string &target, bool replace) {
    std::vector<char> text(4096);
    ssize_t length = readlinkat(from, name.c_str(), text.data(), text.size());
    if (length < 0) return Fail(Reason(shown, errno));
    if (static_cast<size_t>(length) >= text.size()) return Fail(Reason(shown, ENAMETOOLONG));
    std::string pointsTo(text.data(), static_cast<size_t>(length));
    std::string temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
      temporary = TemporaryName(toName, attempt);
      if (symlinkat(pointsTo.c_str(), into, temporary.c_str()) == 0) break;
      if (errno != EEXIST) return Fail(Reason(target, errno));
      temporary.clear();
    }
    if (temporary.empty()) return Fail(Reason(target, EEXIST));
    if (PutInPlace(into, temporary, toName, replace)) return true;
    int code = errno;
    unlinkat(into, temporary.c_str(), 0);
    return Fail(code == EEXIST ? Say(HostText::ErrorAlreadyExists, {target})
                               : Reason(target, code));
  }

  // A folder that is not there yet: built under a temporary name and put
  // in place whole, or removed again.
  bool NewFolder(int from, const std::string &name, const std::string &shown,
                 const struct stat &info, int into, const std::string &toName,
                 const std::string &target, int depth) {
    if (depth >= kMaxDepth) return Fail(Say(HostText::NestedTooDeep, {shown}));
    std::string temporary;
    for (int attempt = 0; attempt < 100; ++attempt) {
      temporary = TemporaryName(toName, attempt);
      if (mkdirat(into, temporary.c_str(), 0700) == 0) break;
      if (errno != EEXIST) return Fail(Reason(target, errno));
      temporary.clear();
    }
    if (temporary.empty()) return Fail(Reason(target, EEXIST));
    bool whole = false;
    {
      Descriptor source(
          openat(from, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      Descriptor copy(
          openat(into, temporary.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      std::vector<std::string> names;
      if (source.Get() < 0 || !ListFolder(source.Get(), names)) {
        Fail(Reason(shown, errno));
      } else if (copy.Get() < 0) {
        Fail(Reason(target, errno));
      } else {
        whole = true;
        for (const std::string &child : names) {
          whole = whole && CopyAt(source.Get(), child, shown + "/" + child, copy.Get(), child,
                                  target + "/" + child, depth + 1, false);
          if (!whole) break;
        }
        if (whole && fchmod(copy.Get(), info.st_mode & 07777) != 0)
          whole = Fail(Reason(target, errno));
      }
    }
    if (whole && PutInPlace(into, temporary, toName, false)) return true;
    if (whole)
      Fail(errno == EEXIST ? Say(HostText::ErrorAlreadyExists, {target}) : Reason(target, errno));
    std::string ignored;
    DeleteEntryAt(into, temporary, target, ignored);
    return false;
  }

  // A folder onto a folder that is there: each entry copied into it.
  bool Merge(int from, const std::string &name, const std::string &shown, int into,
             const std::string &toName, const std::string &target, int depth) {
    if (depth >= kMaxDepth) return Fail(Say(HostText::NestedTooDeep, {shown}));
    Descriptor source(openat(from, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    std::vector<std::string> names;
    if (source.Get() < 0 || !ListFolder(source.Get(), names)) return Fail(Reason(shown, errno));
    Descriptor there(openat(into, toName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (there.Get() < 0)
      return Fail(errno == ELOOP ? Say(HostText::IsALink, {target}) : Reason(target, errno));
    bool whole = true;
    for (const std::string &child : names) {
      bool copied = CopyAt(source.Get(), child, shown + "/" + child, there.Get(), child,
                           target + "/" + child, depth + 1, false);
      whole = whole && copied;
      if (report_.Stopped) return false;
    }
    return whole;
  }

  CopyHooks &hooks_;
  CopyReport &report_;
};

}  // namespace

bool CopyTargets(const std::vector<std::string> &sources, const std::string &destination,
                 const std::string &folder, std::vector<std::string> &targets, std::string &error) {
  targets.clear();
  if (destination.empty()) {
    error = Say(HostText::ErrorEmptyName);
    return false;
  }
  std::string path = destination[0] == '/' ? destination : hostcore::JoinPath(folder, destination);
  bool wantsFolder = path.size() > 1 && path.back() == '/';
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  struct stat info;
  bool intoFolder = stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  if (!intoFolder && (sources.size() > 1 || wantsFolder)) {
    error = sources.size() > 1
                ? Say(HostText::ManyToOneName, {std::to_string(sources.size()), path})
                : Say(HostText::ErrorNoSuchFolder, {path});
    return false;
  }
  for (const std::string &source : sources) {
    std::string target = intoFolder ? hostcore::JoinPath(path, NamePart(source)) : path;
    // Compared where they really are: the folders may be reached by links.
    std::string realSource = hostcore::JoinPath(RealPath(FolderPart(source)), NamePart(source));
    std::string realTarget = hostcore::JoinPath(RealPath(FolderPart(target)), NamePart(target));
    if (realTarget == realSource) {
      error = Say(HostText::SameEntry, {target});
      return false;
    }
    if (realTarget.compare(0, realSource.size() + 1, realSource + "/") == 0) {
      error = Say(HostText::IntoItself, {source});
      return false;
    }
    targets.push_back(target);
  }
  return true;
}

CopyReport CopyEntries(const std::vector<std::string> &sources,
                       const std::vector<std::string> &targets, bool move, CopyHooks &hooks) {
  CopyReport report;
  Copier copier(hooks, report);
  copier.Progress.Entries = sources.size();
  for (size_t i = 0; i < sources.size() && i < targets.size() && !report.Stopped; ++i) {
    copier.Progress.Entry = i + 1;
    const std::string &source = sources[i], &target = targets[i];
    Descriptor from(open(FolderPart(source).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    Descriptor into(open(FolderPart(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (from.Get() < 0) {
      copier.Fail(Reason(FolderPart(source), errno));
      continue;
    }
    if (into.Get() < 0) {
      copier.Fail(Reason(FolderPart(target), errno));
      continue;
    }
    std::string name = NamePart(source), toName = NamePart(target);
    bool agreed = false;
    if (move) {
      // A rename where the file system allows it: nothing is copied.
      struct stat info, there;
      bool exists = fstatat(into.Get(), toName.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0;
      bool sourceKnown = fstatat(from.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
      if (sourceKnown && exists && !IsFolder(info) && !IsFolder(there)) {
        Existing answer = hooks.AskReplace ? hooks.AskReplace(target) : Existing::Skip;
        if (answer == Existing::Stop) report.Stopped = true;
        if (answer != Existing::Replace) continue;
        agreed = true;
      }
      if (sourceKnown && (!exists || agreed)) {
        int result = agreed ? renameat(from.Get(), name.c_str(), into.Get(), toName.c_str())
                            : renameat2(from.Get(), name.c_str(), into.Get(), toName.c_str(),
                                        RENAME_NOREPLACE);
        if (result == 0) {
          ++report.Done;
          continue;
        }
        if (errno != EXDEV && errno != EINVAL && errno != ENOSYS) {
          copier.Fail(Reason(source, errno));
          continue;
        }
      }
    }
    if (!copier.CopyAt(from.Get(), name, source, into.Get(), toName, target, 0, agreed)) continue;
    if (move) {
      // The copy is whole: now the source goes.
      std::string error;
      if (!DeleteEntryAt(from.Get(), name, source, error)) {
        copier.Fail(error);
        continue;
      }
    }
    ++report.Done;
  }
  return report;
}

}  // namespace console
