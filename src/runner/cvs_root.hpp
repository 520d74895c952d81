// The repository root a working copy names in its CVS/Root file, and
// whether cvs, given that root, would start a program the root names.
#ifndef QUILLET_CVS_ROOT_HPP
#define QUILLET_CVS_ROOT_HPP

#include <cstddef>
#include <string>

// The first line of the file `path`, without its line end (CR and LF alike),
// at most `maxChars` characters.  Only a plain file is opened (a regular file
// that is no link): a FIFO or a device under that name could block the host
// or never end, and a link may lead anywhere.  False, with
// `line` empty, when there is no such file or it cannot be read.
bool ReadRootLine(const std::string &path, size_t maxChars, std::string &line);

// True when the method part of `root` carries options, as in
// ":ext;CVS_RSH=./x.sh:host:/path", ":fork;CVS_SERVER=./x.sh:/path" or
// ":pserver;proxy=...:...".  cvs obeys such options: CVS_RSH and CVS_SERVER
// name programs that it starts, the proxy options name where it connects.
// A root counts when it begins with ":" and a ";" comes before the ":" that
// ends the method (cvs splits the method at ";" and reads every part after
// the first as an option), or when it has no ":" to end the method at all
// and holds a ";" (cvs would reject it, but no guess is made about it).
bool RootCarriesOptions(const std::string &root);

// Longest Root line taken; a longer line is kept as far as it was read.
const size_t kRootLineLength = 347;

// How deep the folders below a working-copy folder are looked at; a tree
// deeper than this (or one that loops through links) is not followed further.
const int kRootWalkDepth = 32;

// The first working-copy folder at or below `dir` whose CVS/Root names a
// root that carries options, with that root.  cvs takes each subfolder's
// own root when a command recurses, so the folders below count too: every
// subfolder that holds a "CVS" folder, down to `maxDepth` levels.  A tree
// of more than 10000 such folders (links may loop) counts as holding one.
bool FindRootWithOptions(const std::string &dir, int maxDepth, std::string &where,
                         std::string &root);

// Asks, in a warning box that shows the root, whether a command the user
// chose may run cvs on the current folder when it or a working-copy folder
// below it names such a root; "Cancel" is the default.  True when there is
// none or the user chose to run all the same.
bool MayRunOnCurrentFolderRoot();

#endif
