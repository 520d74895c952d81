// The command line's text as /bin/sh reads it: a name quoted so that the
// shell takes it as one word whatever it holds, and the words of a line
// read back (for the host's own cd) without running anything.
#ifndef QUILLET_CONSOLE_SHELL_TEXT_HPP
#define QUILLET_CONSOLE_SHELL_TEXT_HPP

#include <string>
#include <vector>

namespace console {

// `name` as one shell word: as it is when it holds only letters, digits
// and _ . / , : @ + -, else in single quotes (a quote inside as '\'').
std::string QuoteForShell(const std::string &name);

// The words of `line`: blanks separate them; single quotes, double quotes
// and backslashes quote as in the shell; $NAME and ${NAME} outside single
// quotes are the environment's; ~ or ~/ at a word's start is `home`.
// False, with the reason, for what would make the shell run or redirect
// something (`...`, $(...), ; & | < > ( )) or an unclosed quote.
bool ShellWords(const std::string &line, const std::string &home, std::vector<std::string> &words,
                std::string &error);

}  // namespace console

#endif
