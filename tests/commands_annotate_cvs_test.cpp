// Annotate: each line of the selected files with the revision, author and
// date that last changed it, from the real cvs, shown as Log's output is;
// on the file panel and on the status panel.
#include "commands_fixture.hpp"

namespace testsupport {
namespace {

class AnnotateTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.txt", "first\nsecond\n"}, {"b.txt", "b\n"}, {"-r1.txt", "dash\n"}});
    WriteFile(wc + "/a.txt", "first\nsecond, changed\n");
    sandbox.MustCvs("-Q commit -m second a.txt", wc);
    EnterFolder(wc);
  }
  // The line of the shown output that ends in `text`.
  static std::string LineEndingIn(const std::string &output, const std::string &text) {
    size_t end = output.find(text + "\n");
    if (end == std::string::npos) return "";
    size_t start = output.rfind('\n', end);
    return output.substr(start == std::string::npos ? 0 : start + 1, end + text.size() - start - 1);
  }
};

TEST_F(AnnotateTest, SelectedFilesAreAnnotatedLineByLineInTheViewer) {
  Select({"a.txt", "-r1.txt"});
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(Run(Command::Annotate), INVALID_HANDLE_VALUE);

  // Asked first, as Log is: the command's name and every name.
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines,
            (std::vector<std::string>{"Show annotations for 2 item(s)", "-r1.txt", "a.txt"}));
  // A name that looks like annotate's own -r option stays a name.
  EXPECT_EQ(LastCvsCall(), "[annotate][--][-r1.txt][a.txt]");
  ASSERT_EQ(host.Editors.size(), 1u);
  const std::string &shown = host.Editors[0].Content;
  EXPECT_NE(LineEndingIn(shown, "first").find("1.1 "), std::string::npos) << shown;
  EXPECT_NE(LineEndingIn(shown, "second, changed").find("1.2 "), std::string::npos) << shown;
  EXPECT_NE(LineEndingIn(shown, "dash").find("1.1 "), std::string::npos) << shown;
  EXPECT_EQ(shown.find("b\n"), std::string::npos) << "a file not selected was annotated";
  ExpectNoTempFiles();
}

// cvs annotate says nothing of a file it does not know, and ends with 1:
// the user is told it failed, not shown an empty page.
TEST_F(AnnotateTest, AFileCvsDoesNotKnowIsReportedAsAFailure) {
  WriteFile(wc + "/unknown.txt", "?\n");
  EnterFolder(wc);
  Select({"unknown.txt"});
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Annotate);
  EXPECT_EQ(LastCvsCall(), "[annotate][unknown.txt]");
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[1].Flags & FMSG_WARNING, static_cast<DWORD>(FMSG_WARNING));
  EXPECT_EQ(host.Messages[1].Lines[1], "CVS ended with exit code 1");
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

// On the status panel a user selects the file and takes the plug-ins
// menu, as on the file panel.
TEST_F(AnnotateTest, OnTheStatusPanelTheSelectedFileIsAnnotated) {
  host.ActivePanel().CurDir = wc;
  HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  ASSERT_NE(panel, INVALID_HANDLE_VALUE);
  host.OpenPluginPanel(module, panel);
  ForgetCvsCalls();
  Select({"b.txt"});
  host.script.Message.push_back(standin::Answer(0));
  EXPECT_EQ(Run(Command::Annotate), INVALID_HANDLE_VALUE);
  EXPECT_EQ(host.Menus.back().Title, "CVS: Selection");
  EXPECT_EQ(LastCvsCall(), "[annotate][b.txt]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(LineEndingIn(host.Editors[0].Content, "b").find("1.1 "), std::string::npos)
      << host.Editors[0].Content;
}

}  // namespace
}  // namespace testsupport
