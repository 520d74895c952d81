// The program search on any name and any PATH, under the rules of both
// systems: every candidate is shorter than the longest path the rules
// allow, and a name with a directory part is never looked for on PATH.
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "runner/program_search.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string input(reinterpret_cast<const char *>(data), size);
  size_t cut = input.find('\0');
  const std::string name = input.substr(0, cut);
  const std::string path = cut == std::string::npos ? std::string() : input.substr(cut + 1);
  for (const SearchRules &rules : {WindowsSearchRules(), PosixSearchRules()}) {
    const std::vector<std::string> candidates = ProgramCandidates(name, path, rules);
    for (const std::string &candidate : candidates) {
      if (candidate.size() >= rules.MaxPath) abort();
      if (candidate.find(name) == std::string::npos) abort();
    }
    if (HasDirectoryPart(name, rules) && candidates.size() > rules.Extensions.size() + 1) abort();
    IsBatchFile(name, rules);
  }
  IsNetworkPath(path);
  return 0;
}
