// End to end with the real cvs on a generated working copy of 10,000 files
// (QUILLET_BENCH_WC names it): the panel's refresh, GetFindData through the
// exports with the stand-in host waiting on the run dialog (FreeFindData,
// which the host calls later, is not timed), beside a bare
// "cvs -q status -l" into a file.  Each iteration is one run; the script
// repeats and interleaves the two and compares medians.  "cpu_s" counts
// the CPU time of this process and of cvs, "cvs_cpu_s" that of cvs alone.
#include <unistd.h>

#include "bench_support.hpp"

namespace {

bool HaveCopy(benchmark::State &state, std::string &copy) {
  copy = bench::Needed("QUILLET_BENCH_WC");
  if (copy.empty() || access((copy + "/CVS").c_str(), F_OK) != 0) {
    state.SkipWithError("QUILLET_BENCH_WC names no working copy");
    return false;
  }
  return true;
}

void RefreshWithCvs(benchmark::State &state) {
  std::string copy;
  if (!HaveCopy(state, copy)) return;
  bench::LoadedModule loaded;
  standin::Host &host = standin::Host::Get();
  host.ActivePanel().CurDir = copy;
  HANDLE panel = loaded.Module.OpenPlugin(OPEN_COMMANDLINE, 0);
  double cpu = 0, cvsCpu = 0;
  int count = 0;
  for (auto _ : state) {
    const double start = bench::ProcessAndChildrenCpu();
    const double cvsStart = bench::ChildrenCpu();
    PluginPanelItem *items = nullptr;
    loaded.Module.GetFindData(panel, &items, &count, 0);
    cpu += bench::ProcessAndChildrenCpu() - start;
    cvsCpu += bench::ChildrenCpu() - cvsStart;
    // The host hands the items back later, outside the refresh.
    state.PauseTiming();
    loaded.Module.FreeFindData(panel, items, count);
    host.Dialogs.clear();
    host.Calls.clear();
    state.ResumeTiming();
  }
  loaded.Module.ClosePlugin(panel);
  state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  state.counters["cvs_cpu_s"] = benchmark::Counter(cvsCpu, benchmark::Counter::kAvgIterations);
  state.counters["items"] = count;
}
BENCHMARK(RefreshWithCvs)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BareCvsStatus(benchmark::State &state) {
  std::string copy;
  if (!HaveCopy(state, copy)) return;
  bench::Scratch scratch;
  const std::string output = scratch / "status.txt";
  const std::string cvs = bench::Needed("QUILLET_BENCH_CVS").empty()
                              ? std::string("/usr/bin/cvs")
                              : bench::Needed("QUILLET_BENCH_CVS");
  double cpu = 0, cvsCpu = 0;
  for (auto _ : state) {
    const double start = bench::ProcessAndChildrenCpu();
    const double cvsStart = bench::ChildrenCpu();
    bench::SpawnAndWait({cvs, "-q", "status", "-l"}, output, copy);
    unlink(output.c_str());
    cpu += bench::ProcessAndChildrenCpu() - start;
    cvsCpu += bench::ChildrenCpu() - cvsStart;
  }
  state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  state.counters["cvs_cpu_s"] = benchmark::Counter(cvsCpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BareCvsStatus)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
