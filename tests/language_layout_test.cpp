// Every menu, dialog and panel mode of the module, in every language file:
// no two items of one menu or dialog share a hot key, every label fits the
// room its dialog leaves it, and every column title fits its column.  The
// module is driven through its exports, so a new menu entry, dialog item or
// message is checked as soon as it exists.
#include <iconv.h>
#include <locale.h>
#include <string.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/dialog_layout.hpp"
#include "core/dialog_model.hpp"
#include "core/hot_key.hpp"
#include "core/screen_text.hpp"
#include "test_support.hpp"

using namespace testsupport;

namespace {

// The language files hold code page 866; the screen measures UTF-8.
std::string FromCp866(const std::string &text) {
  iconv_t codec = iconv_open("UTF-8", "CP866");
  if (codec == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 3 + 1, '\0');
  char *in = const_cast<char *>(text.data());
  size_t inLeft = text.size(), outLeft = out.size();
  char *at = &out[0];
  const size_t done = iconv(codec, &in, &inLeft, &at, &outLeft);
  iconv_close(codec);
  if (done == static_cast<size_t>(-1)) return text;
  out.resize(out.size() - outLeft);
  return out;
}

// The hot key of a label as the host takes it (case folded), or "".
std::string HotKey(const std::string &label) {
  const uint32_t key = hostcore::HotKeyOf(hostcore::ParseHotKey(label));
  return key == 0 ? "" : std::to_string(key);
}

// Each hot key taken once among `labels`; the clashes found, as text.
std::string HotKeyClashes(const std::vector<std::string> &labels) {
  std::map<std::string, std::string> taken;
  std::string clashes;
  for (const std::string &label : labels) {
    const std::string key = HotKey(label);
    if (key.empty()) continue;
    if (taken.count(key) != 0) clashes += "\"" + taken[key] + "\" and \"" + label + "\"; ";
    taken[key] = label;
  }
  return clashes;
}

class LanguageLayout : public ModuleTest, public ::testing::WithParamInterface<const char *> {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    // Cells are measured as a UTF-8 terminal shows the text.
    setlocale(LC_CTYPE, "C.UTF-8");
    host.ConvertText = [](const std::string &text, const std::string &language) {
      return language == "English" ? text : FromCp866(text);
    };
    ASSERT_TRUE(host.LoadLanguage(TestsSourceDir() + "/../lang/" + GetParam()));
    // A working copy as far as the command menu looks, with no cvs to run:
    // every command stops at its first dialog or question.
    MakeDirs(folder / "CVS");
    WriteFile(folder / "CVS/Root", folder / "repository" + "\n");
    WriteFile(folder / "CVS/Repository", "proj\n");
    WriteFile(folder / "CVS/Entries", "/a.txt/1.1/Thu Jan  1 00:00:00 2026//\nD\n");
    WriteFile(folder / "a.txt", "a\n");
    WriteFile(folder / "b.txt", "b\n");
    env.Set("PATH", emptyPath.Path());
    cwd.reset(new ScopedCwd(folder.Path()));
    standin::PanelModel &panel = host.ActivePanel();
    panel.CurDir = folder.Path();
    for (const char *name : {"..", "CVS", "a.txt", "b.txt"}) {
      standin::PanelRow row;
      row.Name = name;
      row.Attributes = name[0] == 'a' || name[0] == 'b' ? 0x20 : 0x10;
      panel.Rows.push_back(row);
    }
  }
  void TearDown() override {
    ModuleTest::TearDown();
    host.ConvertText = nullptr;
    host.Language.clear();
  }

  // Opens every entry of the command menu (and of the Mark sub-menu) and
  // leaves whatever it shows with Esc: on the whole folder, then on a
  // selected file that is new to CVS.
  void OpenEveryCommand() {
    OpenEveryCommandOnce();
    Select({"b.txt"});
    OpenEveryCommandOnce();
  }
  void OpenEveryCommandOnce() {
    const size_t first = host.Menus.size();
    module.OpenPlugin(OPEN_PLUGINSMENU, 0);
    ASSERT_GT(host.Menus.size(), first);
    const std::vector<FarMenuItem> rows = host.Menus[first].Items;
    for (size_t entry = 0; entry < rows.size(); ++entry) {
      if (rows[entry].Separator) continue;
      host.script.Menu.push_back(standin::Choose(static_cast<int>(entry)));
      const size_t before = host.Menus.size();
      HANDLE opened = module.OpenPlugin(OPEN_PLUGINSMENU, 0);
      if (opened != INVALID_HANDLE_VALUE) module.ClosePlugin(opened);
      // A sub-menu: each of its entries as well.
      if (host.Menus.size() > before + 1) {
        const size_t subRows = host.Menus[before + 1].Items.size();
        for (size_t sub = 0; sub < subRows; ++sub) {
          host.script.Menu.push_back(standin::Choose(static_cast<int>(entry)));
          host.script.Menu.push_back(standin::Choose(static_cast<int>(sub)));
          module.OpenPlugin(OPEN_PLUGINSMENU, 0);
        }
      }
    }
  }

  // F3 on the status panel with two files selected: the panel's own menu.
  void OpenItemMenu() {
    HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
    ASSERT_NE(panel, INVALID_HANDLE_VALUE);
    host.OpenPluginPanel(module, panel);
    Select({"a.txt", "b.txt"});
    PutCursorOn("a.txt");
    host.PressKey(VK_F3, 0);
  }

  TempDir folder, emptyPath;
  ScopedEnv env;
  std::unique_ptr<ScopedCwd> cwd;
};

TEST_P(LanguageLayout, NoMenuHasTwoRowsWithOneHotKey) {
  OpenEveryCommand();
  OpenItemMenu();
  // Each menu once, however often it was shown.
  std::map<std::string, std::vector<std::string>> menus;
  for (const standin::MenuCall &menu : host.Menus) {
    std::vector<std::string> &labels = menus[menu.Title];
    labels.clear();
    for (const FarMenuItem &item : menu.Items) labels.push_back(item.Text);
  }
  for (const auto &menu : menus) EXPECT_EQ(HotKeyClashes(menu.second), "") << "menu " << menu.first;
  // The command menu on the folder and on a selection, the Mark sub-menu
  // and the panel's F3 menu at least.
  EXPECT_GE(menus.size(), 4u);
}

TEST_P(LanguageLayout, EveryDialogItemHasAHotKeyOfItsOwnAndRoomForItsText) {
  OpenEveryCommand();
  size_t dialogs = 0;
  for (const standin::DialogCall &call : host.Dialogs) {
    if (call.Ex) continue;  // "CVS Running..." has no labels of its own
    ++dialogs;
    hostcore::DialogModel model = hostcore::NewDialog(
        call.PluginNumber, call.X1, call.Y1, call.X2, call.Y2, nullptr, call.ItemsIn.data(),
        static_cast<int>(call.ItemsIn.size()), hostcore::HistoryStore());
    const hostcore::DialogPlace place = hostcore::PlaceDialog(model, 200, 60);
    const FarDialogItem *box = nullptr;
    std::vector<std::string> labels;
    for (const FarDialogItem &item : call.ItemsIn) {
      if (item.Type == DI_DOUBLEBOX || item.Type == DI_SINGLEBOX) {
        if (box == nullptr) box = &item;
        continue;
      }
      if (!hostcore::IsEditLine(item)) labels.push_back(hostcore::EditText(item));
    }
    ASSERT_NE(box, nullptr);
    const std::string title = hostcore::EditText(*box);
    EXPECT_EQ(HotKeyClashes(labels), "") << "dialog " << title;

    // What each item covers of its row; an edit line with a history has
    // its arrow right after it.
    struct Span {
      int Row, Left, Right;
      std::string Text;
    };
    std::vector<Span> spans;
    for (size_t i = 0; i < call.ItemsIn.size(); ++i) {
      const FarDialogItem &item = call.ItemsIn[i];
      const hostcore::ItemPlace &at = place.Items[i];
      if (&item == box || at.Separator || item.Type == DI_DOUBLEBOX || item.Type == DI_SINGLEBOX)
        continue;
      int right = at.Left + at.Width - 1;
      if (hostcore::IsEditLine(item) && (item.Flags & DIF_HISTORY)) ++right;
      const std::string shown = at.Text.empty() ? "(edit line)" : at.Text;
      EXPECT_GT(at.Left, box->X1) << "\"" << shown << "\" in dialog " << title;
      EXPECT_LT(right, box->X2) << "\"" << shown << "\" in dialog " << title;
      spans.push_back({at.Top, at.Left, right, shown});
    }
    for (size_t a = 0; a < spans.size(); ++a) {
      for (size_t b = a + 1; b < spans.size(); ++b) {
        const bool overlap = spans[a].Row == spans[b].Row && spans[a].Left <= spans[b].Right &&
                             spans[b].Left <= spans[a].Right;
        EXPECT_FALSE(overlap) << "\"" << spans[a].Text << "\" and \"" << spans[b].Text
                              << "\" overlap in dialog " << title;
      }
    }
  }
  // Update, Checkout, Export and Add each time, Diff on the selected file.
  EXPECT_GE(dialogs, 9u);
}

TEST_P(LanguageLayout, EveryColumnTitleFitsItsColumn) {
  HANDLE panel = module.OpenPlugin(OPEN_COMMANDLINE, 0);
  ASSERT_NE(panel, INVALID_HANDLE_VALUE);
  OpenPluginInfo info;
  memset(&info, 0, sizeof info);
  module.GetOpenPluginInfo(panel, &info);
  ASSERT_GT(info.PanelModesNumber, 0);
  for (int m = 0; m < info.PanelModesNumber; ++m) {
    const PanelMode &mode = info.PanelModesArray[m];
    std::vector<int> widths;
    for (const char *p = mode.ColumnWidths; p != nullptr && *p != '\0';) {
      widths.push_back(atoi(p));
      p = strchr(p, ',');
      if (p != nullptr) ++p;
    }
    for (size_t c = 0; c < widths.size(); ++c) {
      ASSERT_NE(mode.ColumnTitles, nullptr);
      const std::string title = mode.ColumnTitles[c] != nullptr ? mode.ColumnTitles[c] : "";
      // Width 0 shares out what is left; any title fits there.
      if (widths[c] == 0) continue;
      EXPECT_LE(hostcore::TextWidth(title), widths[c])
          << "\"" << title << "\" in column " << c << " of view mode " << m;
    }
  }
  module.ClosePlugin(panel);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, LanguageLayout,
                         ::testing::Values("quillet_en.lng", "quillet_ru.lng"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                           return std::string(info.param).substr(8, 2);
                         });

}  // namespace
