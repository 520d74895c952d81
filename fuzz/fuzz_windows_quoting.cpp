// The Windows command line on any arguments: split back by the C runtime's
// rules, the quoted line gives every argument whole.  The first entry is
// the program name, which the module never writes with a quote; here it is
// "cvs", as in the module's runs.
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "os/command_line.hpp"
#include "runtime_split.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> entries = {"cvs"};
  std::string input(reinterpret_cast<const char *>(data), size);
  size_t start = 0;
  while (start <= input.size() && !input.empty()) {
    size_t end = input.find('\0', start);
    if (end == std::string::npos) end = input.size();
    entries.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  std::vector<const char *> args;
  for (const std::string &entry : entries) args.push_back(entry.c_str());
  args.push_back(nullptr);
  const std::string line = QuoteCommandLine(args.data());
  if (SplitLikeTheRuntime(line) != entries) abort();
  return 0;
}
