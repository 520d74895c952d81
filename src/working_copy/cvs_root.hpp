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

// The folder of the repository that a working-copy folder stands for, when
// its root `root` is a repository on this machine ("/path", ":local:/path",
// on Windows also "C:\path"); `repository` is the first line of its
// CVS/Repository, a path below the root or, as older clients wrote it, a
// whole path.  Empty for a remote root or an empty `repository`.
std::string LocalRepositoryFolder(const std::string &root, const std::string &repository);

// The host whose login program (ssh, rsh) cvs starts for `root`: the root's
// host for ":ext:" and ":server:" roots and for a root without a method
// that names a host ("user@host:/path"), without the user part; empty for
// any other root.  Such a program may ask the user for a password.
std::string RemoteShellHost(const std::string &root);

// The repository folder of `root` when it lies on this machine (a path,
// ":local:" or ":fork:"), whose CVSROOT files cvs obeys; empty otherwise.
std::string LocalRepositoryRoot(const std::string &root);

#endif
