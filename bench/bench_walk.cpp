// The walk before a menu command (every folder cvs will visit, looked at
// for a root with options and a CVS folder that is not plain) on a
// generated working copy of 2,041 folders and 104,000 files
// (QUILLET_BENCH_TREE names it), beside a bare "cvs -n -q update" of the
// same tree into a file: the dry run that the marking commands start, and
// less than any command that the walk comes before.  The tree's root is a
// repository on this machine, for which the walk also lists each folder
// (cvs enters what the repository holds): its dearest case.
#include <unistd.h>

#include "bench_support.hpp"
#include "working_copy/cvs_visits.hpp"

namespace {

bool HaveTree(benchmark::State &state, std::string &tree) {
  tree = bench::Needed("QUILLET_BENCH_TREE");
  if (tree.empty() || access((tree + "/CVS").c_str(), F_OK) != 0) {
    state.SkipWithError("QUILLET_BENCH_TREE names no working copy");
    return false;
  }
  return true;
}

void WalkBeforeCommand(benchmark::State &state) {
  std::string tree;
  if (!HaveTree(state, tree)) return;
  for (auto _ : state) {
    const VisitFinding found = CheckFoldersCvsVisits(tree, true);
    if (found) state.SkipWithError(("the walk found " + found.Detail).c_str());
  }
}
BENCHMARK(WalkBeforeCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BareDryRunUpdate(benchmark::State &state) {
  std::string tree;
  if (!HaveTree(state, tree)) return;
  bench::Scratch scratch;
  const std::string output = scratch / "update.txt";
  const std::string cvs = bench::Needed("QUILLET_BENCH_CVS").empty()
                              ? std::string("/usr/bin/cvs")
                              : bench::Needed("QUILLET_BENCH_CVS");
  for (auto _ : state) {
    bench::SpawnAndWait({cvs, "-n", "-q", "update"}, output, tree);
    unlink(output.c_str());
  }
}
BENCHMARK(BareDryRunUpdate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
