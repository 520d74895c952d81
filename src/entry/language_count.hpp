// How many messages the host can give the module.
#ifndef QUILLET_ENTRY_LANGUAGE_COUNT_HPP
#define QUILLET_ENTRY_LANGUAGE_COUNT_HPP

#include <string>

// The fewest messages that any language file beside the module holds,
// counted as the host counts them (each line that starts, after blanks,
// with a quote); 0 when there is none or none can be read.  The host reads
// one of these files, chosen by its own language setting, and takes a
// number past that file's end for a damaged file, in a box whose other
// button quits the host: the module never asks it for such a number.
int FewestLanguageMessages(const std::string &modulePath);

#endif
