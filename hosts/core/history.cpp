// Histories by name, and their text form for the history file.
#include "core/history.hpp"

#include <ctype.h>
#include <stdint.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/whole_file.hpp"

namespace hostcore {

void AddToHistory(HistoryStore &store, const std::string &name, const std::string &text) {
  if (text.empty()) return;
  std::vector<std::string> &list = store[name];
  list.erase(std::remove(list.begin(), list.end(), text), list.end());
  list.push_back(text);
  if (list.size() > kHistoryLimit) list.erase(list.begin(), list.end() - kHistoryLimit);
}

std::string LastInHistory(const HistoryStore &store, const std::string &name) {
  auto found = store.find(name);
  if (found == store.end() || found->second.empty()) return "";
  return found->second.back();
}

namespace {

std::string Escape(const std::string &text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

bool Unescape(const std::string &text, std::string &out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace

std::string SaveHistories(const HistoryStore &store) {
  std::string text;
  for (const auto &entry : store) {
    for (const std::string &item : entry.second) {
      text += Escape(entry.first) + "\t" + Escape(item) + "\n";
    }
  }
  return text;
}

void LoadHistories(const std::string &text, HistoryStore &store) {
  store.clear();
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::string name, item;
    if (!Unescape(line.substr(0, tab), name) || !Unescape(line.substr(tab + 1), item)) continue;
    AddToHistory(store, name, item);
  }
}

bool SaveHistoriesToFile(const HistoryStore &store, const std::string &path) {
  std::string error;
  return ReplaceFileWhole(path, SaveHistories(store), LinkRule::Replace, 0600, error);
}

bool LoadHistoriesFromFile(const std::string &path, HistoryStore &store) {
  uint64_t size = 0;
  if (FileSize(path, size) && size > kLargestHistoryFile) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string text;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(in.gcount()));
    if (text.size() > kLargestHistoryFile) return false;
  }
  LoadHistories(text, store);
  return true;
}

namespace {

// The entries of `mine` used since `base`: the shortest tail of `mine`
// whose removal from `base` leaves the rest of `mine` as the newest of
// what remains.  (Every use moves an entry to the end, and the oldest fall
// off the front.)
std::vector<std::string> UsedSince(const std::vector<std::string> &base,
                                   const std::vector<std::string> &mine) {
  for (size_t kept = mine.size(); kept > 0; --kept) {
    std::vector<std::string> used(mine.begin() + static_cast<long>(kept), mine.end());
    std::vector<std::string> rest;
    for (const std::string &entry : base) {
      if (std::find(used.begin(), used.end(), entry) == used.end()) rest.push_back(entry);
    }
    if (rest.size() >= kept && std::equal(mine.begin(), mine.begin() + static_cast<long>(kept),
                                          rest.end() - static_cast<long>(kept)))
      return used;
  }
  return mine;
}

}  // namespace

HistoryStore MergeHistories(const HistoryStore &onDisk, const HistoryStore &base,
                            const HistoryStore &mine) {
  HistoryStore merged = onDisk;
  static const std::vector<std::string> kNone;
  for (const auto &entry : mine) {
    auto before = base.find(entry.first);
    for (const std::string &text :
         UsedSince(before == base.end() ? kNone : before->second, entry.second))
      AddToHistory(merged, entry.first, text);
  }
  return merged;
}

bool SaveHistoriesMerged(const std::string &path, HistoryStore &base, HistoryStore &store) {
  FileLock lock(path + ".lock");
  if (!lock.Held()) return false;
  HistoryStore onDisk;
  LoadHistoriesFromFile(path, onDisk);  // a missing file is an empty store
  HistoryStore merged = MergeHistories(onDisk, base, store);
  if (!SaveHistoriesToFile(merged, path)) return false;
  store = merged;
  base = merged;
  return true;
}

std::string HistoriesFolder(const char *xdgStateHome, const char *home) {
  auto absolute = [](const char *path) {
    return path != nullptr && (path[0] == '/' || path[0] == '\\' ||
                               (isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':'));
  };
  std::string state;
  if (absolute(xdgStateHome)) {
    state = xdgStateHome;
  } else if (absolute(home)) {
    state = std::string(home) + "/.local/state";
  } else {
    return "";
  }
  while (state.size() > 1 && state.back() == '/') state.pop_back();
  return state + "/quillet";
}

}  // namespace hostcore
