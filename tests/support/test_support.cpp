// Shared test helpers of the Linux tests: shell, cvs sandbox, runs without
// privileges or with read-only mounts.
#include "test_support.hpp"

#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

std::string ProgramPath(const std::string &name) {
  return std::string(QUILLET_PROGRAM_DIR) + "/" + name;
}
std::string TestsSourceDir() { return QUILLET_TESTS_DIR; }

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
  env_.Set("XDG_STATE_HOME", State());
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

void WriteScript(const std::string &path, const std::string &body) {
  WriteFile(path, "#!/bin/sh\n" + body);
  EXPECT_EQ(0, chmod(path.c_str(), 0755)) << path;
}

void WriteRecordingCvs(const std::string &dir, const std::string &log, bool logFolder) {
  std::string script;
  if (logFolder) script += "printf '%s:' \"$(pwd)\" >> " + ShellQuote(log) + "\n";
  script += "for a in \"$@\"; do printf '[%s]' \"$a\" >> " + ShellQuote(log) + "; done\n";
  script += "echo >> " + ShellQuote(log) + "\n";
  script += "exec /usr/bin/cvs \"$@\"\n";
  WriteScript(dir + "/cvs", script);
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

}  // namespace testsupport
