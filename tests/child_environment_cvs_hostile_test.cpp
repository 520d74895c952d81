// The programs cvs starts by name (a cvs server for ":fork:", the remote
// shell for ":ext:") are never found in the working copy, whatever relative
// entries the user's PATH holds.
#include "os/environment.hpp"
#include "panel_fixture.hpp"
#include "runner/program_search.hpp"

using namespace testsupport;

namespace {

TEST(ChildEnvironment, PathKeepsOnlyWholeFoldersUnderEitherSystemsRules) {
  EXPECT_EQ(
      SearchPathWithoutRelativeEntries("/usr/bin::.:bin:/opt/x/:./tools:", PosixSearchRules()),
      "/usr/bin:/opt/x/");
  EXPECT_EQ(SearchPathWithoutRelativeEntries(
                "C:\\bin;;.;bin;C:bin;\\bin;\"C:\\Program Files\\x\";\\\\server\\share",
                WindowsSearchRules()),
            "C:\\bin;\"C:\\Program Files\\x\";\\\\server\\share");
  EXPECT_EQ(SearchPathWithoutRelativeEntries(".:", PosixSearchRules()), "");
}

TEST(ChildEnvironment, SettingsReplaceVariablesAsEachSystemNamesThem) {
  const os::EnvironmentSettings settings = {{"PATH", "/b"}, {"CVS_SERVER", "/usr/bin/cvs"}};
  EXPECT_EQ(os::MergedEnvironment({"PATH=/a:.", "HOME=/h", "Path=x"}, settings, false),
            (std::vector<std::string>{"HOME=/h", "Path=x", "PATH=/b", "CVS_SERVER=/usr/bin/cvs"}));
  // Windows: one variable whatever the case of its name, the block sorted,
  // and the hidden current folder of a drive kept.
  EXPECT_EQ(os::MergedEnvironment({"=C:=C:\\w", "Path=C:\\a;.", "TMP=t"}, settings, true),
            (std::vector<std::string>{"=C:=C:\\w", "CVS_SERVER=/usr/bin/cvs", "PATH=/b", "TMP=t"}));
}

class PlantedPrograms : public PanelCvsTest {
 protected:
  void SetUp() override {
    PanelCvsTest::SetUp();
    sandbox.Import("proj", {{"a.c", "a\n"}});
    wc = sandbox.Checkout("proj", "wc");
    marker = tools / "planted-ran";
  }
  void Plant(const std::string &name) {
    WriteScript(wc + "/" + name, "touch " + ShellQuote(marker) + "\nexit 1\n");
  }
  std::string marker;
};

TEST_F(PlantedPrograms, NeitherTheForkServerNorTheRemoteShellComesFromTheWorkingCopy) {
  const struct {
    const char *Planted;
    std::string Root;
    const char *Rsh;
  } cases[] = {
      {"cvs", ":fork:" + sandbox.Repository(), nullptr},
      {"quillet-rsh", ":ext:localhost:" + sandbox.Repository(), "quillet-rsh"},
  };
  const std::string userPath = getenv("PATH");
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Planted);
    Plant(c.Planted);
    WriteFile(wc + "/CVS/Root", c.Root + "\n");
    if (c.Rsh != nullptr) env.Set("CVS_RSH", c.Rsh);
    // A PATH with "." and an empty entry: the real client, started by the
    // name "cvs" as the module starts it, starts the planted program (for
    // ":fork:" it starts its own name again as the server).
    Shell("PATH=.::/usr/bin:/bin bash -c 'exec -a cvs /usr/bin/cvs -q status -l'", wc);
    ASSERT_TRUE(Exists(marker)) << "cvs no longer starts it; the test proves nothing";
    Shell("rm -f " + ShellQuote(marker));

    env.Set("PATH", tools.Path() + ":.::bin:" + userPath);
    OpenPanel(wc);
    EXPECT_FALSE(Exists(marker));
    EXPECT_EQ(CvsRuns(), 1);
    if (c.Rsh == nullptr) {
      // The fork server is the cvs the module found (the recording one).
      const std::vector<std::string> calls = CvsCalls();
      EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                              [](const std::string &call) {
                                return call.find("[server]") != std::string::npos;
                              }),
                1);
      EXPECT_STREQ(Items()["a.c"]->Description, "Up-to-date");
    }
    host.ClosePluginPanel();
    host.Dialogs.clear();
    env.Set("PATH", userPath);
  }
}

}  // namespace
