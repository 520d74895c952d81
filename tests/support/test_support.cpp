// Shared test helpers: scratch folders, environment, files, shell, cvs sandbox.
#include "test_support.hpp"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "host/host.hpp"

namespace testsupport {

std::string ModulePath() { return QUILLET_MODULE_PATH; }
std::string ProgramPath(const std::string &name) {
  return std::string(QUILLET_PROGRAM_DIR) + "/" + name;
}
std::string TestsSourceDir() { return QUILLET_TESTS_DIR; }

TempDir::TempDir() {
  const char *base = getenv("QUILLET_TEST_TMP");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/quillet-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed for " << pattern;
  path_ = buffer.data();
}

TempDir::~TempDir() {
  if (!path_.empty())
    Shell("chmod -R u+rwx " + ShellQuote(path_) + " 2>/dev/null; rm -rf " + ShellQuote(path_));
}

ScopedEnv::~ScopedEnv() {
  for (const auto &entry : saved_) {
    if (entry.second.first) {
      setenv(entry.first.c_str(), entry.second.second.c_str(), 1);
    } else {
      unsetenv(entry.first.c_str());
    }
  }
}

void ScopedEnv::Remember(const std::string &name) {
  if (saved_.count(name) != 0) return;
  const char *value = getenv(name.c_str());
  saved_[name] =
      std::make_pair(value != nullptr, value != nullptr ? std::string(value) : std::string());
}

void ScopedEnv::Set(const std::string &name, const std::string &value) {
  Remember(name);
  setenv(name.c_str(), value.c_str(), 1);
}

void ScopedEnv::Unset(const std::string &name) {
  Remember(name);
  unsetenv(name.c_str());
}

ScopedCwd::ScopedCwd() {
  char buffer[4096];
  if (getcwd(buffer, sizeof(buffer)) != nullptr) saved_ = buffer;
}

ScopedCwd::ScopedCwd(const std::string &dir) : ScopedCwd() {
  if (chdir(dir.c_str()) != 0) ADD_FAILURE() << "cannot enter " << dir;
}

ScopedCwd::~ScopedCwd() {
  if (!saved_.empty() && chdir(saved_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << saved_;
}

std::string ReadFile(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

void WriteFile(const std::string &path, const std::string &content) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << content;
  if (!file) ADD_FAILURE() << "cannot write " << path;
}

bool Exists(const std::string &path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

void MakeDirs(const std::string &path) { Shell("mkdir -p " + ShellQuote(path)); }

std::vector<std::string> ListDir(const std::string &dir) {
  std::vector<std::string> names;
  if (DIR *folder = opendir(dir.c_str())) {
    while (dirent *entry = readdir(folder)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(folder);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ShellQuote(const std::string &text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

int Shell(const std::string &command, const std::string &cwd, std::string *output) {
  std::string full = command;
  if (!cwd.empty()) full = "cd " + ShellQuote(cwd) + " && { " + command + "\n}";
  full = "( " + full + "\n) 2>&1";
  FILE *pipe = popen(full.c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0) text.append(buffer, got);
  int status = pclose(pipe);
  if (output != nullptr) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

CvsSandbox::CvsSandbox() {
  MakeDirs(Home());
  MakeDirs(Tmp());
  env_.Set("HOME", Home());
  env_.Set("TMP", Tmp());
  env_.Set("TMPDIR", Tmp());
  env_.Set("TEMP", Tmp());
  env_.Set("CVSROOT", Repository());
  env_.Unset("CVS_RSH");
  env_.Unset("CVSREAD");
  env_.Unset("CVSEDITOR");
  env_.Unset("EDITOR");
  env_.Unset("VISUAL");
  env_.Set("TZ", "UTC");
  std::string output;
  int status = Shell("cvs -d " + ShellQuote(Repository()) + " init", "", &output);
  if (status != 0) ADD_FAILURE() << "cvs init failed: " << output;
}

void CvsSandbox::Import(const std::string &module,
                        const std::map<std::string, std::string> &files) {
  std::string source = dir_ / ("import-" + module);
  MakeDirs(source);
  for (const auto &file : files) {
    std::string path = source + "/" + file.first;
    MakeDirs(path.substr(0, path.find_last_of('/')));
    WriteFile(path, file.second);
  }
  MustCvs(
      "-Q import -m " + ShellQuote("initial import") + " " + ShellQuote(module) + " vendor start",
      source);
  Shell("rm -rf " + ShellQuote(source));
}

std::string CvsSandbox::Checkout(const std::string &module, const std::string &into) {
  MustCvs("-Q checkout -d " + ShellQuote(into) + " " + ShellQuote(module), Root());
  return dir_ / into;
}

int CvsSandbox::Cvs(const std::string &args, const std::string &cwd, std::string *output) {
  return Shell("cvs " + args, cwd, output);
}

void CvsSandbox::MustCvs(const std::string &args, const std::string &cwd) {
  std::string output;
  int status = Cvs(args, cwd, &output);
  if (status != 0) ADD_FAILURE() << "cvs " << args << " failed (" << status << "): " << output;
}

void WriteRecordingCvs(const std::string &dir, const std::string &log, bool logFolder) {
  std::string script = "#!/bin/sh\n";
  if (logFolder) script += "printf '%s:' \"$(pwd)\" >> " + ShellQuote(log) + "\n";
  script += "for a in \"$@\"; do printf '[%s]' \"$a\" >> " + ShellQuote(log) + "; done\n";
  script += "echo >> " + ShellQuote(log) + "\n";
  script += "exec /usr/bin/cvs \"$@\"\n";
  WriteFile(dir + "/cvs", script);
  Shell("chmod +x " + ShellQuote(dir + "/cvs"));
}

std::vector<std::string> ReadLines(const std::string &path) {
  std::vector<std::string> lines;
  std::string text = ReadFile(path);
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

int RowIndex(const standin::PanelModel &panel, const std::string &name) {
  const std::string tail = "/" + name;
  for (size_t i = 0; i < panel.Rows.size(); ++i) {
    const std::string &row = panel.Rows[i].Name;
    if (row == name || (row.size() > tail.size() &&
                        row.compare(row.size() - tail.size(), std::string::npos, tail) == 0)) {
      return static_cast<int>(i);
    }
  }
  ADD_FAILURE() << "no row " << name;
  return 0;
}

namespace {

const char kInnerRun[] = "QUILLET_INNER_RUN";

std::string SelfPath() {
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string CurrentTestFilter() {
  const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(info->test_suite_name()) + "." + info->name();
}

bool IsInnerRun(const char *kind) {
  const char *value = getenv(kInnerRun);
  return value != nullptr && std::string(value) == kind;
}

// Runs this test case again as `launcher` starts it; fails the test with
// the inner run's output unless it passed.
void RunAgain(const char *kind, const std::string &launcher, const std::string &extraEnv) {
  std::string output;
  std::string command = std::string(kInnerRun) + "=" + kind + " " + extraEnv + " " + launcher +
                        " " + ShellQuote(SelfPath()) + " " +
                        ShellQuote("--gtest_filter=" + CurrentTestFilter());
  int status = Shell(command, "", &output);
  EXPECT_EQ(status, 0) << "the second run failed:\n" << command << "\n" << output;
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace

bool RunsUnprivileged() {
  if (geteuid() != 0 || IsInnerRun("unprivileged")) return true;
  const std::string user = "setpriv --reuid=65534 --regid=65534 --clear-groups";
  std::string launcher = user;
  // The build tree may lie below a folder that user cannot enter.
  if (Shell(user + " test -x " + ShellQuote(SelfPath()) + " -a -r " + ShellQuote(ModulePath())) !=
      0) {
    launcher = "setpriv --inh-caps=-all --bounding-set=-dac_override,-dac_read_search,-fowner";
  }
  RunAgain("unprivileged", launcher, "");
  return false;
}

bool RunsWithReadOnlyMounts() {
  if (IsInnerRun("mounts")) return true;
  // The second run's scratch folders lie outside /tmp, in one folder that
  // this run removes: inside, the read-only mounts keep it from cleaning up.
  MakeDirs("/var/tmp");
  char base[] = "/var/tmp/quillet-mounts-XXXXXX";
  if (mkdtemp(base) == nullptr) {
    ADD_FAILURE() << "mkdtemp failed under /var/tmp";
    return false;
  }
  RunAgain("mounts", "unshare -m sh -c 'mount --bind -o ro /tmp /tmp && exec \"$0\" \"$@\"'",
           std::string("QUILLET_TEST_TMP=") + ShellQuote(base));
  Shell("rm -rf " + ShellQuote(base));
  return false;
}

bool PrivateMountsPossible() {
  return IsInnerRun("mounts") || (geteuid() == 0 && Shell("unshare -m true") == 0);
}

void MountReadOnly(const std::string &dir) {
  std::string output;
  EXPECT_EQ(Shell("mount --bind -o ro " + ShellQuote(dir) + " " + ShellQuote(dir), "", &output), 0)
      << output;
}

void ModuleTest::SetUp() {
  host.Reset();
  std::string error;
  ASSERT_TRUE(standin::LoadModule(ModulePath(), module, error)) << error;
  host.BindModule(module);
}

void ModuleTest::TearDown() {
  if (host.ActivePanel().Plugin) host.ClosePluginPanel();
  host.Reset();
  standin::UnloadModule(module);
}

}  // namespace testsupport
