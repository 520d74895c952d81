#include "bench_support.hpp"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

extern char **environ;

namespace bench {

namespace {
bool CurrentDirIsInside(const std::string &folder) {
  char here[4096];
  return getcwd(here, sizeof here) == nullptr ||
         std::string(here).compare(0, folder.size(), folder) == 0;
}
}  // namespace

Scratch::Scratch() {
  const char *tmp = getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quillet-bench.XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("no scratch folder");
  path_ = buffer.data();
}

Scratch::~Scratch() {
  // The module may have made the folder current; leave it before it goes.
  if (CurrentDirIsInside(path_) && chdir("/") != 0) perror("chdir");
  std::string command = "rm -rf '" + path_ + "'";
  if (system(command.c_str()) != 0) fprintf(stderr, "could not remove %s\n", path_.c_str());
}

void WriteFile(const std::string &path, const std::string &text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Needed(const char *variable) {
  const char *value = getenv(variable);
  return value != nullptr ? value : "";
}

void InstallCvsStandIn(const std::string &dir) {
  const std::string path = dir + "/cvs";
  WriteFile(path, "#!/bin/sh\nexec cat \"$QUILLET_BENCH_OUTPUT\"\n");
  chmod(path.c_str(), 0755);
  std::string search = dir + ":" + Needed("PATH");
  setenv("PATH", search.c_str(), 1);
}

int SpawnAndWait(const std::vector<std::string> &argv, const std::string &outputPath,
                 const std::string &cwd) {
  std::vector<char *> args;
  for (const std::string &arg : argv) args.push_back(const_cast<char *>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  std::string saved;
  if (!cwd.empty()) {
    char here[4096];
    if (getcwd(here, sizeof here) != nullptr) saved = here;
    if (chdir(cwd.c_str()) != 0) throw std::runtime_error("cannot enter " + cwd);
  }
  pid_t pid;
  int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (!saved.empty() && chdir(saved.c_str()) != 0) throw std::runtime_error("cannot go back");
  if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  return status;
}

namespace {
double CpuOf(int who) {
  struct rusage usage;
  getrusage(who, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
         usage.ru_stime.tv_usec / 1e6;
}
}  // namespace

double ProcessAndChildrenCpu() { return CpuOf(RUSAGE_SELF) + CpuOf(RUSAGE_CHILDREN); }

double ChildrenCpu() { return CpuOf(RUSAGE_CHILDREN); }

LoadedModule::LoadedModule() {
  standin::Host &host = standin::Host::Get();
  host.Reset();
  std::string error;
  if (!standin::LoadModule(QUILLET_MODULE_PATH, Module, error)) throw std::runtime_error(error);
  host.Current = &Module;
  PluginStartupInfo info = host.StartupInfo();
  Module.SetStartupInfo(&info);
}

LoadedModule::~LoadedModule() { standin::UnloadModule(Module); }

std::string ProgramPath(const std::string &name) {
  return std::string(QUILLET_BENCH_PROGRAM_DIR) + "/" + name;
}

std::string ReportFor(const std::vector<std::string> &names) {
  const std::string record =
      "===================================================================\n"
      "File: NAME      \tStatus: Locally Modified\n\n"
      "   Working revision:\t1.1.1.1\t2026-12-08 00:18:28 +0000\n"
      "   Repository revision:\t1.1.1.1\t/tmp/quillet-record.FqjfP3/"
      "a-repository-folder-with-a-long-name-so-that-report-lines-grow/proj/NAME,v\n"
      "   Commit Identifier:\t1006B174CD416D16856\n"
      "   Sticky Tag:\t\t(none)\n"
      "   Sticky Date:\t\t(none)\n"
      "   Sticky Options:\t(none)\n\n";
  std::string report;
  report.reserve(names.size() * (record.size() + 40));
  for (const std::string &name : names) {
    std::string copy = record;
    for (size_t at = copy.find("NAME"); at != std::string::npos; at = copy.find("NAME", at))
      copy.replace(at, 4, name);
    report += copy;
  }
  return report;
}

}  // namespace bench
