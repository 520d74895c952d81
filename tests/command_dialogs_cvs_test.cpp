// The item arrays of the commands' dialogs, as the host receives them, held
// against the record in tests/data/dialogs/items.txt: type, place, focus,
// state or history, flags, default and text of every item, for a first
// showing, and again after the user changed every item and left with Esc
// (what the user leaves is offered again).  The host lays a dialog out from
// these arrays alone, so any change in them is a change the user sees.
// QUILLET_RECORD_DIALOGS=1 writes the record anew from this build.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <sstream>

#include "commands_fixture.hpp"

namespace testsupport {
namespace {

class DialogRecord : public CommandTest {
 protected:
  // One line per item; the union shows the history name of an edit line
  // that keeps one, else the state.
  static std::string Dump(const std::vector<FarDialogItem> &items) {
    std::ostringstream out;
    for (size_t i = 0; i < items.size(); ++i) {
      const FarDialogItem &item = items[i];
      out << "  " << i << ": type " << item.Type << " at " << item.X1 << "," << item.Y1 << ","
          << item.X2 << "," << item.Y2 << " focus " << item.Focus;
      if (item.Type == DI_EDIT && (item.Flags & DIF_HISTORY) != 0)
        out << " history " << (item.History != nullptr ? item.History : "(null)");
      else
        out << " state " << item.Selected;
      out << " flags 0x" << std::hex << item.Flags << std::dec << " default " << item.DefaultButton;
      const size_t length = strnlen(item.Data, sizeof item.Data);
      out << " text \"" << std::string(item.Data, length) << "\"";
      // Whatever follows the text's end in the field reaches the host too.
      for (size_t at = length; at < sizeof item.Data; ++at) {
        if (item.Data[at] != '\0') {
          out << " (bytes after the text's end)";
          break;
        }
      }
      out << "\n";
    }
    return out.str();
  }

  // The user checks what is clear and clears what is checked, picks the
  // last button of every radio group, types into every edit line, and
  // leaves with Esc.
  static int ChangeEverything(FarDialogItem *items, int count) {
    for (int i = 0; i < count; ++i) {
      FarDialogItem &item = items[i];
      if (item.Type == DI_CHECKBOX) item.Selected = !item.Selected;
      if (item.Type == DI_EDIT) Type(item, "typed" + std::to_string(i));
      const bool lastOfGroup = i + 1 == count || items[i + 1].Type != DI_RADIOBUTTON ||
                               (items[i + 1].Flags & DIF_GROUP) != 0;
      if (item.Type == DI_RADIOBUTTON && lastOfGroup) standin::SelectRadio(items, count, i);
    }
    return -1;
  }

  // Shows the dialog of `command` three times: as it first comes, changed
  // by the user, and as it comes back; the first and the last go into
  // the record under `title`.
  void Record(const std::string &title, Command command) {
    host.Dialogs.clear();
    host.script.Dialog.push_back(standin::Press(-1));
    Run(command);
    host.script.Dialog.push_back(ChangeEverything);
    Run(command);
    host.script.Dialog.push_back(standin::Press(-1));
    Run(command);
    const std::vector<standin::DialogCall> dialogs = CommandDialogs();
    ASSERT_EQ(dialogs.size(), 3u) << title;
    for (size_t shown : {0u, 2u}) {
      const standin::DialogCall &dialog = dialogs[shown];
      record << title << (shown == 0 ? ", first" : ", after the user's changes") << ": at "
             << dialog.X1 << "," << dialog.Y1 << "," << dialog.X2 << "," << dialog.Y2 << "\n"
             << Dump(dialog.ItemsIn);
    }
    EXPECT_TRUE(CvsCalls().empty()) << title << ": Esc ran cvs";
  }

  std::ostringstream record;
};

TEST_F(DialogRecord, EveryDialogGivesTheHostTheRecordedItems) {
  MakeWorkingCopy({{"a.txt", "a\n"}});
  WriteFile(wc + "/new.txt", "new\n");
  EnterFolder(wc);
  Record("Update", Command::Update);
  Select({"a.txt"});
  Record("Differences", Command::Diff);
  Select({"new.txt"});
  Record("Add", Command::Add);
  const std::string plain = sandbox.Root() + "/plain";
  MakeDirs(plain);
  EnterFolder(plain);
  // Checkout and Export share what the user leaves.
  Record("Checkout", Command::Checkout);
  Record("Export", Command::Export);
  Record("Checkout after Export", Command::Checkout);

  const std::string path = TestsSourceDir() + "/data/dialogs/items.txt";
  const char *rewrite = getenv("QUILLET_RECORD_DIALOGS");
  if (rewrite != nullptr && strcmp(rewrite, "1") == 0) WriteFile(path, record.str());
  std::vector<std::string> expected, actual;
  std::istringstream wanted(ReadFile(path)), got(record.str());
  for (std::string line; std::getline(wanted, line);) expected.push_back(line);
  for (std::string line; std::getline(got, line);) actual.push_back(line);
  EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace testsupport
