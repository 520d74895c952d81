// Building argument lists.
#include "runner/cvs_args.hpp"

CvsArgs CvsArgs::FromArgv(const char *const *argv) {
  CvsArgs args;
  for (const char *const *arg = argv; arg != nullptr && *arg != nullptr; ++arg) args.Add(*arg);
  return args;
}

void CvsArgs::AddFileOperands(const Selection &names) {
  for (const std::string &name : names) {
    if (!name.empty() && name[0] == '-') {
      Add("--");
      break;
    }
  }
  for (const std::string &name : names) Add(name);
}

std::vector<const char *> CvsArgs::Argv() const {
  std::vector<const char *> argv;
  argv.reserve(words_.size() + 1);
  for (const std::string &word : words_) argv.push_back(word.c_str());
  argv.push_back(nullptr);
  return argv;
}
