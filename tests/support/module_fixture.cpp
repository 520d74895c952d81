// The module fixture, the same on every platform.
#include "module_fixture.hpp"

#include <string.h>

#include "core/platform.hpp"

namespace testsupport {

std::string ModulePath() { return QUILLET_MODULE_PATH; }

int RowIndex(const standin::PanelModel &panel, const std::string &name) {
  for (size_t i = 0; i < panel.Rows.size(); ++i) {
    const std::string &row = panel.Rows[i].Name;
    if (row == name) return static_cast<int>(i);
    if (row.size() <= name.size()) continue;
    const char before = row[row.size() - name.size() - 1];
    if ((before == '/' || before == hostcore::kPathSeparator) &&
        row.compare(row.size() - name.size(), std::string::npos, name) == 0) {
      return static_cast<int>(i);
    }
  }
  ADD_FAILURE() << "no row " << name;
  return 0;
}

void ExpectHostContractKept() {
  for (const hostcore::ContractBreach &breach : standin::Host::Get().Contract.Take())
    ADD_FAILURE() << "host contract broken: " << hostcore::Describe(breach);
}

std::vector<std::string> TakeHostBreaches() {
  std::vector<std::string> taken;
  for (const hostcore::ContractBreach &breach : standin::Host::Get().Contract.Take())
    taken.push_back(breach.Service + " " + breach.Argument);
  return taken;
}

void ModuleTest::SetUp() {
  host.Reset();
  std::string error;
  ASSERT_TRUE(standin::LoadModule(ModulePath(), module, error)) << error;
  host.BindModule(module);
}

void ModuleTest::TearDown() {
  if (host.ActivePanel().Plugin) host.ClosePluginPanel();
  ExpectHostContractKept();
  host.Reset();
  standin::UnloadModule(module);
}

void ModuleTest::PutCursorOn(const std::string &name) {
  host.ActivePanel().CurrentItem = RowIndex(name);
}

void ModuleTest::Select(const std::vector<std::string> &names) {
  for (const std::string &name : names)
    host.ActivePanel().Rows[static_cast<size_t>(RowIndex(name))].Selected = true;
}

std::map<std::string, const PluginPanelItem *> ModuleTest::Items() {
  std::map<std::string, const PluginPanelItem *> items;
  for (int i = 0; i < host.PluginItemsNumber; ++i) {
    const std::string path = host.PluginItems[i].FindData.cFileName;
    items[path.substr(path.find_last_of(std::string("/") + hostcore::kPathSeparator) + 1)] =
        &host.PluginItems[i];
  }
  return items;
}

std::string ModuleTest::Column(const PluginPanelItem &item, int index) {
  if (item.CustomColumnData == nullptr || index >= item.CustomColumnNumber) return "<none>";
  return item.CustomColumnData[index] != nullptr ? item.CustomColumnData[index] : "<null>";
}

int ModuleTest::CvsRuns() {
  int runs = 0;
  for (const standin::DialogCall &call : host.Dialogs) runs += call.Ex ? 1 : 0;
  return runs;
}


std::function<int(const standin::MenuCall &)> ModuleTest::ChooseText(int text) {
  standin::Host *shown = &host;
  return [shown, text](const standin::MenuCall &menu) {
    const std::string wanted = shown->Language.at(static_cast<size_t>(text));
    for (size_t i = 0; i < menu.Items.size(); ++i) {
      const FarMenuItem &item = menu.Items[i];
      if (!item.Separator && wanted == std::string(item.Text, strnlen(item.Text, sizeof item.Text)))
        return static_cast<int>(i);
    }
    ADD_FAILURE() << "no row \"" << wanted << "\" in the menu \"" << menu.Title << "\"";
    return -1;
  };
}

void ModuleTest::ChooseCommand(Command command) {
  const CommandRow &row = CommandAt(command);
  if (row.Where == Place::MarkMenu) {
    for (const CommandRow *opener = CommandsBegin(); opener != CommandsEnd(); ++opener)
      if (opener->Where == Place::OpensMarkMenu) host.script.Menu.push_back(ChooseText(opener->MenuText));
  }
  host.script.Menu.push_back(ChooseText(row.MenuText));
}

}  // namespace testsupport
