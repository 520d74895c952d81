// The hosts' own texts, one line each: QUILLET_HOST_TEXT(id, English,
// Russian).  The Russian text is UTF-8, as the screen draws it.  "%1" to
// "%9" stand for the values a text is filled with, in any order the
// language needs.  Included by host_texts.hpp and host_texts.cpp; no
// include guard.

// Key bar: F1 to F12 of the panels, the editor and the viewer.
QUILLET_HOST_TEXT(KeyHelp, "Help", "Помощь")
QUILLET_HOST_TEXT(KeyView, "View", "Просм")
QUILLET_HOST_TEXT(KeyEdit, "Edit", "Правка")
QUILLET_HOST_TEXT(KeyRename, "Rename", "Переим")
QUILLET_HOST_TEXT(KeyMakeFolder, "MkFold", "Папка")
QUILLET_HOST_TEXT(KeyDelete, "Delete", "Удал")
QUILLET_HOST_TEXT(KeyQuit, "Quit", "Выход")
QUILLET_HOST_TEXT(KeyPlugins, "Plugin", "Модули")
QUILLET_HOST_TEXT(KeySave, "Save", "Сохр")
QUILLET_HOST_TEXT(KeySearch, "Search", "Поиск")

// Titles of boxes and of the host's own views.
QUILLET_HOST_TEXT(TitleError, "Error", "Ошибка")
QUILLET_HOST_TEXT(TitleQuit, "Quit", "Выход")
QUILLET_HOST_TEXT(TitleSelect, "Select", "Пометить")
QUILLET_HOST_TEXT(TitleDeselect, "Deselect", "Снять пометку")
QUILLET_HOST_TEXT(TitleViewer, "Viewer", "Просмотр")
QUILLET_HOST_TEXT(TitleEditor, "Editor", "Редактор")
QUILLET_HOST_TEXT(TitleMakeFolder, "Make folder", "Создать папку")
QUILLET_HOST_TEXT(TitleRename, "Rename", "Переименовать")
QUILLET_HOST_TEXT(TitleDelete, "Delete", "Удалить")
QUILLET_HOST_TEXT(TitleSearch, "Search", "Поиск")
QUILLET_HOST_TEXT(TitleHistory, "History", "История")
QUILLET_HOST_TEXT(TitleHelp, "Help", "Помощь")
QUILLET_HOST_TEXT(TitleInfo, "Info", "Сведения")
QUILLET_HOST_TEXT(TitlePlugins, "Plugins", "Модули")

// Buttons ("&" marks the hot key).
QUILLET_HOST_TEXT(ButtonOk, "OK", "OK")
QUILLET_HOST_TEXT(ButtonCancel, "Cancel", "Отмена")
QUILLET_HOST_TEXT(ButtonYes, "&Yes", "&Да")
QUILLET_HOST_TEXT(ButtonNo, "&No", "&Нет")
QUILLET_HOST_TEXT(ButtonRename, "Rename", "Переименовать")
QUILLET_HOST_TEXT(ButtonDelete, "&Delete", "&Удалить")
QUILLET_HOST_TEXT(ButtonCancelKey, "&Cancel", "&Отмена")
QUILLET_HOST_TEXT(ButtonSave, "&Save", "&Сохранить")
QUILLET_HOST_TEXT(ButtonDoNotSave, "&Do not save", "&Не сохранять")
QUILLET_HOST_TEXT(ButtonKeepEditing, "Continue &editing", "&Продолжить правку")
QUILLET_HOST_TEXT(ButtonFind, "Find", "Найти")

// Questions and prompts.
QUILLET_HOST_TEXT(AskQuit, "Do you want to quit Quillet?", "Выйти из Quillet?")
QUILLET_HOST_TEXT(AskSelectMask, "Select the files that match (*.c,*.h):",
                  "Пометить файлы по маске (*.c,*.h):")
QUILLET_HOST_TEXT(AskDeselectMask, "Deselect what matches (*.c,*.h):",
                  "Снять пометку по маске (*.c,*.h):")
QUILLET_HOST_TEXT(AskMakeFolder, "Create the folder:", "Создать папку:")
QUILLET_HOST_TEXT(AskRename, "Rename %1 to:", "Переименовать %1 в:")
QUILLET_HOST_TEXT(AskDeleteFile, "Delete the file", "Удалить файл")
QUILLET_HOST_TEXT(AskDeleteFolder, "Delete the folder", "Удалить папку")
QUILLET_HOST_TEXT(AskDeleteFolderWhole, "with everything in it?", "со всем содержимым?")
QUILLET_HOST_TEXT(AskDeleteEntries, "Delete these %1 entries?", "Удалить эти объекты (%1)?")
QUILLET_HOST_TEXT(AskDeleteMore, "and %1 more", "и ещё %1")
QUILLET_HOST_TEXT(AskDeleteFoldersWhole, "Folders (/) go with everything in them.",
                  "Папки (/) удаляются со всем содержимым.")
QUILLET_HOST_TEXT(AskSaveChanged, "The file has been changed. Save it?",
                  "Файл изменён. Сохранить его?")
QUILLET_HOST_TEXT(AskSearchFor, "Search for:", "Искать:")

// What went wrong.
QUILLET_HOST_TEXT(ErrorCannotReadFolder, "Cannot read the folder", "Не прочитать папку")
QUILLET_HOST_TEXT(ErrorNotAFolder, "not a folder: %1", "не папка: %1")
QUILLET_HOST_TEXT(ErrorNoSuchFolder, "There is no folder %1.", "Папки %1 нет.")
QUILLET_HOST_TEXT(ErrorNotFileSystem, "This panel does not list files of the file system.",
                  "Эта панель показывает не файлы файловой системы.")
QUILLET_HOST_TEXT(ErrorCannotMakeFolder, "Cannot make the folder.", "Не удалось создать папку.")
QUILLET_HOST_TEXT(ErrorCannotRename, "Cannot rename %1.", "Не удалось переименовать %1.")
QUILLET_HOST_TEXT(ErrorCouldNotDelete, "Could not delete %1 of %2:",
                  "Не удалось удалить %1 из %2:")
QUILLET_HOST_TEXT(ErrorNestedTooDeep, "%1: folders nested too deeply to delete",
                  "%1: папки вложены слишком глубоко, чтобы удалить их")
QUILLET_HOST_TEXT(ErrorEmptyName, "The name is empty.", "Имя пустое.")
QUILLET_HOST_TEXT(ErrorDotName, "\"%1\" names a folder that is already there.",
                  "\"%1\" - имя уже существующей папки.")
QUILLET_HOST_TEXT(ErrorSlashInName, "A name cannot hold \"/\".", "Имя не может содержать \"/\".")
QUILLET_HOST_TEXT(ErrorAlreadyExists, "%1 already exists.", "%1 уже существует.")
QUILLET_HOST_TEXT(ErrorNotDeletable, "%1: not an entry that can be deleted",
                  "%1: этот объект удалить нельзя")
QUILLET_HOST_TEXT(ErrorCdOneFolder, "cd takes one folder (quote a name with blanks)",
                  "cd принимает одну папку (имя с пробелами возьмите в кавычки)")
QUILLET_HOST_TEXT(ErrorCdNoPrevious, "there is no previous folder yet", "предыдущей папки ещё нет")
QUILLET_HOST_TEXT(ErrorCdNoFolder, "no folder given", "папка не указана")
QUILLET_HOST_TEXT(ErrorShellRuns, "%1 would run a command", "%1 запустил бы команду")
QUILLET_HOST_TEXT(ErrorShellBraces, "only ${NAME} is read inside braces",
                  "в фигурных скобках читается только ${NAME}")
QUILLET_HOST_TEXT(ErrorShellQuote, "a quote is not closed", "кавычка не закрыта")
QUILLET_HOST_TEXT(ErrorShellUnquoted, "an unquoted \"%1\" (quote it to mean the character)",
                  "\"%1\" без кавычек (возьмите в кавычки, чтобы он значил сам себя)")
QUILLET_HOST_TEXT(ErrorIsFolder, "%1 is a folder", "%1 - папка")
QUILLET_HOST_TEXT(ErrorNotPlainFile, "not a plain file: %1", "не простой файл: %1")
QUILLET_HOST_TEXT(ErrorCannotOpen, "cannot open %1", "не открыть %1")
QUILLET_HOST_TEXT(ErrorCannotRead, "cannot read %1", "не прочитать %1")
QUILLET_HOST_TEXT(ErrorTooLargeToEdit,
                  "%1 holds %2 MiB; the editor takes files of at most %3 MiB (F3 views a file of any size)",
                  "%1 занимает %2 МиБ; редактор берёт файлы не больше %3 МиБ (F3 покажет файл любого размера)")
QUILLET_HOST_TEXT(ErrorGrewWhileRead, "%1 grew beyond the %2 MiB the editor takes while it was read",
                  "%1 вырос за время чтения больше %2 МиБ, которые берёт редактор")
QUILLET_HOST_TEXT(ErrorUnchanged, "cannot write %1: %2; the file is unchanged",
                  "не записать %1: %2; файл не изменён")
QUILLET_HOST_TEXT(ErrorNoNewFile, "no new file can be made in %1 (%2)",
                  "в %1 нельзя создать новый файл (%2)")
QUILLET_HOST_TEXT(ErrorLinkToNothing, "it is a link to nothing that can be written",
                  "это ссылка на то, во что нельзя писать")
QUILLET_HOST_TEXT(ErrorNotPlain, "it is not a plain file", "это не простой файл")
QUILLET_HOST_TEXT(ErrorNotFound, "\"%1\" not found", "\"%1\" не найдено")

// The terminal, the shell and the command's start.
QUILLET_HOST_TEXT(ShellNotStarted, "Quillet could not start /bin/sh.",
                  "Quillet не смог запустить /bin/sh.")
QUILLET_HOST_TEXT(ShellExitStatus, "[exit status %1]", "[код завершения %1]")
QUILLET_HOST_TEXT(ShellPressKey, "Press any key to return to Quillet.",
                  "Нажмите любую клавишу, чтобы вернуться в Quillet.")
QUILLET_HOST_TEXT(TerminalLent,
                  "Quillet: a program the CVS module runs has the terminal now; the screen comes back when it ends (Ctrl+C breaks it off).",
                  "Quillet: терминал сейчас у программы, которую запустил модуль CVS; экран вернётся, когда она завершится (Ctrl+C прервёт её).")
QUILLET_HOST_TEXT(TerminalTooSmall, "Quillet needs a terminal of at least %1x%2; this one is %3x%4.",
                  "Quillet нужен терминал не меньше %1x%2; у этого %3x%4.")
QUILLET_HOST_TEXT(TerminalNotTerminal, "standard input and output must be a terminal",
                  "стандартные ввод и вывод должны быть терминалом")
QUILLET_HOST_TEXT(TerminalCannotSetUp, "cannot set up the terminal: %1",
                  "не удалось настроить терминал: %1")
QUILLET_HOST_TEXT(TerminalNoScreen, "cannot start the screen (is TERM set?)",
                  "не удалось запустить экран (задан ли TERM?)")

// Panels, the viewer and the editor.
QUILLET_HOST_TEXT(ColumnName, "Name", "Имя")
QUILLET_HOST_TEXT(ColumnDescription, "Description", "Описание")
QUILLET_HOST_TEXT(ColumnSize, "Size", "Объём")
QUILLET_HOST_TEXT(ColumnDate, "Date", "Дата")
QUILLET_HOST_TEXT(ColumnTime, "Time", "Время")
QUILLET_HOST_TEXT(ColumnModified, "Modified", "Изменён")
QUILLET_HOST_TEXT(RowUp, "<UP>", "Вверх")
QUILLET_HOST_TEXT(RowFolder, "<DIR>", "Папка")
QUILLET_HOST_TEXT(SelectedFile, "%1 bytes in %2 selected file", "%1 байт в %2 помеченном файле")
QUILLET_HOST_TEXT(SelectedFiles, "%1 bytes in %2 selected files", "%1 байт в помеченных файлах: %2")
QUILLET_HOST_TEXT(InfoFolder, "Folder", "Папка")
QUILLET_HOST_TEXT(InfoItems, "Items", "Объектов")
QUILLET_HOST_TEXT(ViewHead, "View: %1", "Просмотр: %1")
QUILLET_HOST_TEXT(EditorLocked, "[locked]", "[только чтение]")
QUILLET_HOST_TEXT(EditorColumn, "col", "кол")
QUILLET_HOST_TEXT(EditorSaved, "saved", "сохранено")

// The help screen (F1), line by line.
QUILLET_HOST_TEXT(HelpText,
      "Quillet console: a two-panel file manager that hosts the Quillet CVS module\n"
      "\n"
      "Panels\n"
      "  Up, Down, PgUp, PgDn, Home, End   move the cursor (Left, Right: by columns)\n"
      "  Enter           enter a folder or \"..\"; run the command line if it holds text\n"
      "  Insert          select or unselect the current file\n"
      "  Shift+arrows    select while moving (also Shift+PgUp, PgDn, Home, End)\n"
      "  + / -           select files / unselect entries by a mask such as *.c,*.h\n"
      "  *               invert the selection of the files\n"
      "  Tab             switch panels\n"
      "  Ctrl+R          read the active panel again\n"
      "  Ctrl+L          show the info view of the active panel on the other side\n"
      "  Ctrl+\\          go to the root folder\n"
      "  Ctrl+0 .. Ctrl+9   view modes            alternative: Alt+0 .. Alt+9\n"
      "  F3 / F4         view / edit the current file\n"
      "  F6              rename the current file or folder\n"
      "  F7              make a folder (then F11 > CVS > Add)\n"
      "  F8              delete the selected entries, or the current one, after asking\n"
      "  F10             quit, after asking\n"
      "  F11             plug-ins menu (CVS)    alternative: Ctrl+P\n"
      "\n"
      "CVS status panel (type cvs: and Enter, or F11 > CVS > Browse)\n"
      "  F3              view the file, or show its cvs log or diff\n"
      "  Ctrl+Enter      put the current name on the command line  alternative: Ctrl+J\n"
      "  Shift+Esc       back to the file panel                    alternative: Ctrl+Q\n"
      "\n"
      "Command line\n"
      "  cvs:            opens the status panel on the active folder\n"
      "  cd FOLDER       moves the active panel (cd alone: home; cd -: back)\n"
      "  anything else   runs in /bin/sh in the active folder; both panels are\n"
      "                  read again afterwards\n"
      "  Ctrl+J          the current name, quoted for the shell (file panel)\n"
      "  Esc             clears the line\n"
      "\n"
      "Dialogs and menus\n"
      "  Tab, Shift+Tab, Up, Down   move between items; Space toggles; Enter confirms\n"
      "  Esc             cancels; Alt+letter presses the item with that hot key\n"
      "  Ctrl+Down or Alt+Down      the history of an edit line\n"
      "  Esc, Enter or Ctrl+C       Break in \"CVS Running...\"\n"
      "\n"
      "Viewer and editor\n"
      "  F2 save (editor), F7 search, Shift+F7 search again, Esc or F10 leave\n"
      "  The output of cvs opens locked: read-only, with scrolling and search.\n"
      "\n"
      "Mouse\n"
      "  click           move the cursor, press a button or a key-bar key\n"
      "  double click    enter a folder        right click: select\n"
      "  wheel           scroll panels, menus, lists, the viewer and the editor\n"
      "  (hold Shift to select text with the terminal's own mouse)\n"
      "\n"
      "Keys a terminal may not send are also read in xterm's extended forms\n"
      "(modifyOtherKeys and CSI u, which tmux passes on with extended-keys on).\n",
      "Quillet console: двухпанельный файловый менеджер, в котором работает модуль CVS Quillet\n"
      "\n"
      "Панели\n"
      "  Up, Down, PgUp, PgDn, Home, End   курсор (Left, Right: по колонкам)\n"
      "  Enter           войти в папку или \"..\"; выполнить командную строку, если в ней текст\n"
      "  Insert          пометить или снять пометку с текущего файла\n"
      "  Shift+стрелки   помечать на ходу (и Shift+PgUp, PgDn, Home, End)\n"
      "  + / -           пометить файлы / снять пометку по маске, например *.c,*.h\n"
      "  *               обратить пометку файлов\n"
      "  Tab             другая панель\n"
      "  Ctrl+R          перечитать активную панель\n"
      "  Ctrl+L          сведения об активной панели на другой стороне\n"
      "  Ctrl+\\          в корневую папку\n"
      "  Ctrl+0 .. Ctrl+9   режимы просмотра       также: Alt+0 .. Alt+9\n"
      "  F3 / F4         просмотр / правка текущего файла\n"
      "  F6              переименовать текущий файл или папку\n"
      "  F7              создать папку (затем F11 > CVS > Добавить)\n"
      "  F8              удалить помеченные объекты или текущий, спросив\n"
      "  F10             выход, спросив\n"
      "  F11             меню модулей (CVS)     также: Ctrl+P\n"
      "\n"
      "Панель состояний CVS (наберите cvs: и Enter или F11 > CVS > Просмотр)\n"
      "  F3              просмотр файла, его журнал cvs log или различия cvs diff\n"
      "  Ctrl+Enter      текущее имя в командную строку             также: Ctrl+J\n"
      "  Shift+Esc       назад к файловой панели                    также: Ctrl+Q\n"
      "\n"
      "Командная строка\n"
      "  cvs:            открывает панель состояний на активной папке\n"
      "  cd ПАПКА        переводит активную панель (cd: домой; cd -: назад)\n"
      "  прочее          выполняется в /bin/sh в активной папке; затем обе\n"
      "                  панели перечитываются\n"
      "  Ctrl+J          текущее имя в кавычках для оболочки (файловая панель)\n"
      "  Esc             очищает строку\n"
      "\n"
      "Диалоги и меню\n"
      "  Tab, Shift+Tab, Up, Down   между элементами; Space переключает; Enter подтверждает\n"
      "  Esc             отмена; Alt+буква нажимает элемент с этой горячей клавишей\n"
      "  Ctrl+Down или Alt+Down     история строки ввода\n"
      "  Esc, Enter или Ctrl+C      Прервать в \"Работает CVS...\"\n"
      "\n"
      "Просмотр и редактор\n"
      "  F2 сохранить (редактор), F7 поиск, Shift+F7 искать дальше, Esc или F10 выход\n"
      "  Вывод cvs открывается только для чтения, с прокруткой и поиском.\n"
      "\n"
      "Мышь\n"
      "  щелчок          курсор, кнопка или клавиша в строке клавиш\n"
      "  двойной щелчок  войти в папку         правый щелчок: пометить\n"
      "  колесо          прокрутка панелей, меню, списков, просмотра и редактора\n"
      "  (с Shift мышь выделяет текст самого терминала)\n"
      "\n"
      "Клавиши, которые терминал может не передать, читаются и в расширенных формах xterm\n"
      "(modifyOtherKeys и CSI u; tmux передаёт их при extended-keys on).\n")
