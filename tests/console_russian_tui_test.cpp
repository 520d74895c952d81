// The console host in Russian: where the locale asks for Russian, the
// host's own texts (key bar, plug-ins menu, help, boxes and questions) are
// Russian as the module's are, and Russian hot keys are taken.  (The other
// console tests run in the C locale and see English.)
#include "console_tui_fixture.hpp"

using namespace tuitest;

namespace {

class RussianConsole : public ConsoleTuiTest {
 protected:
  void StartRussian(const std::string &folder, const std::string &args = "") {
    // The locale need not be installed: LANG asks for the language.
    Start(folder, args, "", 100, 30,
          {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ru_RU.UTF-8"}});
  }
  void QuitRussian() {
    screen->Keys({"F10"});
    Expect("Выйти из Quillet?");
    Expect("Да");
    screen->Keys({"Enter"});
    int status = -1;
    EXPECT_TRUE(screen->WaitForEnd(&status)) << screen->Screen();
    EXPECT_EQ(0, status) << screen->Screen();
  }
};

TEST_F(RussianConsole, KeyBarMenusHelpAndQuestionsAreRussian) {
  std::string files = dir / "files";
  testsupport::MakeDirs(files);
  testsupport::WriteFile(files + "/a.c", "int a;\n");
  testsupport::WriteFile(files + "/b.c", "int b;\n");
  StartRussian(files);
  Expect(files + ">");
  // The key bar and the file panel's own words.
  Expect("1Помощь");
  Expect("10Выход");
  Expect("5Копир");
  Expect("6Перен");
  EXPECT_EQ(screen->Screen().find("1Help"), std::string::npos) << screen->Last;

  // Group selection asks in Russian and counts in Russian.
  screen->Keys({"+"});
  Expect("Пометить файлы по маске");
  screen->Keys({"BSpace", "*", ".", "c", "Enter"});
  Expect("байт в помеченных файлах: 2");

  // A refused folder name is said in Russian, and the name is offered again.
  screen->Keys({"F7"});
  Expect("Создать папку:");
  screen->Keys({"Enter"});
  Expect("Имя пустое.");
  screen->Keys({"Enter"});
  Expect("Создать папку:");
  screen->Keys({"Escape"});
  ExpectGone("Создать папку:");

  // The plug-ins menu's title, and the module's menu beneath it, whose
  // rows are chosen by their Russian hot keys: Э is Export's.
  screen->Keys({"F11"});
  Expect("Модули");
  screen->Keys({"Enter"});
  Expect("CVS: Выделенное");
  screen->Keys({"э"});
  Expect("Экспорт ");
  Expect("Модуль:");
  screen->Keys({"Escape"});
  ExpectGone("Модуль:");

  // Help (F1) in Russian.
  screen->Keys({"F1"});
  Expect("Панели");
  Expect("копировать помеченное или текущее на другую панель");
  Expect("вывод последней команды до нажатия клавиши");
  screen->Keys({"Escape"});
  ExpectGone("Панели");

  // Copying asks for the destination in Russian, counting the entries.
  screen->Keys({"F5"});
  Expect("Копировать объекты (2) в:");
  screen->Keys({"Escape"});
  ExpectGone("Копировать объекты");

  // The delete question names the entries in Russian; No keeps them.
  screen->Keys({"F8"});
  Expect("Удалить эти объекты (2)?");
  screen->Keys({"Escape"});
  ExpectGone("Удалить эти объекты");
  EXPECT_EQ(0, testsupport::Shell("test -f " + testsupport::ShellQuote(files + "/a.c")));
  QuitRussian();
}

}  // namespace
