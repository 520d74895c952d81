// The argument list of one run: the program's name ("cvs"), global
// options, the command word, the command's options and the file names.
// The list owns its strings, and it is the one way an argument vector is
// built: Argv() gives the null-ended vector a program is started with.
#ifndef QUILLET_CVS_ARGS_HPP
#define QUILLET_CVS_ARGS_HPP

#include <stddef.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "working_copy/selection.hpp"

class CvsArgs {
 public:
  CvsArgs() = default;
  CvsArgs(std::initializer_list<std::string> words) : words_(words) {}
  // The entries of a null-ended vector (none for a null one).
  static CvsArgs FromArgv(const char *const *argv);

  void Add(std::string word) { words_.push_back(std::move(word)); }
  // The file names of a command, after "--" when one of them would
  // otherwise pass for an option ("-f" to remove deletes the working files).
  void AddFileOperands(const Selection &names);

  // The null-ended vector of the list; valid while the list lives unchanged.
  std::vector<const char *> Argv() const;

  size_t size() const { return words_.size(); }
  bool empty() const { return words_.empty(); }
  const std::string &operator[](size_t index) const { return words_[index]; }
  std::vector<std::string>::const_iterator begin() const { return words_.begin(); }
  std::vector<std::string>::const_iterator end() const { return words_.end(); }

 private:
  std::vector<std::string> words_;
};

#endif
