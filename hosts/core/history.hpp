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
// The same through a file; false when it cannot be written or read.  The
// file is written whole (a new file renamed over it, readable by its owner
// only); a link at its place is replaced, never written through.  A file
// larger than kLargestHistoryFile is not read.
const size_t kLargestHistoryFile = 4u << 20;
bool SaveHistoriesToFile(const HistoryStore &store, const std::string &path);
bool LoadHistoriesFromFile(const std::string &path, HistoryStore &store);

// Several hosts of one user share the file.  `onDisk` is the file as it is
// now, `base` what this host last read or wrote, `mine` its store: the
// result is `onDisk` with the entries this host used since `base` added as
// its newest, so that neither host loses what the other kept.
HistoryStore MergeHistories(const HistoryStore &onDisk, const HistoryStore &base,
                            const HistoryStore &mine);
// Reads the file, merges and writes it back, all under a lock on
// "<path>.lock"; `store` and `base` then both hold what was written.
bool SaveHistoriesMerged(const std::string &path, HistoryStore &base, HistoryStore &store);

// The folder that keeps the histories: "quillet" in $XDG_STATE_HOME, else
// in $HOME/.local/state; "" when neither gives one.  A relative value is
// not a place (the variables must hold absolute paths) and is passed over.
std::string HistoriesFolder(const char *xdgStateHome, const char *home);

}  // namespace hostcore

#endif
