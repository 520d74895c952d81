// Histories by name, and their text form for the history file.
#include "core/history.hpp"

#include <stdio.h>

#include <algorithm>
#include <fstream>
#include <sstream>

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
  // Written beside and renamed over, so that a failed write keeps the old file.
  std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << SaveHistories(store);
    out.flush();
    if (!out) {
      out.close();
      remove(temporary.c_str());
      return false;
    }
  }
#ifdef _WIN32
  remove(path.c_str());
#endif
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    remove(temporary.c_str());
    return false;
  }
  return true;
}

bool LoadHistoriesFromFile(const std::string &path, HistoryStore &store) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream text;
  text << in.rdbuf();
  LoadHistories(text.str(), store);
  return true;
}

}  // namespace hostcore
