// Which paths hold which names: the plain, case-sensitive substring test of
// the commit template, for many names and many paths at once.
#ifndef QUILLET_PATH_MATCH_HPP
#define QUILLET_PATH_MATCH_HPP

#include <stddef.h>

#include <string>
#include <vector>

// For each of `names`, the indexes of the paths that hold it anywhere, in
// ascending order, each path once.  An empty name is held by every path.
// The time grows with the total length of names and paths plus the number
// of places where a name occurs, never with names times paths.
std::vector<std::vector<size_t>> PathsHolding(const std::vector<std::string> &names,
                                              const std::vector<std::string> &paths);

#endif
