// Shell quoting and a shell-like reading of words.
#include "console/shell_text.hpp"
#include "core/host_texts.hpp"

#include <ctype.h>
#include <stdlib.h>

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

bool PlainInShell(unsigned char c) {
  return isalnum(c) || c == '_' || c == '.' || c == '/' || c == ',' || c == ':' || c == '@' ||
         c == '+' || c == '-';
}

// $NAME or ${NAME} at `line[at]` ('$'); `at` moves past it.  A '$' that
// starts neither is itself.
bool ExpandVariable(const std::string &line, size_t &at, std::string &word, std::string &error) {
  size_t start = at + 1;
  if (start < line.size() && line[start] == '(') {
    error = Say(HostText::ErrorShellRuns, {"$(...)"});
    return false;
  }
  bool braced = start < line.size() && line[start] == '{';
  if (braced) ++start;
  size_t end = start;
  while (end < line.size() && (isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_'))
    ++end;
  if (braced && (end >= line.size() || line[end] != '}' || end == start)) {
    error = Say(HostText::ErrorShellBraces);
    return false;
  }
  if (end == start) {
    word += '$';
    ++at;
    return true;
  }
  const char *value = getenv(line.substr(start, end - start).c_str());
  if (value != nullptr) word += value;
  at = braced ? end + 1 : end;
  return true;
}

}  // namespace

std::string QuoteForShell(const std::string &name) {
  bool plain = !name.empty();
  for (char c : name) plain = plain && PlainInShell(static_cast<unsigned char>(c));
  if (plain) return name;
  std::string quoted = "'";
  for (char c : name) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

bool ShellWords(const std::string &line, const std::string &home, std::vector<std::string> &words,
                std::string &error) {
  words.clear();
  std::string word;
  bool inWord = false;
  size_t at = 0;
  while (at < line.size()) {
    char c = line[at];
    if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      ++at;
      continue;
    }
    if (!inWord && c == '~' &&
        (at + 1 == line.size() || line[at + 1] == '/' || line[at + 1] == ' ' ||
         line[at + 1] == '\t')) {
      word = home;
      inWord = true;
      ++at;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      size_t close = line.find('\'', at + 1);
      if (close == std::string::npos) {
        error = Say(HostText::ErrorShellQuote);
        return false;
      }
      word += line.substr(at + 1, close - at - 1);
      at = close + 1;
    } else if (c == '"') {
      for (++at;;) {
        if (at >= line.size()) {
          error = Say(HostText::ErrorShellQuote);
          return false;
        }
        char d = line[at];
        if (d == '"') break;
        if (d == '`') {
          error = Say(HostText::ErrorShellRuns, {"`...`"});
          return false;
        }
        if (d == '$') {
          if (!ExpandVariable(line, at, word, error)) return false;
          continue;
        }
        if (d == '\\' && at + 1 < line.size() &&
            (line[at + 1] == '$' || line[at + 1] == '`' || line[at + 1] == '"' ||
             line[at + 1] == '\\')) {
          ++at;
          d = line[at];
        }
        word += d;
        ++at;
      }
      ++at;
    } else if (c == '\\') {
      if (at + 1 < line.size()) word += line[at + 1];
      at += 2;
    } else if (c == '$') {
      if (!ExpandVariable(line, at, word, error)) return false;
    } else if (c == '`' || c == ';' || c == '&' || c == '|' || c == '<' || c == '>' || c == '(' ||
               c == ')') {
      error = Say(HostText::ErrorShellUnquoted, {std::string(1, c)});
      return false;
    } else {
      word += c;
      ++at;
    }
  }
  if (inWord) words.push_back(word);
  return true;
}

}  // namespace console
