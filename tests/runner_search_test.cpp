// Where programs are looked for and how their arguments are passed: the
// Windows rules as pure functions, and real starts on this system.
#include <string.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "os/command_line.hpp"
#include "os/os.hpp"
#include "runner/program_search.hpp"
#include "runner/start_program.hpp"
#include "runtime_split.hpp"
#include "test_support.hpp"

namespace {

using Paths = std::vector<std::string>;

TEST(ProgramCandidates, WindowsSearchesPathOnlyInOrderWithComBeforeExe) {
  SearchRules rules = WindowsSearchRules();
  Paths found = ProgramCandidates("cvs", "C:\\one;;\"C:\\two words\";D:\\three\\;E:/four/", rules);
  Paths expected;
  for (const char *dir : {"C:\\one\\", "C:\\two words\\", "D:\\three\\", "E:/four/"}) {
    for (const char *ext : {".com", ".exe", ".bat", ".cmd"}) {
      expected.push_back(std::string(dir) + "cvs" + ext);
    }
  }
  EXPECT_EQ(found, expected);
  // The current folder is never among them, nor any folder relative to it
  // or to its drive; shares are named the same from everywhere.
  for (const std::string &path : found) EXPECT_NE(path.rfind(".\\", 0), 0u) << path;
  EXPECT_EQ(ProgramCandidates("cvs.exe", ".;bin;..\\up;C:bin;\\tools;/x;\"\";C:\\ok;\\\\srv\\share",
                              rules),
            (Paths{"C:\\ok\\cvs.exe", "\\\\srv\\share\\cvs.exe"}));
}

TEST(ProgramCandidates, WindowsNameWithExtensionOrDirectoryPart) {
  SearchRules rules = WindowsSearchRules();
  EXPECT_EQ(ProgramCandidates("tkdiff.bat", "C:\\bin;C:\\tools", rules),
            (Paths{"C:\\bin\\tkdiff.bat", "C:\\tools\\tkdiff.bat"}));
  // A directory part: used as given, not looked for on PATH.
  EXPECT_EQ(ProgramCandidates("tools\\cvs", "C:\\bin", rules),
            (Paths{"tools\\cvs.com", "tools\\cvs.exe", "tools\\cvs.bat", "tools\\cvs.cmd"}));
  EXPECT_EQ(ProgramCandidates("C:cvs.exe", "C:\\bin", rules), (Paths{"C:cvs.exe"}));
  EXPECT_EQ(ProgramCandidates("./cvs.exe", "C:\\bin", rules), (Paths{"./cvs.exe"}));
  // A dot in a folder name is not an extension.
  EXPECT_EQ(ProgramCandidates("v1.2\\cvs", "", rules).front(), "v1.2\\cvs.com");
  EXPECT_TRUE(ProgramCandidates("cvs", "", rules).empty());
  EXPECT_TRUE(ProgramCandidates("", "C:\\bin", rules).empty());
}

TEST(ProgramCandidates, WindowsPathOf260CharactersEndsTheSearch) {
  SearchRules rules = WindowsSearchRules();
  std::string longDir = "C:\\" + std::string(250, 'x');
  Paths found = ProgramCandidates("cvs", "C:\\a;" + longDir + ";C:\\b", rules);
  // The long entry and everything after it are not tried.
  EXPECT_EQ(found, (Paths{"C:\\a\\cvs.com", "C:\\a\\cvs.exe", "C:\\a\\cvs.bat", "C:\\a\\cvs.cmd"}));
  std::string fits = "C:\\" + std::string(248, 'y');  // 251 + "\cvs.com" = 259
  EXPECT_EQ(ProgramCandidates("cvs", fits, rules).size(), 4u);
}

TEST(ProgramCandidates, PosixUsesColonsAndNoExtensions) {
  SearchRules rules = PosixSearchRules();
  EXPECT_EQ(ProgramCandidates("cvs", "/usr/local/bin::/usr/bin/:relative:.:./bin:\"\"", rules),
            (Paths{"/usr/local/bin/cvs", "/usr/bin/cvs"}));
  EXPECT_EQ(ProgramCandidates("./cvs", "/usr/bin", rules), (Paths{"./cvs"}));
  // A backslash is an ordinary character here.
  EXPECT_EQ(ProgramCandidates("a\\cvs", "/bin", rules), (Paths{"/bin/a\\cvs"}));
  EXPECT_TRUE(IsNetworkPath("\\\\server\\share\\cvs.exe"));
  EXPECT_TRUE(IsNetworkPath("//server/share/cvs"));
  EXPECT_FALSE(IsNetworkPath("C:\\bin\\cvs.exe"));
}

// The arguments of a batch file as %~1, %~2 ... give them: the command
// interpreter splits at blanks, tabs, "," ";" and "=" outside double
// quotes, and %~N drops the quotes around an argument.
std::vector<std::string> SplitLikeABatchFile(const std::string &line) {
  std::vector<std::string> args;
  std::string arg;
  bool quoted = false, inArg = false;
  for (char c : line) {
    if (!quoted && strchr(" \t,;=", c) != nullptr) {
      if (inArg) args.push_back(arg);
      arg.clear();
      inArg = false;
      continue;
    }
    inArg = true;
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    arg += c;
  }
  if (inArg) args.push_back(arg);
  return args;
}

TEST(QuoteCommandLine, NamesWithCommaSemicolonOrEqualsReachABatchFileWhole) {
  std::vector<std::string> entries = {"tkdiff.bat", "-r",          "1.2",         "a,b.c",
                                      "x;y.c",      "key=value.c", "two words.c", "plain.c"};
  std::vector<const char *> args;
  for (const std::string &entry : entries) args.push_back(entry.c_str());
  args.push_back(nullptr);
  std::string line = QuoteCommandLine(args.data());
  EXPECT_EQ(SplitLikeABatchFile(line), entries) << line;
  // and a program built on the C runtime gets the same entries.
  EXPECT_EQ(SplitLikeTheRuntime(line), entries) << line;
  EXPECT_EQ(QuoteArgument("plain.c"), "plain.c");
}

TEST(QuoteCommandLine, EveryEntryComesBackWholeFromTheRuntimesSplitter) {
  std::vector<std::string> entries = {"cvs",
                                      "commit",
                                      "-F",
                                      "C:\\Documents and Settings\\me\\quillet2",
                                      "file with blanks.txt",
                                      "say \"hi\"",
                                      "ends with backslash\\",
                                      "C:\\dir\\",
                                      "\\\\server\\share",
                                      "quote at end\"",
                                      "\\\"",
                                      "tab\there",
                                      ""};
  std::vector<const char *> args;
  for (const std::string &entry : entries) args.push_back(entry.c_str());
  args.push_back(nullptr);
  std::string line = QuoteCommandLine(args.data());
  EXPECT_EQ(SplitLikeTheRuntime(line), entries) << line;
}

TEST(QuoteCommandLine, PlainEntriesAreCopiedByteForByte) {
  const char *args[] = {"cvs", "-q", "update", "-d", "-r", "REL_1", "C:\\work\\file.c", nullptr};
  EXPECT_EQ(QuoteCommandLine(args), "cvs -q update -d -r REL_1 C:\\work\\file.c");
  const char *only[] = {"cvs", nullptr};
  EXPECT_EQ(QuoteCommandLine(only), "cvs");
  EXPECT_EQ(QuoteArgument(""), "\"\"");
}

// Real starts: copies of the helper program in several folders.
class StartProgramTest : public ::testing::Test {
 protected:
  void Plant(const std::string &folder, const std::string &name, bool executable = true) {
    testsupport::MakeDirs(folder);
    std::string target = folder + "/" + name;
    ASSERT_EQ(testsupport::Shell("cp " +
                                 testsupport::ShellQuote(testsupport::ProgramPath("runner_child")) +
                                 " " + testsupport::ShellQuote(target)),
              0);
    chmod(target.c_str(), executable ? 0755 : 0644);
  }

  // Starts `name` with the step "self"; returns the path the program
  // reports as its own, or the error.
  std::string StartedFile(const std::string &name) {
    std::string output = dir / "self";
    FILE *file = fopen(output.c_str(), "w");
    const char *args[] = {name.c_str(), "self", nullptr};
    std::string error;
    os::Process *process = StartProgram(name.c_str(), args, file, error).release();
    if (process == nullptr) {
      fclose(file);
      return "error: " + error;
    }
    EXPECT_EQ(os::ProcessExitCode(process), 0);
    os::FreeProcess(process);
    fclose(file);
    std::string text = testsupport::ReadFile(output);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  testsupport::TempDir dir;
  testsupport::ScopedEnv env;
};

TEST_F(StartProgramTest, TheFirstMatchOnPathIsStarted) {
  Plant(dir / "a", "probe");
  Plant(dir / "b", "probe");
  env.Set("PATH", dir / "a" + ":" + dir / "b");
  EXPECT_EQ(StartedFile("probe"), dir / "a/probe");
  env.Set("PATH", "::" + dir / "b" + ":" + dir / "a");
  EXPECT_EQ(StartedFile("probe"), dir / "b/probe");
}

TEST_F(StartProgramTest, AProgramPlantedInTheCurrentFolderIsNeverStarted) {
  Plant(dir / "workcopy", "probe");
  Plant(dir / "workcopy/bin", "probe");
  Plant(dir / "bin", "probe");
  testsupport::ScopedCwd cwd(dir / "workcopy");
  env.Set("PATH", dir / "bin");
  EXPECT_EQ(StartedFile("probe"), dir / "bin/probe");
  env.Set("PATH", dir / "empty");
  std::string result = StartedFile("probe");
  EXPECT_NE(result.find("not found on PATH"), std::string::npos) << result;
  // Entries that name the current folder, or folders below it, are passed
  // over on the way to the real one.
  env.Set("PATH", ".::bin:./bin:" + dir / "bin");
  EXPECT_EQ(StartedFile("probe"), dir / "bin/probe");
  env.Set("PATH", ".::bin");
  result = StartedFile("probe");
  EXPECT_NE(result.find("not found on PATH"), std::string::npos) << result;
  env.Unset("PATH");
  result = StartedFile("probe");
  EXPECT_NE(result.find("PATH is not set"), std::string::npos) << result;
  // Asked for by a path, it is used as given.
  env.Set("PATH", dir / "bin");
  EXPECT_EQ(StartedFile("./probe"), dir / "workcopy/probe");
}

TEST_F(StartProgramTest, FilesThatMayNotRunAreSkipped) {
  Plant(dir / "a", "probe", false);
  Plant(dir / "b", "probe");
  testsupport::MakeDirs(dir / "c/probe");  // a folder of that name
  env.Set("PATH", dir / "c" + ":" + dir / "a" + ":" + dir / "b");
  EXPECT_EQ(StartedFile("probe"), dir / "b/probe");
}

TEST(BatchFiles, OnlyBatchFilesAreGuardedAndTheyRefuseWhatCmdActsOn) {
  EXPECT_TRUE(IsBatchFile("C:\\bin\\tkdiff.bat", WindowsSearchRules()));
  EXPECT_TRUE(IsBatchFile("C:\\bin\\CVS.CMD", WindowsSearchRules()));
  EXPECT_FALSE(IsBatchFile("C:\\bin\\cvs.exe", WindowsSearchRules()));
  EXPECT_FALSE(IsBatchFile("/usr/bin/run.bat", PosixSearchRules()));

  const char *plain[] = {"tkdiff.bat", "-r", "1.2", "my file,v (copy)!.txt", nullptr};
  EXPECT_TRUE(FitsBatchCommandLine(plain));
  for (const char *name :
       {"a&calc.txt", "a|b", "a>b", "a<b", "50%.txt", "up^", "say\"hi\"", "two\nlines"}) {
    const char *args[] = {"tkdiff.bat", "-r", "1.2", name, nullptr};
    EXPECT_FALSE(FitsBatchCommandLine(args)) << name;
  }
}

}  // namespace
