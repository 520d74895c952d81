// GetFindData through the module's exports on a working copy of 10,000 and
// of 100,000 files, with a cvs stand-in that prints a report of every file
// (for 10,000 the one recorded from the real client):
// the refresh beside the stand-in's run alone (its floor), and the listing's
// peak memory beside what it hands to the host.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <memory>
#include <new>

#include "bench_support.hpp"

// ---- every allocation of the process counted, the module's included ----

namespace {
std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};
const size_t kHeader = 16;

void *Allocate(size_t size) {
  void *block = malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<size_t *>(block) = size;
  long long now = liveBytes += static_cast<long long>(size);
  long long peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char *>(block) + kHeader;
}

void Release(void *pointer) {
  if (pointer == nullptr) return;
  void *block = static_cast<char *>(pointer) - kHeader;
  liveBytes -= static_cast<long long>(*static_cast<size_t *>(block));
  free(block);
}
}  // namespace

void *operator new(size_t size) { return Allocate(size); }
void *operator new[](size_t size) { return Allocate(size); }
void *operator new(size_t size, const std::nothrow_t &) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void *operator new[](size_t size, const std::nothrow_t &) noexcept {
  return operator new(size, std::nothrow);
}
void operator delete(void *pointer) noexcept { Release(pointer); }
void operator delete[](void *pointer) noexcept { Release(pointer); }
void operator delete(void *pointer, size_t) noexcept { Release(pointer); }
void operator delete[](void *pointer, size_t) noexcept { Release(pointer); }
void operator delete(void *pointer, const std::nothrow_t &) noexcept { Release(pointer); }
void operator delete[](void *pointer, const std::nothrow_t &) noexcept { Release(pointer); }

namespace {

// The names of the file lines of a recorded report.
std::vector<std::string> NamesIn(const std::string &report) {
  std::vector<std::string> names;
  const std::string text = bench::ReadFile(report);
  for (size_t at = text.find("\nFile: "); at != std::string::npos;
       at = text.find("\nFile: ", at + 1)) {
    size_t start = at + 7, end = text.find('\t', start);
    if (end == std::string::npos) break;
    std::string name = text.substr(start, end - start);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (name.compare(0, 8, "no file ") != 0) names.push_back(name);
  }
  return names;
}

// A working copy of `count` empty files with a report of all of them: the
// report recorded from the real client (QUILLET_BENCH_REPORT) when it has
// that many records, else one in its layout.
struct Folder {
  bench::Scratch Scratch;
  std::string Directory;
  std::string Report;
  explicit Folder(int count) {
    Directory = Scratch / "wc";
    mkdir(Directory.c_str(), 0755);
    mkdir((Directory + "/CVS").c_str(), 0755);
    bench::WriteFile(Directory + "/CVS/Root", "/nowhere\n");
    const std::string recorded = bench::Needed("QUILLET_BENCH_REPORT");
    std::vector<std::string> names;
    if (!recorded.empty()) names = NamesIn(recorded);
    if (names.size() >= static_cast<size_t>(count)) {
      Report = recorded;
    } else {
      names.clear();
      char name[32];
      for (int i = 0; i < count; ++i) {
        snprintf(name, sizeof name, "file%06d.c", i);
        names.push_back(name);
      }
      Report = Scratch / "report.txt";
      bench::WriteFile(Report, bench::ReportFor(names));
    }
    for (const std::string &name : names)
      close(open((Directory + "/" + name).c_str(), O_WRONLY | O_CREAT, 0644));
    bench::InstallCvsStandIn(Scratch.Path());
  }
};

Folder &FolderOf(int count) {
  static std::map<int, std::unique_ptr<Folder>> folders;
  std::unique_ptr<Folder> &folder = folders[count];
  if (!folder) folder.reset(new Folder(count));
  setenv("QUILLET_BENCH_OUTPUT", folder->Report.c_str(), 1);
  return *folder;
}

void Refresh(benchmark::State &state) {
  Folder &folder = FolderOf(static_cast<int>(state.range(0)));
  bench::LoadedModule loaded;
  standin::Host &host = standin::Host::Get();
  host.ActivePanel().CurDir = folder.Directory;
  HANDLE panel = loaded.Module.OpenPlugin(OPEN_COMMANDLINE, 0);
  double peakRatio = 0;
  int count = 0;
  for (auto _ : state) {
    host.Dialogs.clear();
    host.Calls.clear();
    const long long before = liveBytes.load();
    peakBytes.store(before);
    PluginPanelItem *items = nullptr;
    loaded.Module.GetFindData(panel, &items, &count, 0);
    const long long handed = liveBytes.load() - before;
    peakRatio = handed > 0 ? static_cast<double>(peakBytes.load() - before) / handed : 0;
    // The host hands the items back later, outside the refresh.
    state.PauseTiming();
    loaded.Module.FreeFindData(panel, items, count);
    state.ResumeTiming();
  }
  loaded.Module.ClosePlugin(panel);
  state.counters["items"] = count;
  state.counters["peak_over_handed"] = peakRatio;
}
BENCHMARK(Refresh)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the same stand-in run alone, its output into a file.
void StandInAlone(benchmark::State &state) {
  Folder &folder = FolderOf(static_cast<int>(state.range(0)));
  const std::string output = folder.Scratch / "alone.txt";
  const std::string cvs = folder.Scratch / "cvs";
  for (auto _ : state) {
    bench::SpawnAndWait({cvs, "-q", "status", "-l"}, output, folder.Directory);
    unlink(output.c_str());
  }
}
BENCHMARK(StandInAlone)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
