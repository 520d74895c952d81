// Differences from the plug-ins menu: the text diff through the real cvs,
// and the visual diff through the shipped launcher and a recording TkDiff.
#include <unistd.h>

#include "commands_fixture.hpp"

namespace testsupport {
namespace {

// The Differences dialog's items, by the names its declaration gives them.
int Item(const char *name) { return ItemOf(DiffDialog(), name); }

class DiffTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    MakeWorkingCopy({{"a.txt", "one\n"}, {"b.txt", "bee\n"}, {"c.txt", "sea\n"}});
    sleep(2);
    Shell("date -u '+%Y-%m-%d %H:%M:%S UTC'", "", &firstDate);
    firstDate.erase(firstDate.find_last_not_of("\n") + 1);
    sleep(2);
    for (const char *text : {"two\n", "three\n"}) {
      WriteFile(wc + "/a.txt", text);
      sandbox.MustCvs("-Q commit -m next", wc);
    }
    WriteFile(wc + "/a.txt", "on disk\n");
    EnterFolder(wc);
    Select({"a.txt"});

    // The launcher as shipped, and a TkDiff that records what it was given.
    toolLog = tools / "tkdiff-calls.log";
    Shell("cp " + ShellQuote(TestsSourceDir() + "/../ship/quillet-tkdiff") + " " +
          ShellQuote(tools / "quillet-tkdiff"));
    WriteFile(tools / "tkdiff",
              "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; } >> " +
                  ShellQuote(toolLog) + "\n");
    Shell("chmod +x " + ShellQuote(tools / "tkdiff"));
  }

  // Sets the dialog as the user would and confirms it.
  using Setup = std::function<void(FarDialogItem *)>;
  void Diff(Setup setup) {
    host.script.Dialog.push_back([setup](FarDialogItem *items, int) {
      setup(items);
      return Item("ok");
    });
    Run(Command::Diff);
  }
  static Setup Sides(int first, const std::string &firstValue, int second,
                     const std::string &secondValue, bool visual) {
    return [=](FarDialogItem *items) {
      standin::SelectRadio(items, 21, first);
      standin::SelectRadio(items, 21, second);
      standin::SelectRadio(items, 21, visual ? Item("visual") : Item("text"));
      if (first == Item("firstRevision")) Type(items[Item("firstRevisionEdit")], firstValue);
      if (first == Item("firstDate")) Type(items[Item("firstDateEdit")], firstValue);
      if (second == Item("secondRevision")) Type(items[Item("secondRevisionEdit")], secondValue);
      if (second == Item("secondDate")) Type(items[Item("secondDateEdit")], secondValue);
    };
  }

  // The visual tool's runs, waiting until `count` of them have arrived.
  std::vector<std::string> ToolCalls(size_t count) {
    std::vector<std::string> calls;
    for (int attempt = 0; attempt < 600; ++attempt) {
      calls.clear();
      std::string text = ReadFile(toolLog);
      size_t start = 0, end;
      while ((end = text.find('\n', start)) != std::string::npos) {
        calls.push_back(text.substr(start, end - start));
        start = end + 1;
      }
      if (calls.size() >= count) break;
      usleep(50000);
    }
    return calls;
  }

  std::string firstDate;
  std::string toolLog;
};

TEST_F(DiffTest, TextDiffOfTheFirstSelectedFileShowsTheDiffWithoutAFailureBox) {
  Select({"b.txt", "c.txt"});
  Diff([](FarDialogItem *) {});

  ASSERT_EQ(CommandDialogs().size(), 1u);
  standin::DialogCall dialog = CommandDialogs()[0];
  EXPECT_EQ(dialog.X2, 51);
  EXPECT_EQ(dialog.Y2, 22);
  ASSERT_EQ(dialog.ItemsIn.size(), 21u);
  EXPECT_STREQ(dialog.ItemsIn[Item("secondRevisionEdit")].History, "revision");
  EXPECT_STREQ(dialog.ItemsIn[Item("secondDateEdit")].History, "date");

  EXPECT_EQ(CvsCalls(), (std::vector<std::string>{"[diff][-u][a.txt]"}));
  // cvs diff exits with 1 when the files differ: that is its answer, shown
  // at once.
  EXPECT_TRUE(host.Messages.empty());
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("-three\n+on disk\n"), std::string::npos)
      << host.Editors[0].Content;
  ExpectNoTempFiles();
}

TEST_F(DiffTest, ADiffThatCvsCannotMakeIsAFailureThatSaysWhy) {
  // A revision the file never had: cvs ends with 1 as it does for
  // differences, but says why, and that is a failure.
  host.script.Message.push_back(standin::Answer(0));
  Diff(Sides(Item("firstRevision"), "9.9", Item("secondLatest"), "", false));
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-r][9.9][a.txt]");
  ASSERT_EQ(host.Messages.size(), 1u);
  const std::vector<std::string> &box = host.Messages[0].Lines;
  ASSERT_GE(box.size(), 5u);
  EXPECT_EQ(box[1], "CVS ended with exit code 1");
  EXPECT_NE(box[2].find("9.9"), std::string::npos) << box[2];
  EXPECT_EQ(box[2].rfind("cvs diff: ", 0), 0u) << box[2];

  // An unchanged file: exit 0, no box, an empty output.
  WriteFile(wc + "/a.txt", "three\n");
  Diff(Sides(Item("firstDisk"), "", Item("secondLatest"), "", false));
  EXPECT_EQ(host.Messages.size(), 1u);
  ExpectNoTempFiles();
}

TEST_F(DiffTest, EachSideTakesARevisionOrADateAndRecursionCanBeOff) {
  host.script.Message.push_back(standin::Answer(0));
  Diff([this](FarDialogItem *items) {
    Sides(Item("firstDate"), firstDate, Item("secondRevision"), "1.3", false)(items);
    items[Item("recursive")].Selected = 0;
  });
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-l][-D][" + firstDate + "][-r][1.3][a.txt]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("-one\n+three\n"), std::string::npos)
      << host.Editors[0].Content;

  host.script.Message.push_back(standin::Answer(0));
  Diff(Sides(Item("firstRevision"), "1.2", Item("secondDate"), firstDate, false));
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-l][-r][1.2][-D][" + firstDate + "][a.txt]");
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_NE(host.Editors[1].Content.find("-two\n+one\n"), std::string::npos)
      << host.Editors[1].Content;
  ExpectNoTempFiles();
}

TEST_F(DiffTest, NothingHappensForTheWholeFolderOrOnCancel) {
  for (standin::PanelRow &row : host.ActivePanel().Rows) row.Selected = false;
  PutCursorOn("a.txt");
  Run(Command::Diff);
  EXPECT_TRUE(CommandDialogs().empty());

  Select({"a.txt"});
  host.script.Dialog.push_back(standin::Press(Item("cancel")));
  Run(Command::Diff);
  host.script.Dialog.push_back(standin::Press(-1));
  Run(Command::Diff);
  EXPECT_EQ(CommandDialogs().size(), 2u);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(DiffTest, VisualDiffHandsTheRevisionsToTkDiffInItsOwnForm) {
  Diff(Sides(Item("firstDisk"), "", Item("secondLatest"), "", true));
  EXPECT_EQ(ToolCalls(1), (std::vector<std::string>{"[a.txt]"}));

  Diff([](FarDialogItem *items) {
    Sides(Item("firstDisk"), "", Item("secondRevision"), "1.2", true)(items);
    items[Item("recursive")].Selected = 0;  // not consulted for the visual tool
  });
  EXPECT_EQ(ToolCalls(2).back(), "[-r1.2][a.txt]");

  Diff(Sides(Item("firstRevision"), "1.2", Item("secondRevision"), "1.3", true));
  EXPECT_EQ(ToolCalls(3).back(), "[-r1.2][-r1.3][a.txt]");

  // The tool takes no "--": a name that begins with "-" comes as a path.
  WriteFile(wc + "/-x.c", "x\n");
  EnterFolder(wc);
  Select({"-x.c"});
  Diff(Sides(Item("firstDisk"), "", Item("secondLatest"), "", true));
  EXPECT_EQ(ToolCalls(4).back(), "[./-x.c]");

  // What the launcher itself receives: "-r" and each revision as entries
  // of their own, which it joins for TkDiff.
  WriteFile(tools / "quillet-tkdiff",
            "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; } >> " +
                ShellQuote(toolLog) + "\n");
  Select({"a.txt"});
  host.ActivePanel().Rows[RowIndex("-x.c")].Selected = false;
  Diff(Sides(Item("firstRevision"), "1.2", Item("secondRevision"), "1.3", true));
  EXPECT_EQ(ToolCalls(5).back(), "[-r][1.2][-r][1.3][a.txt]");

  // No cvs run and no output for the visual tool.
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  EXPECT_TRUE(host.Messages.empty());
  ExpectNoTempFiles();
}

TEST_F(DiffTest, VisualCombinationsTkDiffCannotShowStartNothing) {
  Diff(Sides(Item("firstDisk"), "", Item("secondDate"), firstDate, true));
  Diff(Sides(Item("firstRevision"), "1.2", Item("secondLatest"), "", true));
  Diff(Sides(Item("firstRevision"), "1.2", Item("secondDate"), firstDate, true));
  Diff(Sides(Item("firstDate"), firstDate, Item("secondLatest"), "", true));
  Diff(Sides(Item("firstDate"), firstDate, Item("secondRevision"), "1.2", true));
  // A run that does start afterwards is the first the tool ever sees.
  std::string tag = "T" + std::string(299, 'g');
  Diff(Sides(Item("firstRevision"), tag, Item("secondRevision"), "1.3", true));
  EXPECT_EQ(ToolCalls(1),
            (std::vector<std::string>{"[-r" + tag.substr(0, 255) + "][-r1.3][a.txt]"}));
  EXPECT_EQ(CommandDialogs().size(), 6u);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Messages.empty());
  ExpectNoTempFiles();
}

// cvs would read an empty revision as none and an empty date as today's
// midnight: an empty value is asked for again, as in the Update dialog.
TEST_F(DiffTest, AChosenSideWithoutAValueIsAskedForAgain) {
  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) { standin::SelectRadio(items, 21, Item("secondRevision")); }, Item("ok")));
  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) {
        Type(items[Item("secondRevisionEdit")], "1.2");
        standin::SelectRadio(items, 21, Item("firstDate"));
      },
      Item("ok")));
  host.script.Dialog.push_back([this](FarDialogItem *items, int) {
    EXPECT_EQ(items[Item("firstDate")].Selected, 1);
    EXPECT_STREQ(items[Item("secondRevisionEdit")].Data, "1.2");
    Type(items[Item("firstDateEdit")], firstDate);
    return Item("ok");
  });
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(0));
  Run(Command::Diff);

  // The two questions; the differences found are no failure.
  EXPECT_EQ(CommandDialogs().size(), 3u);
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[0].Lines,
            (std::vector<std::string>{"Error", " Revision or tag is required"}));
  EXPECT_EQ(host.Messages[1].Lines, (std::vector<std::string>{"Error", " Date is required"}));
  EXPECT_EQ(CvsCalls(),
            (std::vector<std::string>{"[diff][-u][-D][" + firstDate + "][-r][1.2][a.txt]"}));
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("-one\n+two\n"), std::string::npos);
  ExpectNoTempFiles();
}

TEST_F(DiffTest, OverlongTextDiffRevisionIsCutTo255Characters) {
  std::string tag = "T" + std::string(299, 'g');
  host.script.Message.push_back(standin::Answer(1));
  Diff(Sides(Item("firstRevision"), tag, Item("secondLatest"), "", false));
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-r][" + tag.substr(0, 255) + "][a.txt]");
  EXPECT_EQ(host.Messages.size(), 1u);  // cvs knows no such tag
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
