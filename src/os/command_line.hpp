// How an argument vector becomes one Windows command line that the C
// runtime's splitter gives back entry for entry.  Pure functions over text,
// so that the rules can be checked on any system.
#ifndef QUILLET_OS_COMMAND_LINE_HPP
#define QUILLET_OS_COMMAND_LINE_HPP

#include <string>

// One argument as the C runtime's command-line splitter gives it back, and
// as a batch file's %~N gives it back: unchanged unless it is empty or holds
// a blank, tab, double quote, ",", ";" or "="; then in double quotes, with
// quotes escaped and the backslashes before them doubled.
std::string QuoteArgument(const std::string &argument);
// The arguments of a null-ended list, each quoted as above, joined by one
// blank.
std::string QuoteCommandLine(const char *const *args);

#endif
