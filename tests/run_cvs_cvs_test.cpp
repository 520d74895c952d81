// The real cvs client through RunCvs: found on PATH, its output and exit
// code captured, names with blanks passed whole.
#include <unistd.h>

#include <string>

#include "host/host.hpp"
#include "runner/temp_file.hpp"
#include "test_support.hpp"
#include "ui/run_dialog.hpp"

namespace {

class RealCvsRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Reset();
    info = host.StartupInfo();
    BindHost(&info);
  }
  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info{};
  testsupport::CvsSandbox sandbox;
};

TEST_F(RealCvsRunTest, VersionRunsAndItsOutputIsCaptured) {
  std::string output = TempFileName("HOME");
  ASSERT_EQ(output.rfind(sandbox.Tmp() + "/quillet", 0), 0u) << output;
  const char *args[] = {"cvs", "--version", nullptr};
  EXPECT_EQ(RunCvs(args, output.c_str()), 0);
  EXPECT_NE(testsupport::ReadFile(output).find("Concurrent Versions System"), std::string::npos)
      << testsupport::ReadFile(output);
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Result, 2);
  EXPECT_EQ(host.LateDialogMessages, 0);
  unlink(output.c_str());
}

TEST_F(RealCvsRunTest, AFailingCommandReturnsItsExitCodeAndMessage) {
  testsupport::TempDir notAWorkingCopy;
  testsupport::ScopedCwd cwd(notAWorkingCopy.Path());
  std::string output = notAWorkingCopy / "out";
  const char *args[] = {"cvs", "-d", "/no/such/repository", "status", nullptr};
  int code = RunCvs(args, output.c_str());
  EXPECT_NE(code, 0);
  EXPECT_GT(code, 0);
  EXPECT_NE(testsupport::ReadFile(output).find("/no/such/repository"), std::string::npos)
      << testsupport::ReadFile(output);
}

TEST_F(RealCvsRunTest, ANameWithBlanksReachesCvsAsOneArgument) {
  sandbox.Import("proj", {{"my file.txt", "hello\n"}, {"other.txt", "x\n"}});
  std::string work = sandbox.Checkout("proj", "work");
  testsupport::ScopedCwd cwd(work);
  std::string output = sandbox.Tmp() + "/status";
  const char *args[] = {"cvs", "-q", "status", "my file.txt", nullptr};
  EXPECT_EQ(RunCvs(args, output.c_str()), 0);
  std::string text = testsupport::ReadFile(output);
  EXPECT_NE(text.find("File: my file.txt"), std::string::npos) << text;
  EXPECT_EQ(text.find("other.txt"), std::string::npos) << text;
  unlink(output.c_str());
}

}  // namespace
