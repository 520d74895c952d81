// File names at the end of a cvs command line.
#include "runner/runner.hpp"

void AppendFileOperands(CvsArgs &args, const Selection &names) {
  // A file whose name begins with "-" would be read as an option ("-f" to
  // remove deletes the working files); "--" ends the options first.
  for (const std::string &name : names) {
    if (!name.empty() && name[0] == '-') {
      args.push_back("--");
      break;
    }
  }
  for (const std::string &name : names) args.push_back(name.c_str());
}
