// A working copy's CVS folder whose files are links, FIFOs or devices: the
// module neither reads them unbounded nor lets cvs write through them.
#include <sys/stat.h>

#include "panel_fixture.hpp"
#include "working_copy/admin_folder.hpp"

using namespace testsupport;

namespace {

TEST(PlainFiles, OnlyRegularFilesThatAreNoLinksAreReadAndOnlyWithinTheBound) {
  TempDir dir;
  WriteFile(dir / "plain", "0123456789");
  WriteFile(dir / "elsewhere", "outside");
  Shell(
      "ln -s elsewhere link && ln -s /dev/zero zero && mkfifo fifo && mkdir folder && "
      "ln -s nowhere dangling",
      dir.Path());
  const struct {
    const char *Name;
    size_t Bound;
    os::PlainRead Result;
    const char *Content;
  } cases[] = {
      {"plain", 10, os::PlainRead::Read, "0123456789"},
      {"plain", 4, os::PlainRead::TooLarge, "0123"},
      {"link", 100, os::PlainRead::NotPlain, ""},
      {"zero", 100, os::PlainRead::NotPlain, ""},
      {"fifo", 100, os::PlainRead::NotPlain, ""},  // would block a plain open
      {"folder", 100, os::PlainRead::NotPlain, ""},
      {"dangling", 100, os::PlainRead::NotPlain, ""},
      {"missing", 100, os::PlainRead::Missing, ""},
  };
  for (const auto &c : cases) {
    std::string content = "stale";
    EXPECT_EQ(os::ReadPlainFile(dir / c.Name, c.Bound, content), c.Result) << c.Name;
    EXPECT_EQ(content, c.Content) << c.Name;
  }
}

TEST(AdminFolder, EveryEntryMustBeAPlainFile) {
  const struct {
    const char *Plant;  // shell commands run in the working copy
    const char *Refusal;
  } cases[] = {
      {"true", ""},
      {"mkdir CVS/Base", ""},  // cvs edit keeps its copies there
      {"ln -s ../../victim CVS/Entries.Backup", "Entries.Backup is not a plain file"},
      {"rm CVS/Entries && ln -s /dev/zero CVS/Entries", "Entries is not a plain file"},
      {"mkfifo CVS/Entries.Log", "Entries.Log is not a plain file"},
      {"mkdir CVS/Tag", "Tag is not a plain file"},
      {"mv CVS real && ln -s real CVS", "CVS is not a plain folder"},
  };
  for (const auto &c : cases) {
    TempDir wc;
    MakeDirs(wc / "CVS");
    for (const char *name : {"Entries", "Repository", "Root"})
      WriteFile(wc / (std::string("CVS/") + name), "x\n");
    Shell(c.Plant, wc.Path());
    EXPECT_EQ(AdminFolderRefusal(wc.Path()), c.Refusal) << c.Plant;
  }
}

class HostileAdminFolder : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    sandbox.Import("proj", {{"a.c", "a\n"}, {"b.c", "b\n"}});
    wc = sandbox.Checkout("proj", "wc");
    // A file whose time differs from its entry (as after unpacking an
    // archive) is enough to make cvs rewrite CVS/Entries.
    Shell("touch -d 2001-01-01 a.c", wc);
  }
};

TEST_F(HostileAdminFolder, TheListingNeverLetsCvsWriteThroughALink) {
  // The real client, run as the listing would run it, writes the entry
  // lines through the link.
  const std::string copy = sandbox.Root() + "/copy";
  Shell("cp -a " + ShellQuote(wc) + " " + ShellQuote(copy));
  WriteFile(sandbox.Root() + "/copy-victim", "keep me\n");
  Shell("ln -s ../../copy-victim CVS/Entries.Backup", copy);
  sandbox.Cvs("-q status -l", copy);
  ASSERT_NE(ReadFile(sandbox.Root() + "/copy-victim"), "keep me\n")
      << "cvs no longer writes through CVS/Entries.Backup; the test proves nothing";

  WriteFile(sandbox.Root() + "/victim", "keep me\n");
  Shell("ln -s ../../victim CVS/Entries.Backup", wc);
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_EQ(ReadFile(sandbox.Root() + "/victim"), "keep me\n");
  const OpenPluginInfo &described = host.ActivePanel().Described;
  ASSERT_EQ(described.InfoLinesNumber, 4);
  EXPECT_STREQ(described.InfoLines[3].Text, "cvs not run");
  EXPECT_STREQ(described.InfoLines[3].Data, "Entries.Backup is not a plain file");
}

TEST_F(HostileAdminFolder, ARootLinkedToADeviceIsNoPlainFile) {
  Shell("rm CVS/Root && ln -s /proc/self/pagemap CVS/Root", wc);
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[2].Data, "");
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[3].Data, "Root is not a plain file");
}

TEST_F(HostileAdminFolder, ATrackedFileThatIsAFifoRunsNoCvs) {
  Shell("rm b.c && mkfifo b.c", wc);
  // The real client reads it, waiting for a writer that never comes.
  ASSERT_EQ(Shell("timeout 3 cvs -q status -l >/dev/null 2>&1; test $? -eq 124", wc), 0)
      << "cvs no longer waits on a tracked FIFO; the test proves nothing";
  OpenPanel(wc);
  EXPECT_EQ(CvsRuns(), 0);
  EXPECT_STREQ(host.ActivePanel().Described.InfoLines[3].Data, "b.c is not a plain file");
  // F3's log of selected files says why it runs nothing.
  Select({"a.c"});
  host.script.Menu.push_back(standin::Choose(4));
  EXPECT_EQ(host.PressKey(VK_F3, 0), 1);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Lines[2], "b.c is not a plain file");
  EXPECT_EQ(CvsRuns(), 0);
}

}  // namespace
