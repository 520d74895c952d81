// Benchmark of the status report reader: builds a report of N records in
// the client's layout (some with sticky values, some error lines between
// them) and reads it R times.  Run by hand:
//   build/tests/programs/bench_status_report [records] [rounds]
#include <stdio.h>
#include <stdlib.h>

#include <chrono>
#include <string>

#include "panel/status_report.hpp"

int main(int argc, char **argv) {
  const int records = argc > 1 ? atoi(argv[1]) : 20000;
  const int rounds = argc > 2 ? atoi(argv[2]) : 20;
  FILE *report = tmpfile();
  if (report == nullptr) return 1;
  const char *states[] = {"Up-to-date",    "Locally Modified", "Needs Patch",
                          "Locally Added", "Needs Merge",      "File had conflicts on merge"};
  for (int i = 0; i < records; ++i) {
    fprintf(report,
            "===================================================================\n"
            "File: file%06d.c      \tStatus: %s\n\n"
            "   Working revision:\t1.%d\n"
            "   Repository revision:\t1.%d\t/var/cvs/proj/file%06d.c,v\n"
            "   Commit Identifier:\tabcdef0123456789\n"
            "   Sticky Tag:\t\t%s\n"
            "   Sticky Date:\t\t(none)\n"
            "   Sticky Options:\t%s\n\n",
            i, states[i % 6], i % 50 + 1, i % 50 + 2, i,
            i % 7 == 0 ? "release-1 (branch: 1.1.2)" : "(none)", i % 11 == 0 ? "-kb" : "(none)");
    if (i % 1000 == 0) fprintf(report, "cvs status: Examining subdir%d\n", i);
  }
  long bytes = ftell(report);
  size_t total = 0;
  auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < rounds; ++round) {
    rewind(report);
    total += ReadStatusReport(report, nullptr).size();
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  fclose(report);
  printf("%d records (%.1f MB) x %d rounds: %.3f s, %.0f records/s, %.1f MB/s (read %zu)\n",
         records, bytes / 1e6, rounds, seconds, records * double(rounds) / seconds,
         bytes * double(rounds) / 1e6 / seconds, total);
  return total == static_cast<size_t>(records) * rounds ? 0 : 1;
}
