// Temporary names on a machine that cannot give them everywhere: folders
// that cannot be written are passed over, and where no folder gives a name
// every command says so and runs nothing.  A temporary file swapped under
// the module (for a link, another file, or its folder for a link) is
// neither read nor written.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "commands_fixture.hpp"
#include "os/os.hpp"
#include "panel_fixture.hpp"
#include "runner/captured_run.hpp"
#include "runner/temp_file.hpp"

using namespace testsupport;

namespace {

long SerialOf(const std::string &name) {
  size_t digits = name.find_last_not_of("0123456789") + 1;
  return std::stol(name.substr(digits));
}

std::string FolderOf(const std::string &name) { return name.substr(0, name.find_last_of('/')); }

class TempNameHostile : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char *name : {"TMPDIR", "TMP", "TEMP", "HOME"}) env.Unset(name);
  }
  TempDir dir;
  ScopedEnv env;
};

TEST_F(TempNameHostile, AFolderThatCannotBeWrittenOrIsTooLongIsPassedOver) {
  if (!RunsUnprivileged()) return;
  MakeDirs(dir / "locked");
  chmod((dir / "locked").c_str(), 0555);
  std::string tooLong = dir.Path();
  while (tooLong.size() < 250) tooLong += "/" + std::string(40, 'd');
  MakeDirs(tooLong);
  MakeDirs(dir / "home");
  env.Set("TMPDIR", dir / "locked");
  env.Set("TMP", tooLong);
  env.Set("HOME", dir / "home");
  std::string name = TempFileName("HOME");
  EXPECT_EQ(FolderOf(name), "/tmp");
  EXPECT_TRUE(os::RemoveFile(name));
  EXPECT_TRUE(ListDir(dir / "locked").empty());
  EXPECT_TRUE(ListDir(dir / "home").empty());
}

TEST_F(TempNameHostile, TheSerialNumberWrapsInsteadOfOverflowing) {
  env.Set("TMPDIR", dir.Path());
  SetTempSerial(99999998);
  std::vector<long> serials;
  for (int i = 0; i < 3; ++i) {
    std::string name = TempFileName(nullptr);
    serials.push_back(SerialOf(name));
    os::RemoveFile(name);
  }
  EXPECT_EQ(serials, (std::vector<long>{99999998, 99999999, 2}));
}

TEST_F(TempNameHostile, AHeldFileOpensOnlyWhileItIsTheFileTheModuleMade) {
  env.Set("TMPDIR", dir.Path());
  WriteFile(dir / "victim", "keep\n");
  MakeDirs(dir / "elsewhere");
  TempFile temp = TempFile::Take(nullptr);
  ASSERT_FALSE(temp.empty());
  {
    os::OwnedFile file = OpenTempFile(temp.Path(), "w");
    ASSERT_NE(file, nullptr);
    fputs("mine\n", file.get());
  }
  EXPECT_NE(OpenTempFile(temp.Path(), "rb"), nullptr);
  EXPECT_EQ(ReadFile(temp.Path()), "mine\n");

  // Each swap: the file opens neither way, and what it leads to is untouched.
  const std::string moved = temp.Path() + ".moved";
  ASSERT_EQ(rename(temp.c_str(), moved.c_str()), 0);
  ASSERT_EQ(symlink((dir / "victim").c_str(), temp.c_str()), 0);
  EXPECT_EQ(OpenTempFile(temp.Path(), "rb"), nullptr);
  EXPECT_EQ(OpenTempFile(temp.Path(), "w"), nullptr);
  // A run's output never goes there either.
  CapturedRun run;
  EXPECT_EQ(run.Start(CvsArgs{"sh", "-c", "echo hijacked"}, temp.c_str()), kRunNoOutputFile);
  EXPECT_EQ(ReadFile(dir / "victim"), "keep\n");

  ASSERT_EQ(unlink(temp.c_str()), 0);
  WriteFile(temp.Path(), "planted\n");
  EXPECT_EQ(OpenTempFile(temp.Path(), "rb"), nullptr);
  EXPECT_EQ(OpenTempFile(temp.Path(), "w"), nullptr);
  EXPECT_EQ(ReadFile(temp.Path()), "planted\n");

  // The private folder swapped for a link to a folder that holds a file of
  // the same name.
  ASSERT_EQ(unlink(temp.c_str()), 0);
  ASSERT_EQ(rename(moved.c_str(), temp.c_str()), 0);
  const std::string folder = FolderOf(temp.Path());
  const std::string name = temp.Path().substr(folder.size() + 1);
  WriteFile(dir / ("elsewhere/" + name), "theirs\n");
  ASSERT_EQ(rename(folder.c_str(), (folder + ".moved").c_str()), 0);
  ASSERT_EQ(symlink((dir / "elsewhere").c_str(), folder.c_str()), 0);
  EXPECT_EQ(OpenTempFile(temp.Path(), "rb"), nullptr);
  EXPECT_EQ(OpenTempFile(temp.Path(), "w"), nullptr);
  EXPECT_EQ(ReadFile(dir / ("elsewhere/" + name)), "theirs\n");
  // Put back, it opens again; the holder then removes it.
  ASSERT_EQ(unlink(folder.c_str()), 0);
  ASSERT_EQ(rename((folder + ".moved").c_str(), folder.c_str()), 0);
  EXPECT_NE(OpenTempFile(temp.Path(), "rb"), nullptr);
}

TEST_F(TempNameHostile, WhenNoFolderGivesANameEachOneTriedIsNamed) {
  if (!PrivateMountsPossible()) GTEST_SKIP() << "read-only mounts need root";
  if (!RunsWithReadOnlyMounts()) return;
  MakeDirs(dir / "home");
  MakeDirs(dir / "here");
  env.Set("TMPDIR", dir / "missing");
  env.Set("HOME", dir / "home");
  // /tmp is read-only here: HOME is the next folder tried.
  std::string name = TempFileName("HOME");
  EXPECT_EQ(FolderOf(name), dir / "home");
  os::RemoveFile(name);
  MountReadOnly(dir / "home");
  MountReadOnly(dir / "here");
  ScopedCwd cwd(dir / "here");
  std::string why;
  EXPECT_EQ(TempFileName("HOME", &why), "");
  EXPECT_EQ(why, dir / "missing" + ": no such folder\n/tmp: no file can be created in it\n" +
                     dir / "home" + ": no file can be created in it\n" +
                     ".: no file can be created in it\n");
}

// The module's commands on a working copy where no temporary name can be
// had: each says so in a warning box and runs no cvs.
class NoTempNameCommands : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    if (!PrivateMountsPossible() || !RunsWithReadOnlyMounts()) return;
    inner = true;
    MakeWorkingCopy({{"a.c", "a\n"}});
    WriteFile(wc + "/a.c", "changed\n");
    for (const std::string &folder : {sandbox.Tmp(), sandbox.Home(), wc}) MountReadOnly(folder);
    EnterFolder(wc);  // the current folder as mounted now
  }
  void ExpectToldWhy(const standin::MessageCall &box) {
    EXPECT_EQ(box.Lines[0], "Error");
    ASSERT_GE(box.Lines.size(), 6u);
    EXPECT_NE(box.Lines[1].find("No temporary file"), std::string::npos);
    EXPECT_EQ(box.Lines[2], sandbox.Tmp() + ": no file can be created in it");
    for (const char *line :
         {"/tmp: no file can be created in it", ".: no file can be created in it"})
      EXPECT_NE(std::find(box.Lines.begin(), box.Lines.end(), line), box.Lines.end()) << line;
  }
  bool inner = false;
};

TEST_F(NoTempNameCommands, EveryMenuCommandSaysSoAndRunsNothing) {
  if (!PrivateMountsPossible()) GTEST_SKIP() << "read-only mounts need root";
  if (!inner) return;
  struct {
    Command Entry;
    int Confirmations;
  } commands[] = {{Command::Log, 1},
                  {Command::Commit, 0},
                  {Command::LightCommit, 0},
                  {Command::MarkModified, 0}};
  for (const auto &command : commands) {
    SCOPED_TRACE(CommandAt(command.Entry).Name);
    host.Messages.clear();
    for (int i = 0; i < command.Confirmations; ++i)
      host.script.Message.push_back(standin::Answer(0));
    Run(command.Entry);
    ASSERT_EQ(host.Messages.size(), static_cast<size_t>(command.Confirmations) + 1);
    ExpectToldWhy(host.Messages.back());
    EXPECT_TRUE(host.Editors.empty());
  }
  // Checkout, after its dialog.
  host.Messages.clear();
  host.script.Dialog.push_back(
      standin::Edit([](FarDialogItem *items) { Type(items[ItemOf(CheckoutDialog(true), "moduleEdit")], "proj"); },
                    ItemOf(CheckoutDialog(true), "ok")));
  Run(Command::Checkout);
  ASSERT_EQ(host.Messages.size(), 1u);
  ExpectToldWhy(host.Messages[0]);
  EXPECT_TRUE(CvsCalls().empty());
}

class NoTempNamePanel : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    if (!PrivateMountsPossible() || !RunsWithReadOnlyMounts()) return;
    inner = true;
    sandbox.Import("proj", {{"a.c", "a\n"}});
    wc = sandbox.Checkout("proj", "wc");
    for (const std::string &folder : {sandbox.Tmp(), sandbox.Home(), wc}) MountReadOnly(folder);
  }
  bool inner = false;
};

TEST_F(NoTempNamePanel, TheListingAndF3SaySoAndRunNothing) {
  if (!PrivateMountsPossible()) GTEST_SKIP() << "read-only mounts need root";
  if (!inner) return;
  OpenPanel(wc);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[0], "Error");
  EXPECT_NE(host.Messages[0].Lines[1].find("No temporary file"), std::string::npos);
  // The working copy keeps a.c: without a report its state is not read.
  EXPECT_STREQ(Items()["a.c"]->Description, "Not read");
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[3].Data, "no temporary file");

  // F3's log on a selected file: told, and the key counts as handled.
  host.ActivePanel().Rows[RowIndex("a.c")].Selected = true;
  host.script.Menu.push_back(standin::Choose(4));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_NE(host.Messages[1].Lines[1].find("No temporary file"), std::string::npos);
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_TRUE(CvsCalls().empty());
}

}  // namespace
