// Judging a finished run: each command's rule for its exit code, and the
// lines of cvs that say why a run failed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runner/run_codes.hpp"
#include "runner/run_verdict.hpp"
#include "runner/start_program.hpp"

namespace {

OutputScan Scan(const std::vector<std::string> &lines) {
  OutputScan scan;
  for (const std::string &line : lines) ScanOutputLine(scan, line.c_str(), line.size());
  return scan;
}

RunVerdict::Kind Judged(const std::string &word, int exitCode,
                        const std::vector<std::string> &lines) {
  return JudgeRun(ExitRuleFor(word), exitCode, Scan(lines)).What;
}

TEST(RunVerdict, DiffFindingDifferencesSucceedsAndDiffSayingWhyFails) {
  const std::vector<std::string> differences = {"Index: a.txt", "===", "RCS file: /r/a.txt,v",
                                                "retrieving revision 1.1", "diff -u -r1.1 a.txt",
                                                "--- a.txt", "+++ a.txt", "@@ -1 +1 @@", "-old",
                                                "+new", "cvs diff: Diffing sub"};
  EXPECT_EQ(Judged("diff", 1, differences), RunVerdict::Succeeded);
  EXPECT_EQ(Judged("diff", 0, {}), RunVerdict::Succeeded);
  // No output, or a line of cvs that is no note of progress: a failure.
  EXPECT_EQ(Judged("diff", 1, {}), RunVerdict::Failed);
  EXPECT_EQ(Judged("diff", 1, {"cvs diff: tag 9.9 is not in file a.txt"}), RunVerdict::Failed);
  EXPECT_EQ(Judged("diff", 1, {"Index: a", "cvs [diff aborted]: no repository"}),
            RunVerdict::Failed);
  // Other commands take 1 as the failure it is.
  EXPECT_EQ(Judged("log", 1, differences), RunVerdict::Failed);
  EXPECT_EQ(Judged("update", 2, {}), RunVerdict::Failed);
}

TEST(RunVerdict, BreakAndARunThatNeverStartedAreToldApart) {
  EXPECT_EQ(Judged("log", kRunBroken, {}), RunVerdict::BrokenOff);
  EXPECT_EQ(Judged("diff", kRunBroken, {"-old"}), RunVerdict::BrokenOff);
  EXPECT_EQ(Judged("checkout", kRunBroken, {}), RunVerdict::BrokenOff);
  // The runner's reason is the only line of the output: it is the cause.
  const RunVerdict notStarted =
      JudgeRun(ExitRule::ZeroOnly, kRunNotStarted, Scan({"Error: no program to start"}));
  EXPECT_EQ(notStarted.What, RunVerdict::NotStarted);
  EXPECT_EQ(notStarted.Scan.Causes, (std::vector<std::string>{"Error: no program to start"}));
  // checkout and export: whatever code cvs itself gave, its output answers.
  EXPECT_EQ(Judged("export", 1, {"cvs [export aborted]: must specify a tag or date"}),
            RunVerdict::Succeeded);
}

TEST(RunVerdict, DryRunQueriesAcceptOneOnlyWhereAConflictExplainsIt) {
  EXPECT_EQ(JudgeRun(ExitRule::ConflictExplains, 1, Scan({"M a.c", "C b.c"})).What,
            RunVerdict::Succeeded);
  EXPECT_EQ(JudgeRun(ExitRule::ConflictExplains, 1, Scan({"M a.c"})).What, RunVerdict::Failed);
  EXPECT_EQ(JudgeRun(ExitRule::ConflictExplains, 1,
                     Scan({"C b.c", "cvs [update aborted]: cannot open"}))
                .What,
            RunVerdict::Failed);
  EXPECT_EQ(JudgeRun(ExitRule::CvsAnswered, 1, Scan({"M a.c"})).What, RunVerdict::Succeeded);
  EXPECT_EQ(JudgeRun(ExitRule::CvsAnswered, 2, Scan({"M a.c"})).What, RunVerdict::Failed);
}

TEST(RunVerdict, EveryCauseLineIsKeptWholeAndAnotherProgramsLineBeforeOne) {
  const std::string longLine = "cvs update: ignoring CVS/Root because it specifies a "
                               "non-existent repository /" + std::string(200, 'r');
  const OutputScan scan = Scan({"cvs update: Updating .", "U a.c", longLine,
                                "cvs update: No CVSROOT specified!  Please use the `-d' option",
                                "cvs [update aborted]: or set the CVSROOT environment variable."});
  EXPECT_EQ(scan.Causes,
            (std::vector<std::string>{
                longLine, "cvs update: No CVSROOT specified!  Please use the `-d' option",
                "cvs [update aborted]: or set the CVSROOT environment variable."}));
  EXPECT_EQ(scan.FilesWritten, 1u);
  // ssh says why before cvs says that the server went away.
  const OutputScan refused =
      Scan({"me@host: Permission denied (publickey,password).",
            "cvs [update aborted]: end of file from server (consult above messages if any)"});
  ASSERT_EQ(refused.Causes.size(), 2u);
  EXPECT_EQ(refused.Causes[0], "me@host: Permission denied (publickey,password).");
  // Report lines never pass for causes, however they end.
  EXPECT_TRUE(Scan({"? notes.txt", "=====", "File: a.c  Status: Needs Merge"}).Causes.empty());
}

TEST(RunVerdict, ACommitSaysWhatItCommittedAndWhetherAConflictStoppedIt) {
  const OutputScan done = Scan({"/r/a.txt,v  <--  a.txt", "new revision: 1.2; previous revision: 1.1",
                                "/r/b.txt,v  <--  b.txt", "initial revision: 1.1"});
  EXPECT_EQ(done.FilesCommitted, 2u);
  EXPECT_FALSE(done.ConflictMarkers);
  EXPECT_EQ(Scan({"cvs commit: Examining ."}).FilesCommitted, 0u);
  const OutputScan stopped =
      Scan({"cvs commit: file `a.txt' had a conflict and has not been modified",
            "cvs [commit aborted]: correct above errors first!"});
  EXPECT_TRUE(stopped.ConflictMarkers);
  EXPECT_EQ(stopped.Causes.size(), 2u);
}

}  // namespace
