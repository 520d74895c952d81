// An :ext: root through the real ssh to a private sshd on the loopback
// address, with a key that asks for its passphrase on the terminal: with
// ssh's connection sharing (ControlMaster, ControlPersist) a command and
// the status panel's reading after it go through one connection, and the
// user is asked once.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "console_tui_fixture.hpp"

namespace {

using testsupport::ReadFile;
using testsupport::Shell;
using testsupport::ShellQuote;
using testsupport::WriteFile;
using testsupport::WriteScript;

const char kSshd[] = "/usr/sbin/sshd";
const char kPassphrase[] = "open sesame";
const char kHost[] = "quillet-loopback";

class SshConnectionSharing : public tuitest::ConsoleTuiTest {
 protected:
  void SetUp() override {
    ConsoleTuiTest::SetUp();
    if (access(kSshd, X_OK) != 0) GTEST_SKIP() << kSshd << " is missing (package openssh-server)";
    // sshd wants its privilege separation folder, which only root makes.
    if (access("/run/sshd", F_OK) != 0 && (geteuid() != 0 || Shell("mkdir -p /run/sshd") != 0))
      GTEST_SKIP() << "sshd needs /run/sshd, which only root can make";
    ssh = dir / "ssh";
    testsupport::MakeDirs(ssh);
    ASSERT_EQ(0, Shell("ssh-keygen -q -t ed25519 -N '' -f " + ShellQuote(ssh + "/host_key")));
    ASSERT_EQ(0, Shell("ssh-keygen -q -t ed25519 -N " + ShellQuote(kPassphrase) + " -f " +
                       ShellQuote(ssh + "/id")));
    ASSERT_EQ(
        0, Shell("cp " + ShellQuote(ssh + "/id.pub") + " " + ShellQuote(ssh + "/authorized_keys")));
    ASSERT_TRUE(StartSshd());
    // What a user puts into ~/.ssh/config; ssh reads the file of the
    // account, not of $HOME, so the test hands it over with -F.
    std::string user;
    ASSERT_EQ(0, Shell("id -un", "", &user));
    user.erase(user.find_last_not_of("\n") + 1);
    WriteFile(ssh + "/config", std::string("Host ") + kHost + "\n  HostName 127.0.0.1\n  Port " +
                                   std::to_string(port) + "\n  User " + user + "\n  IdentityFile " +
                                   ssh + "/id\n  IdentitiesOnly yes\n" +
                                   "  StrictHostKeyChecking no\n  UserKnownHostsFile /dev/null\n" +
                                   "  LogLevel ERROR\n  ControlMaster auto\n" + "  ControlPath " +
                                   ssh + "/cm-%r@%h:%p\n  ControlPersist 60\n");
    rsh = ssh + "/rsh";
    WriteScript(rsh, "exec ssh -F " + ShellQuote(ssh + "/config") + " \"$@\"\n");
  }

  void TearDown() override {
    ConsoleTuiTest::TearDown();
    if (!ssh.empty()) {
      Shell("ssh -F " + ShellQuote(ssh + "/config") + " -O exit " + kHost + " 2>/dev/null");
    }
    if (sshdPid > 0) kill(sshdPid, SIGTERM);
  }

  // sshd on a free port of 127.0.0.1, in the foreground of a process of
  // this test's own; true once it listens.
  bool StartSshd() {
    for (int attempt = 0; attempt < 10; ++attempt) {
      port = 20000 + static_cast<int>((getpid() * 7919 + attempt * 104729) % 40000);
      WriteFile(ssh + "/sshd_config",
                "Port " + std::to_string(port) + "\nListenAddress 127.0.0.1\nHostKey " + ssh +
                    "/host_key\nPidFile " + ssh + "/sshd.pid\nAuthorizedKeysFile " + ssh +
                    "/authorized_keys\nStrictModes no\nPasswordAuthentication no\n"
                    "KbdInteractiveAuthentication no\nPubkeyAuthentication yes\n"
                    "PermitRootLogin prohibit-password\nUsePAM no\n");
      const std::string log = ssh + "/sshd.log";
      WriteFile(log, "");
      std::string pid;
      if (Shell(std::string(kSshd) + " -D -e -f " + ShellQuote(ssh + "/sshd_config") + " 2>>" +
                    ShellQuote(log) + " </dev/null >/dev/null & echo $!",
                "", &pid) != 0)
        return false;
      sshdPid = static_cast<pid_t>(atol(pid.c_str()));
      for (int wait = 0; wait < 100; ++wait) {
        const std::string said = ReadFile(log);
        if (said.find("Server listening") != std::string::npos) return true;
        if (kill(sshdPid, 0) != 0 || said.find("Bind to port") != std::string::npos) break;
        usleep(50 * 1000);
      }
      kill(sshdPid, SIGTERM);
      sshdPid = -1;
    }
    return false;
  }

  // Connections sshd took.
  int Connections() {
    const std::string log = ReadFile(ssh + "/sshd.log");
    int count = 0;
    for (size_t at = log.find("Accepted publickey"); at != std::string::npos;
         at = log.find("Accepted publickey", at + 1))
      ++count;
    return count;
  }

  std::string ssh, rsh;
  int port = 0;
  pid_t sshdPid = -1;
};

TEST_F(SshConnectionSharing, ACommandAndTheRefreshAfterItAskOnce) {
  std::string work = MakeDemo();
  ASSERT_EQ(
      0,
      Shell("find " + ShellQuote(work) + " -path '*/CVS/Root' -exec sh -c 'echo \"$0\" > \"$1\"' " +
            ShellQuote(std::string(":ext:") + kHost + ":" + dir / "demo/repo") + " {} \\;"));
  Start(work, "--command cvs:", "", 100, 30, {{"CVS_RSH", rsh}});
  // The panel's own reading lends ssh no terminal: it cannot ask, and the
  // panel names the host it could not log in to.
  Expect("Permission denied");
  screen->Keys({"Escape"});
  EXPECT_TRUE(screen->WaitUntil([&](const std::string &shown) {
    return shown.find("Permission denied") == std::string::npos &&
           shown.find("hello.c") != std::string::npos;
  })) << screen->Last;
  screen->Keys({"C-l"});
  Expect("States not read");
  screen->Keys({"C-l"});

  // cvs log from the command menu asks first, naming the host; then ssh
  // asks once on the lent terminal, and the panel's reading after the
  // command goes through the connection that question opened.
  const std::string mark = MarkBeforeReading(work);
  Command("l");
  Expect("cvs would log in to the host");
  screen->Keys({"Right", "Enter"});
  Expect("Show log for");
  screen->Keys({"Enter"});
  Expect("Enter passphrase for key");
  screen->Type(kPassphrase);
  screen->Keys({"Enter"});
  Expect("RCS file:");
  screen->Keys({"Escape"});
  ExpectReadAgain(mark);
  EXPECT_NE(std::string::npos, LeftRow("hello.c").find("\xE2\x94\x82M\xE2\x94\x82"))
      << screen->Last;
  EXPECT_EQ(std::string::npos, screen->Screen().find("Enter passphrase")) << screen->Last;
  // One connection carried the command and the reading after it.
  EXPECT_EQ(1, Connections()) << ReadFile(ssh + "/sshd.log");
  Quit();
}

}  // namespace
