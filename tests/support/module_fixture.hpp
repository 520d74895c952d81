// The fixture that loads the built module into the stand-in host through
// its exports, and the panel helpers of the tests that drive it.  Portable:
// the Linux tests load libquillet.so with it, the Windows tests Quillet.dll.
#ifndef QUILLET_MODULE_FIXTURE_HPP
#define QUILLET_MODULE_FIXTURE_HPP

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "entry/command_table.hpp"
#include "standin/standin.hpp"

namespace testsupport {

// Path of the built module.
std::string ModulePath();

// The row of a host panel named `name`, or whose name ends in a separator
// and `name` (plug-in rows carry full paths); fails the test when there is
// none.
int RowIndex(const standin::PanelModel &panel, const std::string &name);

// Fails the running test with each breach of the host's contract that the
// stand-in host recorded (a service call FAR would refuse or misread), and
// empties the list.  ModuleTest calls it at the end of every test; a test
// that provokes breaches on purpose takes them itself first.
void ExpectHostContractKept();
// Empties the list and returns it as "Service Argument" texts, for a test
// that breaks the contract on purpose.
std::vector<std::string> TakeHostBreaches();

// Loads the module into the stand-in host and binds it (SetStartupInfo).
class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The active panel's rows, cursor and selection, by row name.
  int RowIndex(const std::string &name) { return testsupport::RowIndex(host.ActivePanel(), name); }
  void PutCursorOn(const std::string &name);
  void Select(const std::vector<std::string> &names);

  // The items the module handed over in its last listing, by bare name,
  // and the text of a custom column ("<none>" or "<null>" where missing).
  std::map<std::string, const PluginPanelItem *> Items();
  static std::string Column(const PluginPanelItem &item, int index);
  // Runs of "CVS Running...".
  int CvsRuns();

  // Scripts the user's pick of `command` in the plug-ins menu: the row
  // that shows its text in the command menu, and for one of the Mark
  // sub-menu first "Mark >".  A menu without that row fails the test.
  void ChooseCommand(Command command);
  // The answer that picks the row showing message `text` (the language
  // file's text, as the host shows it).
  std::function<int(const standin::MenuCall &)> ChooseText(int text);

  standin::Host &host = standin::Host::Get();
  standin::Module module;
};

}  // namespace testsupport

#endif
