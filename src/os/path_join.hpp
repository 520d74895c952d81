// Joining and splitting paths for an explicit separator, so that both the
// drive-letter paths of Windows and POSIX paths follow the same code.
#ifndef QUILLET_PATH_JOIN_HPP
#define QUILLET_PATH_JOIN_HPP

#include <string>

// `directory` + separator + `name`, without doubling a separator that ends
// `directory` (a root such as "/" or "C:\").
std::string JoinPath(const std::string &directory, const std::string &name, char sep);

// The part after the last separator; the whole path when it has none.
std::string BareName(const std::string &path, char sep);

#endif
