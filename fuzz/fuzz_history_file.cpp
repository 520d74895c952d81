// The history file on any text (it is the user's, but another program or a
// cut-off write may have left anything in it): what loads keeps the store's
// rules (at most kHistoryLimit entries under a name, none empty, none twice),
// saving and loading again gives the same store and the same text, and a
// merge with another host's store keeps this host's new entries and
// changes nothing when this host used nothing.
#include <stdint.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "core/history.hpp"

namespace {

void CheckRules(const hostcore::HistoryStore &store) {
  for (const auto &entry : store) {
    const std::vector<std::string> &list = entry.second;
    if (list.size() > hostcore::kHistoryLimit) abort();
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i].empty()) abort();
      if (std::find(list.begin() + static_cast<long>(i) + 1, list.end(), list[i]) != list.end())
        abort();
    }
  }
}

// The one scratch file of this process, removed when it ends.
struct Scratch {
  std::string Path;
  Scratch() {
    const char *folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    Path = std::string(folder) + "/quillet-fuzz-histories-" + std::to_string(getpid());
  }
  ~Scratch() { unlink(Path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The file as it is now [NUL what this host used since, one
  // "name<TAB>entry" line each].
  const std::string input(reinterpret_cast<const char *>(data), size);
  const size_t cut = input.find('\0');
  hostcore::HistoryStore onDisk, used;
  hostcore::LoadHistories(input.substr(0, cut), onDisk);
  CheckRules(onDisk);
  const std::string text = hostcore::SaveHistories(onDisk);
  hostcore::HistoryStore again;
  hostcore::LoadHistories(text, again);
  if (again != onDisk || hostcore::SaveHistories(again) != text) abort();

  static const Scratch scratch;
  const std::string &path = scratch.Path;
  if (!hostcore::SaveHistoriesToFile(onDisk, path)) abort();
  hostcore::HistoryStore fromFile;
  if (!hostcore::LoadHistoriesFromFile(path, fromFile) || fromFile != onDisk) abort();

  // This host read an older file (the first half of the entries) and used
  // the entries after the NUL since.
  hostcore::HistoryStore base;
  for (const auto &entry : onDisk) {
    for (size_t i = 0; i < entry.second.size() / 2; ++i)
      hostcore::AddToHistory(base, entry.first, entry.second[i]);
  }
  if (hostcore::MergeHistories(onDisk, base, base) != onDisk) abort();
  if (cut != std::string::npos) hostcore::LoadHistories(input.substr(cut + 1), used);
  hostcore::HistoryStore mine = base;
  for (const auto &entry : used) {
    for (const std::string &item : entry.second) hostcore::AddToHistory(mine, entry.first, item);
  }
  const hostcore::HistoryStore merged = hostcore::MergeHistories(onDisk, base, mine);
  CheckRules(merged);
  for (const auto &entry : used) {
    const std::vector<std::string> &list = merged.at(entry.first);
    // Whatever this host used that it had not read comes through, newest
    // last, unless more than the limit of them pushed the oldest out.
    const std::vector<std::string> &had =
        base.count(entry.first) ? base.at(entry.first) : std::vector<std::string>();
    std::vector<std::string> fresh;
    for (const std::string &item : mine.at(entry.first)) {
      if (std::find(had.begin(), had.end(), item) == had.end()) fresh.push_back(item);
    }
    for (size_t i = 0; i < fresh.size() && i < hostcore::kHistoryLimit; ++i) {
      const std::string &item = fresh[fresh.size() - 1 - i];
      if (std::find(list.begin(), list.end(), item) == list.end()) abort();
    }
  }
  return 0;
}
