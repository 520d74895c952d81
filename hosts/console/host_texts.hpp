// Every text the console host shows of its own (its boxes, questions,
// prompts, key bars and help), in one list: an id, the English text and
// the Russian one.  The module's texts come from its language files; these
// are the host's.  "%1", "%2" stand for what Text() fills in.  A Russian
// text left empty shows in English.
#ifndef QUILLET_CONSOLE_HOST_TEXTS_HPP
#define QUILLET_CONSOLE_HOST_TEXTS_HPP

#include <initializer_list>
#include <string>

// clang-format off
#define QUILLET_HOST_TEXTS(X)                                                              \
  X(None, "", "")                                                                          \
  /* buttons and titles shared by many boxes */                                            \
  X(Ok, "OK", "")                                                                          \
  X(Cancel, "Cancel", "")                                                                  \
  X(ErrorTitle, "Error", "")                                                               \
  X(YesButton, "&Yes", "")                                                                 \
  X(NoButton, "&No", "")                                                                   \
  /* the panels */                                                                         \
  X(CannotReadFolder, "Cannot read the folder", "")                                        \
  X(NotAFolder, "not a folder: %1", "")                                                    \
  X(QuitTitle, "Quit", "")                                                                 \
  X(QuitQuestion, "Do you want to quit Quillet?", "")                                      \
  X(SelectTitle, "Select", "")                                                             \
  X(SelectPrompt, "Select the files that match (*.c,*.h):", "")                            \
  X(DeselectTitle, "Deselect", "")                                                         \
  X(DeselectPrompt, "Deselect what matches (*.c,*.h):", "")                                \
  X(InfoTitle, "Info", "")                                                                 \
  X(InfoFolder, "Folder", "")                                                              \
  X(InfoItems, "Items", "")                                                                \
  X(HistoryTitle, "History", "")                                                           \
  /* the command line and cd */                                                            \
  X(CdTitle, "cd", "")                                                                     \
  X(NoSuchFolder, "There is no folder %1.", "")                                            \
  X(CdOneFolder, "cd takes one folder (quote a name with blanks)", "")                     \
  X(CdNoPrevious, "there is no previous folder yet", "")                                   \
  X(CdNoFolder, "no folder given", "")                                                     \
  X(ShellBraces, "only ${NAME} is read inside braces", "")                                 \
  X(ShellRunsCommand, "%1 would run a command", "")                                        \
  X(ShellQuoteOpen, "a quote is not closed", "")                                           \
  X(ShellUnquoted, "an unquoted \"%1\" (quote it to mean the character)", "")              \
  X(ShellCannotStart, "Quillet could not start /bin/sh.", "")                              \
  X(ShellExitStatus, "[exit status %1]", "")                                               \
  X(PressAnyKey, "Press any key to return to Quillet.", "")                                \
  X(ScreenLent, "Quillet: a program the CVS module runs has the terminal now; the screen "  \
                "comes back when it ends (Ctrl+C breaks it off).", "")                     \
  X(TooSmall, "Quillet needs a terminal of at least %1x%2; this one is %3x%4.", "")        \
  /* making folders, renaming, deleting */                                                 \
  X(NotFilePanel, "This panel does not list files of the file system.", "")                \
  X(MakeFolderTitle, "Make folder", "")                                                    \
  X(MakeFolderPrompt, "Create the folder:", "")                                            \
  X(CannotMakeFolder, "Cannot make the folder.", "")                                       \
  X(DeleteTitle, "Delete", "")                                                             \
  X(DeleteFile, "Delete the file", "")                                                     \
  X(DeleteFolder, "Delete the folder", "")                                                 \
  X(DeleteWithContents, "with everything in it?", "")                                      \
  X(DeleteEntries, "Delete these %1 entries?", "")                                         \
  X(AndMore, "and %1 more", "")                                                            \
  X(FoldersGoWhole, "Folders (/) go with everything in them.", "")                         \
  X(DeleteButton, "&Delete", "")                                                           \
  X(CancelButton, "&Cancel", "")                                                           \
  X(CouldNotDelete, "Could not delete %1 of %2:", "")                                      \
  X(NameEmpty, "The name is empty.", "")                                                   \
  X(NameIsFolder, "\"%1\" names a folder that is already there.", "")                      \
  X(NameHasSlash, "A name cannot hold \"/\".", "")                                         \
  X(AlreadyExists, "%1 already exists.", "")                                               \
  X(NotDeletable, "%1: not an entry that can be deleted", "")                              \
  X(NestedTooDeep, "%1: folders nested too deeply", "")                                    \
  /* copying and moving */                                                                 \
  X(CopyTitle, "Copy", "")                                                                 \
  X(MoveTitle, "Rename or move", "")                                                       \
  X(CopyOne, "Copy %1 to:", "")                                                            \
  X(CopyMany, "Copy %1 entries to:", "")                                                   \
  X(MoveOne, "Rename or move %1 to:", "")                                                  \
  X(MoveMany, "Move %1 entries to:", "")                                                   \
  X(CopyButton, "Copy", "")                                                                \
  X(MoveButton, "Move", "")                                                                \
  X(OverwriteTitle, "Overwrite", "")                                                       \
  X(OverwriteQuestion, "%1 already exists. Overwrite it?", "")                             \
  X(OverwriteButton, "&Overwrite", "")                                                     \
  X(SkipButton, "&Skip", "")                                                               \
  X(AllButton, "&All", "")                                                                 \
  X(CopyingNow, "Copying %1", "")                                                          \
  X(MovingNow, "Moving %1", "")                                                            \
  X(Progress, "%1 of %2 entries, %3%  (Esc stops)", "")                                    \
  X(CopyFailed, "Could not copy %1 of %2:", "")                                            \
  X(MoveFailed, "Could not move %1 of %2:", "")                                            \
  X(CopyStopped, "Stopped: %1 of %2 entries done; the file being copied was not left.", "") \
  X(ManyToOneName, "%1 entries go into a folder, and %2 is none.", "")                      \
  X(IntoItself, "%1 cannot go into itself.", "")                                           \
  X(SameEntry, "%1 is already there.", "")                                                 \
  X(NotCopyable, "%1: neither a file, a folder nor a link: not copied", "")                \
  X(IsALink, "%1 is a link: not followed", "")                                             \
  X(FolderExists, "%1: a folder of that name is there", "")                                \
  /* the viewer, the editor, search */                                                     \
  X(ViewerTitle, "Viewer", "")                                                             \
  X(EditorTitle, "Editor", "")                                                             \
  X(ViewHead, "View: %1", "")                                                              \
  X(NotPlainFile, "%1: not a plain file", "")                                              \
  X(Saved, "saved", "")                                                                    \
  X(Locked, "[locked]", "")                                                                \
  X(SaveQuestion, "The file has been changed. Save it?", "")                               \
  X(SaveButton, "&Save", "")                                                               \
  X(DoNotSaveButton, "&Do not save", "")                                                   \
  X(ContinueButton, "Continue &editing", "")                                               \
  X(ChangedOnDisk, "%1 was changed on the disk since it was opened.", "")                  \
  X(ChangedOnDiskQuestion, "Save over it, losing that change?", "")                        \
  X(SaveOverButton, "Save &over it", "")                                                   \
  X(DoNotSaveNowButton, "&Keep editing", "")                                               \
  X(SearchTitle, "Search", "")                                                             \
  X(SearchPrompt, "Search for:", "")                                                       \
  X(FindButton, "Find", "")                                                                \
  X(NotFound, "\"%1\" not found", "")                                                      \
  /* key-bar labels */                                                                     \
  X(BarHelp, "Help", "")                                                                   \
  X(BarCopy, "Copy", "")                                                                   \
  X(BarView, "View", "")                                                                   \
  X(BarEdit, "Edit", "")                                                                   \
  X(BarRenMov, "RenMov", "")                                                               \
  X(BarMkFold, "MkFold", "")                                                               \
  X(BarDelete, "Delete", "")                                                               \
  X(BarQuit, "Quit", "")                                                                   \
  X(BarPlugin, "Plugin", "")                                                               \
  X(BarSave, "Save", "")                                                                   \
  X(BarSearch, "Search", "")                                                               \
  X(BarHex, "Hex", "")                                                                     \
  X(BarText, "Text", "")                                                                   \
  /* the help */                                                                           \
  X(HelpTitle, "Help", "")                                                                 \
  X(HelpIntro, "Quillet console: a two-panel file manager that hosts the Quillet CVS module", "") \
  X(HelpAlternative, "or %1", "")                                                \
  X(HelpPanels, "Panels", "")                                                              \
  X(HelpStatusPanel, "CVS status panel (type cvs: and Enter, or F11 > CVS > Browse)", "")  \
  X(HelpCommandLine, "Command line", "")                                                   \
  X(HelpDialogs, "Dialogs and menus", "")                                                  \
  X(HelpViewer, "Viewer", "")                                                              \
  X(HelpEditor, "Editor", "")                                                              \
  X(HelpHelp, "This help", "")                                                             \
  X(HelpMouse, "Mouse", "")                                                                \
  X(HelpExtendedKeys, "Keys a terminal may not send are also read in xterm's extended forms", "") \
  X(HelpExtendedKeys2, "(modifyOtherKeys and CSI u, which tmux passes on with extended-keys on).", "") \
  X(KeyHelp, "this help", "")                                                              \
  X(KeyUserScreen, "show the last command's output until a key", "") \
  X(KeyCopy, "copy the selection or the current entry to the other panel", "") \
  X(KeyMove, "move them there; a name in this folder renames", "") \
  X(KeyMakeFolder, "make a folder (then F11 > CVS > Add)", "")                             \
  X(KeyDelete, "delete the selection or the current entry, after asking", "")        \
  X(KeyQuit, "quit, after asking", "")                                                     \
  X(KeyPlugins, "plug-ins menu (CVS)", "")                                                 \
  X(KeyView, "view the current file (status panel: also cvs log or diff)", "")  \
  X(KeyEdit, "edit the current file", "")                                                  \
  X(KeySwitch, "switch panels", "")                                                        \
  X(KeyInfo, "the info view of the active panel on the other side", "")               \
  X(KeyReread, "read the active panel again", "")                                          \
  X(KeyViewMode, "view modes", "")                                                         \
  X(KeyLeave, "back to the file panel", "")                                                \
  X(KeyNameToLine, "put the current name on the command line", "")   \
  X(KeyRoot, "go to the root folder", "")                                                  \
  X(KeyToggle, "select or unselect the current entry", "")                                 \
  X(KeyEnter, "enter a folder; run the command line if it holds text", "")       \
  X(KeyClearLine, "clear the command line", "")                                            \
  X(KeySelectGroup, "select the files that match a mask such as *.c,*.h", "")              \
  X(KeyUnselectGroup, "unselect the entries that match a mask", "")                        \
  X(KeyInvert, "invert the selection of the files", "")                                    \
  X(KeyMoveCursor, "move the cursor", "")                        \
  X(KeySelectMoving, "select while moving", "")                                            \
  X(KeyLineCvs, "open the status panel on the active folder", "")     \
  X(KeyLineCd, "move the active panel (cd alone: home; cd -: back)", "")        \
  X(KeyLineShell, "run in /bin/sh; both panels are read again afterwards", "") \
  X(KeyLineSelect, "select: typing or Backspace replaces it", "")       \
  X(KeyLineEdit, "move and delete; Ctrl+Y clears the line", "")                      \
  X(KeyDialogMove, "move between items", "")                                               \
  X(KeyDialogSpace, "toggle a check box or radio button", "")                              \
  X(KeyDialogEnter, "confirm", "")                                                         \
  X(KeyDialogEsc, "cancel; Break while \"CVS Running...\" shows", "")                      \
  X(KeyDialogHotKey, "press the item with that hot key", "")                               \
  X(KeyDialogHistory, "the history of an edit line", "")                                   \
  X(KeySave, "save", "")                                                                   \
  X(KeySearch, "search", "")                                                               \
  X(KeySearchAgain, "search again", "")                                                    \
  X(KeyDeleteLine, "delete the line", "")                                                  \
  X(KeyHex, "hex view, and back to text", "")                                              \
  X(KeyLeaveView, "leave", "")                                                             \
  X(KeyLeaveEditor, "leave (asking to save a change)", "")                                 \
  X(KeyScroll, "scroll", "")                                                               \
  X(KeyEditText, "move, type, Enter, Backspace, Del, Tab", "")                             \
  X(MouseClick, "move the cursor, press a button or a key-bar key", "")                    \
  X(MouseDouble, "enter a folder", "")                                                     \
  X(MouseRight, "select", "")                                                              \
  X(MouseWheel, "scroll panels, menus, lists, the viewer and the editor", "")              \
  X(MouseShift, "select text with the terminal's own mouse", "")
// clang-format on

namespace console {

enum class T {
#define QUILLET_HOST_TEXT_ID(id, english, russian) id,
  QUILLET_HOST_TEXTS(QUILLET_HOST_TEXT_ID)
#undef QUILLET_HOST_TEXT_ID
      Count
};

// Chooses the texts' language: "Russian" or anything else for English.
void SetHostLanguage(const std::string &language);
// The text in the chosen language, with %1, %2... replaced by `args`.
std::string Text(T id, std::initializer_list<std::string> args = {});

}  // namespace console

#endif
