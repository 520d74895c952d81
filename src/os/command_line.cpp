// Quoting for the C runtime's command-line splitter.
#include "os/command_line.hpp"

std::string QuoteArgument(const std::string &argument) {
  // The runtime's splitter needs quotes only around blanks; the command
  // interpreter, which reads a batch file's command line, also splits at
  // "," ";" and "=" outside quotes, and drops the quotes again with %~1.
  if (!argument.empty() && argument.find_first_of(" \t\n\v\",;=") == std::string::npos) {
    return argument;
  }
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      // Backslashes before a quote are doubled, and the quote escaped.
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    backslashes = 0;
    quoted += c;
  }
  // Backslashes before the closing quote are doubled.
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string QuoteCommandLine(const char *const *args) {
  std::string line;
  if (args == nullptr) return line;
  for (const char *const *arg = args; *arg != nullptr; ++arg) {
    if (arg != args) line += ' ';
    line += QuoteArgument(*arg);
  }
  return line;
}
