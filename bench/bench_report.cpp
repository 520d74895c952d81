// The status report reader on a report recorded from the real cvs client on
// a working copy of 10,000 files (QUILLET_BENCH_REPORT names the file),
// beside a plain line-by-line read of the same file.
#include <stdio.h>

#include "bench_support.hpp"
#include "panel/status_report.hpp"

namespace {

FILE *OpenReport(benchmark::State &state, long &bytes) {
  const std::string path = bench::Needed("QUILLET_BENCH_REPORT");
  FILE *report = path.empty() ? nullptr : fopen(path.c_str(), "rb");
  if (report == nullptr) {
    state.SkipWithError("QUILLET_BENCH_REPORT names no readable report");
    return nullptr;
  }
  fseek(report, 0, SEEK_END);
  bytes = ftell(report);
  return report;
}

void ReportReader(benchmark::State &state) {
  long bytes = 0;
  FILE *report = OpenReport(state, bytes);
  if (report == nullptr) return;
  size_t records = 0;
  for (auto _ : state) {
    rewind(report);
    records = 0;
    ForEachStatusRecord(report, IdentityTable(), [&records](const FileStatus &) { ++records; });
    benchmark::DoNotOptimize(records);
  }
  fclose(report);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(ReportReader)->Unit(benchmark::kMillisecond);

// The floor: fgets over the same file, each line looked at once.
void PlainLineRead(benchmark::State &state) {
  long bytes = 0;
  FILE *report = OpenReport(state, bytes);
  if (report == nullptr) return;
  char line[4096];
  for (auto _ : state) {
    rewind(report);
    size_t lines = 0;
    while (fgets(line, sizeof line, report) != nullptr) lines += line[0] == '=';
    benchmark::DoNotOptimize(lines);
  }
  fclose(report);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(PlainLineRead)->Unit(benchmark::kMillisecond);

}  // namespace
