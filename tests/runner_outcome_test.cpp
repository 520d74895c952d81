// The confirmation before a command and the outcome after a run, shown
// through the stand-in host.
#include <string>
#include <vector>

#include "host/host.hpp"
#include "runner/cvs_args.hpp"
#include "test_support.hpp"
#include "texts/format_text.hpp"
#include "ui/boxes.hpp"
#include "ui/cvs_run.hpp"

namespace {

class OutcomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Reset();
    if (host.Language.empty()) {
      host.LoadLanguage(testsupport::TestsSourceDir() + "/../lang/quillet_en.lng");
    }
    ASSERT_GT(host.Language.size(), 4u);
    info = host.StartupInfo();
    BindHost(&info);
  }

  static Selection Names(int count) {
    Selection names;
    for (int i = 1; i <= count; ++i) names.push_back("file " + std::to_string(i) + ".c");
    return names;
  }

  standin::Host &host = standin::Host::Get();
  PluginStartupInfo info{};
  testsupport::TempDir dir;
};

TEST_F(OutcomeTest, TwelveNamesListTheFirstTenThenDots) {
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(ConfirmCommand("Show log for", Names(12)), 0);
  ASSERT_EQ(host.Messages.size(), 1u);
  const standin::MessageCall &box = host.Messages[0];
  EXPECT_EQ(box.Flags, 0x20030u);
  EXPECT_EQ(box.ItemsNumber, 0);
  EXPECT_EQ(box.ButtonsNumber, 0);
  EXPECT_EQ(box.PluginNumber, host.ModuleNumber);
  std::vector<std::string> expected{FormatText(host.Language[0].c_str(), "Show log for", 12)};
  for (const std::string &name : Names(10)) expected.push_back(name);
  expected.push_back("...");
  std::vector<std::string> lines = box.Lines;
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  EXPECT_EQ(lines, expected);
  EXPECT_NE(lines[0].find("12"), std::string::npos);
}

TEST_F(OutcomeTest, TenNamesHaveNoDotsAndTheWholeDirectoryIsADot) {
  host.script.Message.push_back(standin::Answer(1));
  EXPECT_EQ(ConfirmCommand("Remove", Names(10)), 1);
  std::string text = ConfirmationText("Remove", Names(10));
  EXPECT_EQ(text.find("..."), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 10), "file 10.c\n");

  // No answer scripted: the user presses Esc.
  EXPECT_EQ(ConfirmCommand("Show stat for", Selection{"."}), -1);
  ASSERT_EQ(host.Messages.size(), 2u);
  std::vector<std::string> lines = host.Messages[1].Lines;
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  EXPECT_EQ(lines, (std::vector<std::string>{
                       FormatText(host.Language[0].c_str(), "Show stat for", 1), "."}));
}

TEST_F(OutcomeTest, ExitCodeZeroOpensTheLockedEditorAtOnce) {
  std::string output = dir / "log";
  testsupport::WriteFile(output, "U file.c\n");
  ReportOutcome(0, output.c_str());
  EXPECT_TRUE(host.Messages.empty());
  ASSERT_EQ(host.AdvControls.size(), 1u);
  EXPECT_EQ(host.AdvControls[0].Command, ACTL_POSTKEYSEQUENCE);
  EXPECT_EQ(host.AdvControls[0].ModuleNumber, host.ModuleNumber);
  EXPECT_EQ(host.AdvControls[0].KeyFlags, 0u);
  EXPECT_EQ(host.AdvControls[0].Keys, (std::vector<DWORD>{0x0100004Cu}));
  ASSERT_EQ(host.Editors.size(), 1u);
  const standin::EditorCall &editor = host.Editors[0];
  EXPECT_EQ(editor.FileName, output);
  EXPECT_EQ(editor.Title, "CVS log");
  EXPECT_EQ(editor.X1, -1);
  EXPECT_EQ(editor.Y1, -1);
  EXPECT_EQ(editor.X2, -1);
  EXPECT_EQ(editor.Y2, -1);
  EXPECT_EQ(editor.Flags, static_cast<DWORD>(EF_ENABLE_F6));
  EXPECT_EQ(editor.StartLine, 0);
  EXPECT_EQ(editor.StartChar, 1);
  EXPECT_TRUE(editor.LockKeyPosted);
  EXPECT_EQ(editor.Content, "U file.c\n");
  // The file stays for the caller to delete.
  EXPECT_TRUE(testsupport::Exists(output));
}

TEST_F(OutcomeTest, AFailureAsksFirstAndOnlyTheFirstButtonShowsTheOutput) {
  std::string output = dir / "log";
  testsupport::WriteFile(output, "cvs: nothing known about x\n");
  host.script.Message.push_back(standin::Answer(1));
  ReportOutcome(1, output.c_str());
  ReportOutcome(1, output.c_str());  // Esc: nothing scripted
  EXPECT_TRUE(host.Editors.empty());
  EXPECT_TRUE(host.AdvControls.empty());
  ASSERT_EQ(host.Messages.size(), 2u);
  const standin::MessageCall &box = host.Messages[0];
  EXPECT_EQ(box.Flags, static_cast<DWORD>(FMSG_WARNING));
  // The exit code, then the line of cvs that says why.
  EXPECT_EQ(box.ItemsNumber, 5);
  EXPECT_EQ(box.ButtonsNumber, 2);
  EXPECT_EQ(box.Lines,
            (std::vector<std::string>{host.Language[3], FormatText(host.Language[1].c_str(), 1),
                                      "cvs: nothing known about x", host.Language[4],
                                      host.Language[2]}));

  // A break is said as one, not as the runner's code for it.
  host.script.Message.push_back(standin::Answer(0));
  ReportOutcome(-168, output.c_str());
  ASSERT_EQ(host.Messages.size(), 3u);
  EXPECT_EQ(host.Messages[2].Lines[1], "The run of cvs was broken off");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_TRUE(host.Editors[0].LockKeyPosted);
  EXPECT_EQ(host.Editors[0].Content, "cvs: nothing known about x\n");
}

TEST(MessageFormats, OnlyTheConversionsPassedAreAccepted) {
  for (const char *text : {"%s %d item(s)", "%-10s: %5d", "%s %i", "100%% %s of %03d", "%.20s %d"})
    EXPECT_TRUE(FormatFits(text, "sd")) << text;
  for (const char *text : {"%d %s", "%s", "%s %d %d", "%s %n%d", "%s %ld", "%*s %d", "%1$s %2$d",
                           "%s %d%", "%9999s %d", "%s %x", "", "%s %d %"})
    EXPECT_FALSE(FormatFits(text, "sd")) << text;
  EXPECT_TRUE(FormatFits("exit code %d", "d"));
  EXPECT_TRUE(FormatFits("%%d%d", "d"));
  EXPECT_FALSE(FormatFits("exit code %s", "d"));
  EXPECT_FALSE(FormatFits("no conversion", "d"));
}

TEST_F(OutcomeTest, LongTextsAreCutToTheirLines) {
  host.Language[0] = std::string(400, 'h') + " %s %d";
  host.Language[1] = std::string(200, 'o') + " %d";
  std::string text = ConfirmationText("Show log for", Selection{"a.c"});
  EXPECT_EQ(text, std::string(299, 'h') + "\na.c\n");
  std::string output = dir / "log";
  testsupport::WriteFile(output, "");
  host.script.Message.push_back(standin::Answer(1));
  ReportOutcome(3, output.c_str());
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[1], std::string(99, 'o'));
  host.LoadLanguage(testsupport::TestsSourceDir() + "/../lang/quillet_en.lng");
}

TEST_F(OutcomeTest, ALanguageFileEditedByHandFallsBackToEnglish) {
  // A line too many shifts every message by one: message 0 is then the
  // old message 1's text, which would take the command word for an int.
  std::string original =
      testsupport::ReadFile(testsupport::TestsSourceDir() + "/../lang/quillet_en.lng");
  std::string shifted = original;
  shifted.insert(shifted.find("\"%s %d item(s)\""), "\"one line too many\"\n");
  testsupport::WriteFile(dir / "shifted.lng", shifted);
  ASSERT_TRUE(host.LoadLanguage(dir / "shifted.lng"));
  host.Language[1] = "%s %d %n items";  // and a %n for good measure
  std::string output = dir / "log";
  testsupport::WriteFile(output, "");
  for (int round = 0; round < 2; ++round) {
    host.Messages.clear();
    host.script.Message.push_back(standin::Answer(1));
    ReportOutcome(7, output.c_str());
    EXPECT_EQ(ConfirmationText("Remove", Selection{"a.c"}), "Remove 1 item(s)\na.c\n");
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0].Lines[1], "CVS ended with exit code 7");
    // A file that lacks the messages altogether.
    host.Language.clear();
  }
  host.LoadLanguage(testsupport::TestsSourceDir() + "/../lang/quillet_en.lng");
}

}  // namespace
