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

// A name as one word of a POSIX shell's command line: unchanged when every
// character is one no shell acts on (letters, digits, "%+,-./:@_" and bytes
// beyond ASCII), otherwise in single quotes, a quote inside as '\''.
std::string QuoteForPosixShell(const std::string &name);
// A name as one word of the Windows command processor's command line: in
// double quotes when it holds a blank or a character the processor acts on
// (& | < > ^ ( ) , ; = ! ' + ` ~ [ ] { } %), with each "%" outside the quotes
// as ^% so that no variable is put in its place.  False when the name holds
// a double quote or a control character, which no quoting passes whole.
bool QuoteForCommandProcessor(const std::string &name, std::string &quoted);
// The name quoted for the shell that reads the host's command line on this
// system; false when it cannot be.
bool QuoteForHostShell(const std::string &name, std::string &quoted);

#endif
