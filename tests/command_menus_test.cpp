// The plug-ins menu's command menus as the host shows them, in each of the
// module's language files: every row of every menu has a hot key, and no
// two rows of one menu share one (the host would always take the first).
#include <ctype.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace testsupport {
namespace {

class CommandMenus : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    MakeDirs(dir / "wc/CVS");
    WriteFile(dir / "wc/a.txt", "a\n");
    MakeDirs(dir / "plain");
    WriteFile(dir / "plain/x.txt", "x\n");
  }

  // The active panel shows `folder` with its one file, selected or not,
  // and the process's current folder follows it.
  void ShowFolder(const std::string &folder, const std::string &file, bool selected) {
    cwd.reset();  // back where it started first, then into `folder`
    cwd.reset(new ScopedCwd(folder));
    standin::PanelModel &panel = host.ActivePanel();
    panel = standin::PanelModel();
    panel.CurDir = folder;
    standin::PanelRow row;
    row.Name = file;
    row.Selected = selected;
    panel.Rows.push_back(row);
  }

  // Every menu the module shows: in a working copy the command menu and
  // its Mark sub-menu, out of one those of the whole folder and of a
  // selected file.  The user leaves each with Esc.
  std::vector<standin::MenuCall> EveryMenu() {
    host.Menus.clear();
    ShowFolder(dir / "wc", "a.txt", false);
    host.script.Menu.push_back(ChooseText(CommandAt(Command::Mark).MenuText));
    host.script.Menu.push_back(standin::Choose(-1));
    host.script.Menu.push_back(standin::Choose(-1));
    EXPECT_EQ(module.OpenPlugin(OPEN_PLUGINSMENU, 0), INVALID_HANDLE_VALUE);
    ShowFolder(dir / "plain", "x.txt", false);
    EXPECT_EQ(module.OpenPlugin(OPEN_PLUGINSMENU, 0), INVALID_HANDLE_VALUE);
    ShowFolder(dir / "plain", "x.txt", true);
    EXPECT_EQ(module.OpenPlugin(OPEN_PLUGINSMENU, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(host.Menus.size(), 5u);
    return host.Menus;
  }

  // A letter in either case, for English and for code page 866.
  static unsigned char Folded(unsigned char c) {
    if (c >= 0x80 && c <= 0x8F) return static_cast<unsigned char>(c + 0x20);
    if (c >= 0x90 && c <= 0x9F) return static_cast<unsigned char>(c + 0x50);
    if (c == 0xF0) return 0xF1;
    return static_cast<unsigned char>(tolower(c));
  }

  TempDir dir;
  std::unique_ptr<ScopedCwd> cwd;
};

TEST_F(CommandMenus, EveryRowHasAHotKeyOfItsOwnInBothLanguages) {
  for (const char *file : {"quillet_en.lng", "quillet_ru.lng"}) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(host.LoadLanguage(TestsSourceDir() + "/../lang/" + file));
    for (const standin::MenuCall &menu : EveryMenu()) {
      SCOPED_TRACE(menu.Title);
      std::string keys;
      for (const FarMenuItem &item : menu.Items) {
        if (item.Separator) continue;
        const std::string text(item.Text, strnlen(item.Text, sizeof item.Text));
        const size_t amp = text.find('&');
        ASSERT_TRUE(amp != std::string::npos && amp + 1 < text.size()) << text << ": no hot key";
        EXPECT_EQ(text.find('&', amp + 1), std::string::npos) << text << ": two hot keys";
        const char key = static_cast<char>(Folded(static_cast<unsigned char>(text[amp + 1])));
        EXPECT_EQ(keys.find(key), std::string::npos) << text << ": its hot key is taken";
        keys += key;
      }
    }
  }
}

}  // namespace
}  // namespace testsupport
