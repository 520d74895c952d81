// Differences from the plug-ins menu: the text diff through the real cvs,
// and the visual diff through the shipped launcher and a recording TkDiff.
#include <unistd.h>

#include "commands_fixture.hpp"

namespace testsupport {
namespace {

enum {
  kFirstDisk = 1,
  kFirstRevision = 2,
  kFirstDate = 3,
  kFirstRevisionEdit = 4,
  kFirstDateEdit = 5,
  kSecondLatest = 7,
  kSecondRevision = 8,
  kSecondDate = 9,
  kSecondRevisionEdit = 10,
  kSecondDateEdit = 11,
  kRecursive = 13,
  kText = 15,
  kVisual = 16,
  kOk = 18,
  kCancel = 19
};

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
      return int(kOk);
    });
    Run(kDiff);
  }
  static Setup Sides(int first, const std::string &firstValue, int second,
                     const std::string &secondValue, bool visual) {
    return [=](FarDialogItem *items) {
      standin::SelectRadio(items, 21, first);
      standin::SelectRadio(items, 21, second);
      standin::SelectRadio(items, 21, visual ? kVisual : kText);
      if (first == kFirstRevision) Type(items[kFirstRevisionEdit], firstValue);
      if (first == kFirstDate) Type(items[kFirstDateEdit], firstValue);
      if (second == kSecondRevision) Type(items[kSecondRevisionEdit], secondValue);
      if (second == kSecondDate) Type(items[kSecondDateEdit], secondValue);
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
  EXPECT_STREQ(dialog.ItemsIn[kSecondRevisionEdit].History, "revision");
  EXPECT_STREQ(dialog.ItemsIn[kSecondDateEdit].History, "date");

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
  Diff(Sides(kFirstRevision, "9.9", kSecondLatest, "", false));
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-r][9.9][a.txt]");
  ASSERT_EQ(host.Messages.size(), 1u);
  const std::vector<std::string> &box = host.Messages[0].Lines;
  ASSERT_GE(box.size(), 5u);
  EXPECT_EQ(box[1], "CVS ended with exit code 1");
  EXPECT_NE(box[2].find("9.9"), std::string::npos) << box[2];
  EXPECT_EQ(box[2].rfind("cvs diff: ", 0), 0u) << box[2];

  // An unchanged file: exit 0, no box, an empty output.
  WriteFile(wc + "/a.txt", "three\n");
  Diff(Sides(kFirstDisk, "", kSecondLatest, "", false));
  EXPECT_EQ(host.Messages.size(), 1u);
  ExpectNoTempFiles();
}

TEST_F(DiffTest, EachSideTakesARevisionOrADateAndRecursionCanBeOff) {
  host.script.Message.push_back(standin::Answer(0));
  Diff([this](FarDialogItem *items) {
    Sides(kFirstDate, firstDate, kSecondRevision, "1.3", false)(items);
    items[kRecursive].Selected = 0;
  });
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-l][-D][" + firstDate + "][-r][1.3][a.txt]");
  ASSERT_EQ(host.Editors.size(), 1u);
  EXPECT_NE(host.Editors[0].Content.find("-one\n+three\n"), std::string::npos)
      << host.Editors[0].Content;

  host.script.Message.push_back(standin::Answer(0));
  Diff(Sides(kFirstRevision, "1.2", kSecondDate, firstDate, false));
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-l][-r][1.2][-D][" + firstDate + "][a.txt]");
  ASSERT_EQ(host.Editors.size(), 2u);
  EXPECT_NE(host.Editors[1].Content.find("-two\n+one\n"), std::string::npos)
      << host.Editors[1].Content;
  ExpectNoTempFiles();
}

TEST_F(DiffTest, NothingHappensForTheWholeFolderOrOnCancel) {
  for (standin::PanelRow &row : host.ActivePanel().Rows) row.Selected = false;
  PutCursorOn("a.txt");
  Run(kDiff);
  EXPECT_TRUE(CommandDialogs().empty());

  Select({"a.txt"});
  host.script.Dialog.push_back(standin::Press(kCancel));
  Run(kDiff);
  host.script.Dialog.push_back(standin::Press(-1));
  Run(kDiff);
  EXPECT_EQ(CommandDialogs().size(), 2u);
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

TEST_F(DiffTest, VisualDiffHandsTheRevisionsToTkDiffInItsOwnForm) {
  Diff(Sides(kFirstDisk, "", kSecondLatest, "", true));
  EXPECT_EQ(ToolCalls(1), (std::vector<std::string>{"[a.txt]"}));

  Diff([](FarDialogItem *items) {
    Sides(kFirstDisk, "", kSecondRevision, "1.2", true)(items);
    items[kRecursive].Selected = 0;  // not consulted for the visual tool
  });
  EXPECT_EQ(ToolCalls(2).back(), "[-r1.2][a.txt]");

  Diff(Sides(kFirstRevision, "1.2", kSecondRevision, "1.3", true));
  EXPECT_EQ(ToolCalls(3).back(), "[-r1.2][-r1.3][a.txt]");

  // The tool takes no "--": a name that begins with "-" comes as a path.
  WriteFile(wc + "/-x.c", "x\n");
  EnterFolder(wc);
  Select({"-x.c"});
  Diff(Sides(kFirstDisk, "", kSecondLatest, "", true));
  EXPECT_EQ(ToolCalls(4).back(), "[./-x.c]");

  // What the launcher itself receives: "-r" and each revision as entries
  // of their own, which it joins for TkDiff.
  WriteFile(tools / "quillet-tkdiff",
            "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]' \"$a\"; done; echo; } >> " +
                ShellQuote(toolLog) + "\n");
  Select({"a.txt"});
  host.ActivePanel().Rows[RowIndex("-x.c")].Selected = false;
  Diff(Sides(kFirstRevision, "1.2", kSecondRevision, "1.3", true));
  EXPECT_EQ(ToolCalls(5).back(), "[-r][1.2][-r][1.3][a.txt]");

  // No cvs run and no output for the visual tool.
  EXPECT_TRUE(CvsCalls().empty());
  EXPECT_TRUE(host.Editors.empty());
  EXPECT_TRUE(host.Messages.empty());
  ExpectNoTempFiles();
}

TEST_F(DiffTest, VisualCombinationsTkDiffCannotShowStartNothing) {
  Diff(Sides(kFirstDisk, "", kSecondDate, firstDate, true));
  Diff(Sides(kFirstRevision, "1.2", kSecondLatest, "", true));
  Diff(Sides(kFirstRevision, "1.2", kSecondDate, firstDate, true));
  Diff(Sides(kFirstDate, firstDate, kSecondLatest, "", true));
  Diff(Sides(kFirstDate, firstDate, kSecondRevision, "1.2", true));
  // A run that does start afterwards is the first the tool ever sees.
  std::string tag = "T" + std::string(299, 'g');
  Diff(Sides(kFirstRevision, tag, kSecondRevision, "1.3", true));
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
      [](FarDialogItem *items) { standin::SelectRadio(items, 21, kSecondRevision); }, kOk));
  host.script.Dialog.push_back(standin::Edit(
      [](FarDialogItem *items) {
        Type(items[kSecondRevisionEdit], "1.2");
        standin::SelectRadio(items, 21, kFirstDate);
      },
      kOk));
  host.script.Dialog.push_back([this](FarDialogItem *items, int) {
    EXPECT_EQ(items[kFirstDate].Selected, 1);
    EXPECT_STREQ(items[kSecondRevisionEdit].Data, "1.2");
    Type(items[kFirstDateEdit], firstDate);
    return int(kOk);
  });
  host.script.Message.push_back(standin::Answer(0));
  host.script.Message.push_back(standin::Answer(0));
  Run(kDiff);

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
  Diff(Sides(kFirstRevision, tag, kSecondLatest, "", false));
  EXPECT_EQ(LastCvsCall(), "[diff][-u][-r][" + tag.substr(0, 255) + "][a.txt]");
  EXPECT_EQ(host.Messages.size(), 1u);  // cvs knows no such tag
  EXPECT_TRUE(host.Editors.empty());
  ExpectNoTempFiles();
}

}  // namespace
}  // namespace testsupport
