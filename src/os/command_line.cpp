// Quoting for the C runtime's command-line splitter.
#include "os/command_line.hpp"

#include <string.h>

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

std::string QuoteForPosixShell(const std::string &name) {
  bool plain = !name.empty();
  for (char c : name) {
    const bool letterOrDigit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    const bool beyondAscii = static_cast<unsigned char>(c) >= 0x80;
    if (!(letterOrDigit || beyondAscii || (c != '\0' && strchr("%+,-./:@_", c) != nullptr)))
      plain = false;
  }
  if (plain) return name;
  std::string quoted = "'";
  for (char c : name) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

bool QuoteForCommandProcessor(const std::string &name, std::string &quoted) {
  quoted.clear();
  bool needsQuotes = name.empty();
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"') return false;
    if (strchr(" &|<>^(),;=!'+`~[]{}%", c) != nullptr) needsQuotes = true;
  }
  if (!needsQuotes) {
    quoted = name;
    return true;
  }
  quoted = "\"";
  for (char c : name) quoted += c == '%' ? std::string("\"^%\"") : std::string(1, c);
  quoted += '"';
  // Empty quotes left before a leading "%" or after a trailing one.
  if (quoted.compare(0, 4, "\"\"^%") == 0) quoted.erase(0, 2);
  if (quoted.size() >= 4 && quoted.compare(quoted.size() - 4, 4, "^%\"\"") == 0)
    quoted.erase(quoted.size() - 2);
  return true;
}

bool QuoteForHostShell(const std::string &name, std::string &quoted) {
#ifdef _WIN32
  return QuoteForCommandProcessor(name, quoted);
#else
  quoted = QuoteForPosixShell(name);
  return true;
#endif
}
