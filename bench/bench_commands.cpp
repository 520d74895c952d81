// Mark (each of its four entries) and the commit template on 20,000 files.
// A Mark runs the dry-run query through a cvs stand-in that prints 20,000
// lines of its letters, then sets the selection of a host panel of 20,000
// items; its floor is the stand-in's run alone, so the difference is the
// module's own time.  The template's floor is writing the same text.
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <memory>

#include "bench_support.hpp"
#include "commands/commands.hpp"
#include "far/field_text.hpp"
#include "host/host.hpp"

namespace {

const int kFiles = 20000;

std::string FileName(int i) {
  char name[32];
  snprintf(name, sizeof name, "file%05d.c", i);
  return name;
}

// A host whose active panel is a plain file panel of kFiles items.
std::vector<PluginPanelItem> &PanelItems() {
  static std::vector<PluginPanelItem> items;
  return items;
}

int FARAPI PanelControl(HANDLE, int command, void *param) {
  if (command == FCTL_GETPANELINFO) {
    PanelInfo *info = static_cast<PanelInfo *>(param);
    memset(info, 0, sizeof *info);
    info->PanelType = PTYPE_FILEPANEL;
    info->PanelItems = PanelItems().data();
    info->ItemsNumber = static_cast<int>(PanelItems().size());
  }
  return 1;
}

struct Setup {
  bench::Scratch Scratch;
  Setup() {
    PanelItems().resize(kFiles);
    for (int i = 0; i < kFiles; ++i) {
      memset(&PanelItems()[i], 0, sizeof(PluginPanelItem));
      CopyToField(PanelItems()[i].FindData.cFileName, FileName(i));
    }
    PluginStartupInfo info;
    memset(&info, 0, sizeof info);
    info.StructSize = sizeof info;
    info.Control = PanelControl;
    BindHost(&info);
    bench::InstallCvsStandIn(Scratch.Path());
    setenv("TMP", Scratch.Path().c_str(), 1);
  }
  // A dry-run output of kFiles lines, the letters taken in turn; every
  // second path lies in a subfolder unless the query is for this folder.
  std::string Output(const std::string &letters, bool localOnly) {
    std::string text;
    for (int i = 0; i < kFiles; ++i) {
      text += letters[static_cast<size_t>(i) % letters.size()];
      text += ' ';
      if (!localOnly && i % 2 == 1) text += "dir" + std::to_string(i % 100) + "/";
      text += FileName(i) + "\n";
    }
    const std::string path = Scratch / ("output-" + std::to_string(letters.size()) +
                                        (localOnly ? "l" : "t") + letters.substr(0, 1));
    bench::WriteFile(path, text);
    return path;
  }
};

Setup &TheSetup() {
  static std::unique_ptr<Setup> setup(new Setup);
  return *setup;
}

struct MarkEntry {
  const char *Letters;
  bool LocalOnly;
  bool AcceptNonzero;
};
const MarkEntry kEntries[] = {{"MA", false, false},  // Modified
                              {"C", false, false},   // Conflicts
                              {"UP", false, false},  // Out-of-date
                              {"?", true, false}};   // Not in repository

void Mark(benchmark::State &state) {
  const MarkEntry &entry = kEntries[state.range(0)];
  const std::string output = TheSetup().Output(entry.Letters, entry.LocalOnly);
  setenv("QUILLET_BENCH_OUTPUT", output.c_str(), 1);
  size_t marked = 0;
  for (auto _ : state) {
    Selection names;
    if (QueryStates(".", names, entry.Letters, entry.LocalOnly, entry.AcceptNonzero))
      MarkInPanel(names);
    marked = names.size();
  }
  state.counters["names"] = static_cast<double>(marked);
}
BENCHMARK(Mark)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the stand-in's run alone, its output into a file.
void StandInAlone(benchmark::State &state) {
  const MarkEntry &entry = kEntries[state.range(0)];
  const std::string output = TheSetup().Output(entry.Letters, entry.LocalOnly);
  setenv("QUILLET_BENCH_OUTPUT", output.c_str(), 1);
  const std::string captured = TheSetup().Scratch / "captured";
  for (auto _ : state) {
    bench::SpawnAndWait({TheSetup().Scratch / "cvs", "-n", "-q", "update", "."}, captured);
    unlink(captured.c_str());
  }
}
BENCHMARK(StandInAlone)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every one of 20,000 files selected and changed; every second one in a
// subfolder.
void TemplateInput(Selection &selection, std::vector<std::string> &modified) {
  for (int i = 0; i < kFiles; ++i) {
    selection.push_back(FileName(i));
    modified.push_back((i % 2 == 1 ? "dir" + std::to_string(i % 100) + "/" : "") + FileName(i));
  }
}

void CommitTemplate(benchmark::State &state) {
  Selection selection;
  std::vector<std::string> modified;
  TemplateInput(selection, modified);
  size_t size = 0;
  for (auto _ : state) {
    bool haveFiles = false;
    size = CommitTemplateText(true, selection, modified, haveFiles).size();
  }
  state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(CommitTemplate)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: writing the template's lines, each path once.
void TemplateText(benchmark::State &state) {
  Selection selection;
  std::vector<std::string> modified;
  TemplateInput(selection, modified);
  for (auto _ : state) {
    std::string text;
    for (const std::string &path : modified) {
      text += ":     ";
      text += path;
      text += '\n';
    }
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(TemplateText)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
