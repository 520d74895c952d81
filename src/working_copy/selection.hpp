// The names a command acts on in a working copy, or the single entry ".".
#ifndef QUILLET_SELECTION_HPP
#define QUILLET_SELECTION_HPP

#include <string>
#include <vector>

typedef std::vector<std::string> Selection;

#endif
