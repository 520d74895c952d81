// What the benchmarks share: scratch folders, files, a cvs stand-in that
// prints a prepared output, a bare spawn of a program into a file, the CPU
// time of the process and its children, and the module in the stand-in host.
#ifndef QUILLET_BENCH_SUPPORT_HPP
#define QUILLET_BENCH_SUPPORT_HPP

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "standin/standin.hpp"

namespace bench {

// A fresh folder under TMPDIR, removed with everything in it at the end.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch &) = delete;
  Scratch &operator=(const Scratch &) = delete;
  std::string operator/(const std::string &name) const { return path_ + "/" + name; }
  const std::string &Path() const { return path_; }

 private:
  std::string path_;
};

void WriteFile(const std::string &path, const std::string &text);
std::string ReadFile(const std::string &path);
// An environment variable that a benchmark needs; empty when unset.
std::string Needed(const char *variable);

// Writes an executable "cvs" into `dir` that prints the file named by the
// environment variable QUILLET_BENCH_OUTPUT, and puts `dir` first on PATH.
void InstallCvsStandIn(const std::string &dir);

// Starts `argv` (argv[0] a path) in `cwd` with standard output and error in
// `outputPath`, waits for it and returns its exit status: the floor of any
// run of a program into a file.
int SpawnAndWait(const std::vector<std::string> &argv, const std::string &outputPath,
                 const std::string &cwd = "");

// CPU seconds of this process and of its ended children, so far.
double ProcessAndChildrenCpu();
// CPU seconds of the ended children alone, so far.
double ChildrenCpu();

// The module loaded into the stand-in host, bound to it.
struct LoadedModule {
  LoadedModule();
  ~LoadedModule();
  standin::Module Module;
};
std::string ProgramPath(const std::string &name);

// A report in the client's layout for `names`: the record of a modified
// file, as the client writes it, under each name.
std::string ReportFor(const std::vector<std::string> &names);

}  // namespace bench

#endif
