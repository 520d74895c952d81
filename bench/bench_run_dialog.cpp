// The "CVS Running..." dialog in the stand-in host, which waits for the
// module to close it: how soon after the child's exit the run returns,
// beside how soon a bare wait returns; and a whole run of a program that
// does nothing, beside a bare spawn and wait of it.
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include "bench_support.hpp"
#include "host/host.hpp"

#include "ui/run_dialog.hpp"

namespace {

// The module's code linked into this program answers to the stand-in host
// of this process.
struct BoundHost {
  BoundHost() {
    standin::Host::Get().Reset();
    PluginStartupInfo info = standin::Host::Get().StartupInfo();
    BindHost(&info);
  }
};

double Now() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

// Seconds from the moment stamp_exit wrote into `output` until now.
double SinceStamp(const std::string &output) {
  return Now() - atoll(bench::ReadFile(output).c_str()) / 1e9;
}

void ExitToRunReturn(benchmark::State &state) {
  BoundHost bound;
  bench::Scratch scratch;
  const std::string output = scratch / "out.txt";
  const std::string program = bench::ProgramPath("stamp_exit");
  const char *args[] = {program.c_str(), nullptr};
  for (auto _ : state) {
    RunCvs(args, output.c_str());
    state.SetIterationTime(SinceStamp(output));
    standin::Host::Get().Dialogs.clear();
  }
}
BENCHMARK(ExitToRunReturn)->Unit(benchmark::kMicrosecond)->UseManualTime();

void ExitToBareWaitReturn(benchmark::State &state) {
  bench::Scratch scratch;
  const std::string output = scratch / "out.txt";
  for (auto _ : state) {
    bench::SpawnAndWait({bench::ProgramPath("stamp_exit")}, output);
    state.SetIterationTime(SinceStamp(output));
  }
}
BENCHMARK(ExitToBareWaitReturn)->Unit(benchmark::kMicrosecond)->UseManualTime();

void NoOpRun(benchmark::State &state) {
  BoundHost bound;
  bench::Scratch scratch;
  const std::string output = scratch / "out.txt";
  const char *args[] = {"true", nullptr};
  for (auto _ : state) {
    RunCvs(args, output.c_str());
    standin::Host::Get().Dialogs.clear();
  }
}
BENCHMARK(NoOpRun)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BareSpawnAndWait(benchmark::State &state) {
  bench::Scratch scratch;
  const std::string output = scratch / "out.txt";
  for (auto _ : state) bench::SpawnAndWait({"/bin/true"}, output);
}
BENCHMARK(BareSpawnAndWait)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
