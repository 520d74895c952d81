// Edit-line histories, kept by name (newest last) for the life of the host
// and, through Save and Load, across its runs.
#ifndef QUILLET_HOSTCORE_HISTORY_HPP
#define QUILLET_HOSTCORE_HISTORY_HPP

#include <map>
#include <string>
#include <vector>

namespace hostcore {

using HistoryStore = std::map<std::string, std::vector<std::string>>;

// At most this many entries are kept under one name; the oldest go first.
const size_t kHistoryLimit = 50;

// Adds `text` as the newest entry of `name`; an entry already there moves
// to the end instead of appearing twice.  Empty text is not kept.
void AddToHistory(HistoryStore &store, const std::string &name, const std::string &text);
// The newest entry of `name`, or "" when there is none.
std::string LastInHistory(const HistoryStore &store, const std::string &name);

// The store as text (one "name<TAB>entry" line per entry, oldest first;
// tab, line end and backslash escaped), and back.  Load replaces the store
// and skips lines it cannot read.
std::string SaveHistories(const HistoryStore &store);
void LoadHistories(const std::string &text, HistoryStore &store);
// The same through a file; false when it cannot be written or read.
bool SaveHistoriesToFile(const HistoryStore &store, const std::string &path);
bool LoadHistoriesFromFile(const std::string &path, HistoryStore &store);

}  // namespace hostcore

#endif
