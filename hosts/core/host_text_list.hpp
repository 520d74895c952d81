// The hosts' own texts, one line each: QUILLET_HOST_TEXT(id, English,
// Russian).  The Russian text is UTF-8, as the screen draws it.  "%1" to
// "%9" stand for the values a text is filled with, in any order the
// language needs.  Included by host_texts.hpp and host_texts.cpp; no
// include guard.

// Key bar: F1 to F12 of the panels, the editor and the viewer.
QUILLET_HOST_TEXT(KeyHelp, "Help", "Помощь")
QUILLET_HOST_TEXT(KeyView, "View", "Просм")
QUILLET_HOST_TEXT(KeyEdit, "Edit", "Правка")
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

// Copying and moving (F5, F6), the overwrite question and the progress line.
QUILLET_HOST_TEXT(CdTitle, "cd", "cd")
QUILLET_HOST_TEXT(NestedTooDeep, "%1: folders nested too deeply",
                  "%1: папки вложены слишком глубоко")
QUILLET_HOST_TEXT(CopyTitle, "Copy", "Копирование")
QUILLET_HOST_TEXT(MoveTitle, "Rename or move", "Переименование или перенос")
QUILLET_HOST_TEXT(CopyOne, "Copy %1 to:", "Копировать %1 в:")
QUILLET_HOST_TEXT(CopyMany, "Copy %1 entries to:", "Копировать объекты (%1) в:")
QUILLET_HOST_TEXT(MoveOne, "Rename or move %1 to:", "Переименовать или перенести %1 в:")
QUILLET_HOST_TEXT(MoveMany, "Move %1 entries to:", "Перенести объекты (%1) в:")
QUILLET_HOST_TEXT(CopyButton, "Copy", "Копировать")
QUILLET_HOST_TEXT(MoveButton, "Move", "Перенести")
QUILLET_HOST_TEXT(OverwriteTitle, "Overwrite", "Замена")
QUILLET_HOST_TEXT(OverwriteQuestion, "%1 already exists. Overwrite it?",
                  "%1 уже существует. Заменить?")
QUILLET_HOST_TEXT(OverwriteButton, "&Overwrite", "&Заменить")
QUILLET_HOST_TEXT(SkipButton, "&Skip", "&Пропустить")
QUILLET_HOST_TEXT(AllButton, "&All", "&Все")
QUILLET_HOST_TEXT(CopyingNow, "Copying %1", "Копируется %1")
QUILLET_HOST_TEXT(MovingNow, "Moving %1", "Переносится %1")
QUILLET_HOST_TEXT(Progress, "%1 of %2 entries, %3%  (Esc stops)",
                  "%1 из %2 объектов, %3%  (Esc прервёт)")
QUILLET_HOST_TEXT(CopyFailed, "Could not copy %1 of %2:", "Не удалось скопировать %1 из %2:")
QUILLET_HOST_TEXT(MoveFailed, "Could not move %1 of %2:", "Не удалось перенести %1 из %2:")
QUILLET_HOST_TEXT(CopyStopped, "Stopped: %1 of %2 entries done; the file being copied was not left.",
                  "Прервано: готово %1 из %2 объектов; недокопированный файл удалён.")
QUILLET_HOST_TEXT(ManyToOneName, "%1 entries go into a folder, and %2 is none.",
                  "Объекты (%1) кладутся в папку, а %2 - не папка.")
QUILLET_HOST_TEXT(IntoItself, "%1 cannot go into itself.", "%1 нельзя положить в самого себя.")
QUILLET_HOST_TEXT(SameEntry, "%1 is already there.", "%1 уже там.")
QUILLET_HOST_TEXT(NotCopyable, "%1: neither a file, a folder nor a link: not copied",
                  "%1: не файл, не папка и не ссылка: не скопирован")
QUILLET_HOST_TEXT(IsALink, "%1 is a link: not followed", "%1 - ссылка: по ней не переходим")
QUILLET_HOST_TEXT(FolderExists, "%1: a folder of that name is there",
                  "%1: там есть папка с таким именем")

// Text kept when the host was ended by a signal, said at the next start.
QUILLET_HOST_TEXT(TitleRescued, "Kept when Quillet was ended", "Сохранено при завершении Quillet")
QUILLET_HOST_TEXT(RescuedFileText, "Unsaved text of %1", "Несохранённый текст файла %1")
QUILLET_HOST_TEXT(RescuedFileSavedAs, "was saved as %1", "сохранён как %1")
QUILLET_HOST_TEXT(RescuedPluginText, "The text written in \"%1\"", "Текст, набранный в «%1»,")
QUILLET_HOST_TEXT(RescuedPluginHandedOver, "was handed to the plug-in.", "передан модулю.")

// The editor: a file changed on the disk since it was opened.
QUILLET_HOST_TEXT(NotPlainFile, "%1: not a plain file", "%1: не простой файл")
QUILLET_HOST_TEXT(ChangedOnDisk, "%1 was changed on the disk since it was opened.",
                  "%1 изменён на диске после того, как был открыт.")
QUILLET_HOST_TEXT(ChangedOnDiskQuestion, "Save over it, losing that change?",
                  "Записать поверх, потеряв то изменение?")
QUILLET_HOST_TEXT(SaveOverButton, "Save &over it", "&Записать поверх")
QUILLET_HOST_TEXT(DoNotSaveNowButton, "&Keep editing", "&Продолжить правку")

// More key-bar labels.
QUILLET_HOST_TEXT(KeyCopy, "Copy", "Копир")
QUILLET_HOST_TEXT(KeyRenMov, "RenMov", "Перен")
QUILLET_HOST_TEXT(KeyHex, "Hex", "Код")
QUILLET_HOST_TEXT(KeyText, "Text", "Текст")

// The help (F1): its head, sections and closing lines; the key lines
// come from the key table.
QUILLET_HOST_TEXT(HelpIntro, "Quillet console: a two-panel file manager that hosts the Quillet CVS module",
                  "Quillet console: двухпанельный файловый менеджер для модуля CVS Quillet")
QUILLET_HOST_TEXT(HelpAlternative, "or %1", "или %1")
QUILLET_HOST_TEXT(HelpPanels, "Panels", "Панели")
QUILLET_HOST_TEXT(HelpStatusPanel, "CVS status panel (type cvs: and Enter, or F11 > CVS > Browse)",
                  "Панель состояний CVS (cvs: и Enter или F11 > CVS > Просмотр)")
QUILLET_HOST_TEXT(HelpCommandLine, "Command line", "Командная строка")
QUILLET_HOST_TEXT(HelpDialogs, "Dialogs and menus", "Диалоги и меню")
QUILLET_HOST_TEXT(HelpHelp, "This help", "Эта помощь")
QUILLET_HOST_TEXT(HelpMouse, "Mouse", "Мышь")
QUILLET_HOST_TEXT(HelpExtendedKeys, "Keys a terminal may not send are also read in xterm's extended forms",
                  "Клавиши, которые терминал может не передать, читаются и в формах xterm")
QUILLET_HOST_TEXT(HelpExtendedKeys2, "(modifyOtherKeys and CSI u, which tmux passes on with extended-keys on).",
                  "(modifyOtherKeys и CSI u; tmux передаёт их при extended-keys on).")

// How the help names keys that are a family, a typed command or a mouse
// action.
QUILLET_HOST_TEXT(ShownVertical, "Up, Down, PgUp, PgDn", "Up, Down, PgUp, PgDn")
QUILLET_HOST_TEXT(ShownLine, "Left, Right, Home, End", "Left, Right, Home, End")
QUILLET_HOST_TEXT(ShownShiftVertical, "Shift+Up, Down, PgUp, PgDn",
                  "Shift+Up, Down, PgUp, PgDn")
QUILLET_HOST_TEXT(ShownHomeEnd, "Home, End", "Home, End")
QUILLET_HOST_TEXT(ShownCtrlBackslash, "Ctrl+\\", "Ctrl+\\")
QUILLET_HOST_TEXT(ShownCtrlDigits, "Ctrl+0 .. Ctrl+9", "Ctrl+0 .. Ctrl+9")
QUILLET_HOST_TEXT(ShownLineCvs, "cvs: Enter", "cvs: Enter")
QUILLET_HOST_TEXT(ShownLineCd, "cd FOLDER Enter", "cd ПАПКА Enter")
QUILLET_HOST_TEXT(ShownLineCommand, "COMMAND Enter", "КОМАНДА Enter")
QUILLET_HOST_TEXT(ShownLineEdit, "Left, Right, Home, End, Del",
                  "Left, Right, Home, End, Del")
QUILLET_HOST_TEXT(ShownLineSelect, "Shift+arrows, Home, End", "Shift+стрелки, Home, End")
QUILLET_HOST_TEXT(ShownDialogMove, "Tab, Shift+Tab, Up, Down", "Tab, Shift+Tab, Up, Down")
QUILLET_HOST_TEXT(ShownAltLetter, "Alt+letter", "Alt+буква")
QUILLET_HOST_TEXT(ShownScroll, "Up, Down, PgUp, PgDn, Home, End, Left, Right",
                  "Up, Down, PgUp, PgDn, Home, End, Left, Right")
QUILLET_HOST_TEXT(ShownSlashLocked, "/ (locked)", "/ (только чтение)")
QUILLET_HOST_TEXT(ShownNLocked, "n (locked)", "n (только чтение)")
QUILLET_HOST_TEXT(ShownEditKeys, "Arrows, PgUp, PgDn, ...", "Стрелки, PgUp, PgDn, ...")
QUILLET_HOST_TEXT(ShownClick, "click", "щелчок")
QUILLET_HOST_TEXT(ShownDoubleClick, "double click", "двойной щелчок")
QUILLET_HOST_TEXT(ShownRightClick, "right click", "правый щелчок")
QUILLET_HOST_TEXT(ShownWheel, "wheel", "колесо")
QUILLET_HOST_TEXT(ShownShiftDrag, "Shift+drag", "Shift+перетаскивание")

// What each key does, as the help says it beside the key.
QUILLET_HOST_TEXT(DoesHelp, "this help", "эта помощь")
QUILLET_HOST_TEXT(DoesUserScreen, "show the last command's output until a key",
                  "вывод последней команды до нажатия клавиши")
QUILLET_HOST_TEXT(DoesCopy, "copy the selection or the current entry to the other panel",
                  "копировать помеченное или текущее на другую панель")
QUILLET_HOST_TEXT(DoesMove, "move them there; a name in this folder renames",
                  "перенести туда; имя в этой папке переименовывает")
QUILLET_HOST_TEXT(DoesMakeFolder, "make a folder (then F11 > CVS > Add)",
                  "создать папку (затем F11 > CVS > Добавить)")
QUILLET_HOST_TEXT(DoesDelete, "delete the selection or the current entry, after asking",
                  "удалить помеченное или текущее, спросив")
QUILLET_HOST_TEXT(DoesQuit, "quit, after asking", "выход, спросив")
QUILLET_HOST_TEXT(DoesPlugins, "plug-ins menu (CVS)", "меню модулей (CVS)")
QUILLET_HOST_TEXT(DoesView, "view the current file (status panel: also cvs log or diff)",
                  "просмотр файла (панель CVS: и cvs log или diff)")
QUILLET_HOST_TEXT(DoesEdit, "edit the current file", "правка текущего файла")
QUILLET_HOST_TEXT(DoesSwitch, "switch panels", "другая панель")
QUILLET_HOST_TEXT(DoesInfo, "the info view of the active panel on the other side",
                  "сведения об активной панели на другой стороне")
QUILLET_HOST_TEXT(DoesReread, "read the active panel again", "перечитать активную панель")
QUILLET_HOST_TEXT(DoesViewMode, "view modes", "режимы просмотра")
QUILLET_HOST_TEXT(DoesLeave, "back to the file panel", "назад к файловой панели")
QUILLET_HOST_TEXT(DoesNameToLine, "put the current name on the command line",
                  "текущее имя в командную строку")
QUILLET_HOST_TEXT(DoesRoot, "go to the root folder", "в корневую папку")
QUILLET_HOST_TEXT(DoesToggle, "select or unselect the current entry",
                  "пометить текущий объект или снять пометку")
QUILLET_HOST_TEXT(DoesEnter, "enter a folder; run the command line if it holds text",
                  "войти в папку; с текстом в командной строке: выполнить её")
QUILLET_HOST_TEXT(DoesClearLine, "clear the command line", "очистить командную строку")
QUILLET_HOST_TEXT(DoesSelectGroup, "select the files that match a mask such as *.c,*.h",
                  "пометить файлы по маске, например *.c,*.h")
QUILLET_HOST_TEXT(DoesUnselectGroup, "unselect the entries that match a mask",
                  "снять пометку по маске")
QUILLET_HOST_TEXT(DoesInvert, "invert the selection of the files", "обратить пометку файлов")
QUILLET_HOST_TEXT(DoesMoveCursor, "move the cursor", "курсор")
QUILLET_HOST_TEXT(DoesSelectMoving, "select while moving", "помечать на ходу")
QUILLET_HOST_TEXT(DoesLineCvs, "open the status panel on the active folder",
                  "открыть панель состояний на активной папке")
QUILLET_HOST_TEXT(DoesLineCd, "move the active panel (cd alone: home; cd -: back)",
                  "перевести активную панель (cd: домой; cd -: назад)")
QUILLET_HOST_TEXT(DoesLineShell, "run in /bin/sh; both panels are read again afterwards",
                  "выполнить в /bin/sh; затем обе панели перечитываются")
QUILLET_HOST_TEXT(DoesLineSelect, "select: typing or Backspace replaces it",
                  "выделить: ввод или Backspace заменяет выделенное")
QUILLET_HOST_TEXT(DoesLineEdit, "move and delete; Ctrl+Y clears the line",
                  "курсор и удаление; Ctrl+Y очищает строку")
QUILLET_HOST_TEXT(DoesDialogMove, "move between items", "между элементами")
QUILLET_HOST_TEXT(DoesDialogSpace, "toggle a check box or radio button",
                  "переключить флажок или переключатель")
QUILLET_HOST_TEXT(DoesDialogEnter, "confirm", "подтвердить")
QUILLET_HOST_TEXT(DoesDialogEsc, "cancel; Break while \"CVS Running...\" shows",
                  "отмена; Прервать, пока видно \"Работает CVS...\"")
QUILLET_HOST_TEXT(DoesDialogHotKey, "press the item with that hot key",
                  "нажать элемент с этой горячей клавишей")
QUILLET_HOST_TEXT(DoesDialogHistory, "the history of an edit line", "история строки ввода")
QUILLET_HOST_TEXT(DoesSave, "save", "сохранить")
QUILLET_HOST_TEXT(DoesSearch, "search", "поиск")
QUILLET_HOST_TEXT(DoesSearchAgain, "search again", "искать дальше")
QUILLET_HOST_TEXT(DoesDeleteLine, "delete the line", "удалить строку")
QUILLET_HOST_TEXT(DoesHex, "hex view, and back to text", "шестнадцатеричный вид и обратно к тексту")
QUILLET_HOST_TEXT(DoesLeaveView, "leave", "выход")
QUILLET_HOST_TEXT(DoesLeaveEditor, "leave (asking to save a change)",
                  "выход (спросив, сохранить ли изменение)")
QUILLET_HOST_TEXT(DoesScroll, "scroll", "прокрутка")
QUILLET_HOST_TEXT(DoesEditText, "move, type, Enter, Backspace, Del, Tab",
                  "курсор, ввод, Enter, Backspace, Del, Tab")

// What the mouse does, for the help.
QUILLET_HOST_TEXT(MouseClick, "move the cursor, press a button or a key-bar key",
                  "курсор, кнопка или клавиша в строке клавиш")
QUILLET_HOST_TEXT(MouseDouble, "enter a folder", "войти в папку")
QUILLET_HOST_TEXT(MouseRight, "select", "пометить")
QUILLET_HOST_TEXT(MouseWheel, "scroll panels, menus, lists, the viewer and the editor",
                  "прокрутка панелей, меню, списков, просмотра и редактора")
QUILLET_HOST_TEXT(MouseShift, "select text with the terminal's own mouse",
                  "выделить текст мышью самого терминала")
