// The environment of a program the module starts, cvs above all.  cvs runs
// in a working copy, which is data from a stranger, and it starts programs
// of its own by name (ssh for an ":ext:" root, a cvs server for ":fork:"):
// none of them may be found in the working copy.
#ifndef QUILLET_CHILD_ENVIRONMENT_HPP
#define QUILLET_CHILD_ENVIRONMENT_HPP

#include <string>

#include "os/environment.hpp"

// The settings for starting `program` (the file found for `args[0]`):
// - PATH without its empty and relative entries (which name folders of the
//   current one), or the program's own folder where none is left;
// - for cvs on a ":fork:" root, CVS_SERVER naming the cvs started, unless
//   the user has set CVS_SERVER;
// - on Windows, NoDefaultCurrentDirectoryInExePath, so that the system's
//   own search for a program passes over the current folder.
os::EnvironmentSettings ChildEnvironment(const std::string &program, const char *const *args);

// The root cvs takes for `args` in the current folder: its global option
// -d, else the folder's CVS/Root, else CVSROOT; empty when none.
std::string RootCvsTakes(const char *const *args);

#endif
