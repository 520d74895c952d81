// The commands of the plug-ins menu: their dialogs, argument building and runs.
#ifndef QUILLET_COMMANDS_HPP
#define QUILLET_COMMANDS_HPP

#include <functional>
#include <string>
#include <vector>

#include "runner/cvs_args.hpp"
#include "ui/dialog.hpp"

// The commands' dialogs as declared: the host receives an item for each
// row, and a caller finds one by its row's name.
const DialogDeclaration &UpdateDialog();
const DialogDeclaration &CheckoutDialog(bool checkout);
const DialogDeclaration &DiffDialog();
const DialogDeclaration &AddDialog();

// Update: shows the options dialog and appends its options to `args`
// ("cvs", "update").  False when the user cancelled; `args` is then unchanged.
bool AskUpdateOptions(CvsArgs &args);

// Commit of `selection` with a log message written in the editor; with
// `withList` the message template lists the modified and added files and
// the command ends quietly when there are none.  False when it stopped early.
bool CommitFiles(const Selection &selection, bool withList);

// Checkout (or, with `checkout` false, export) of a module into the
// current folder.  0 when cancelled, else the result of the run.
int CheckoutOrExport(bool checkout);

// Diff: shows the comparison dialog and appends its options to `args`
// ("cvs", "diff", "-u"); `visualDiff` tells whether TkDiff is to be started.
// False when cancelled or when the visual tool cannot show the choice.
bool AskDiffOptions(CvsArgs &args, bool &visualDiff);
// Starts the visual diff tool on the finished diff arguments, without
// waiting.  0; -1000 when `args` is empty; -1002, after telling the user,
// when the launcher cannot be started or is a batch file that an entry
// could not reach intact.
int RunVisualDiff(const CvsArgs &args);
// The program RunVisualDiff starts.
extern const char *const kVisualDiffLauncher;

// Add: asks whether the files are binary and appends "-kb" if so.
bool AskAddOptions(CvsArgs &args);
// Runs `head` (a cvs command line without its null end) on `names` with the
// output in `outputPath`: in one run when the names fit the system's limit
// on arguments, else in batches that each fit, run one after the other,
// their outputs one after the other in `outputPath`.  The first non-zero
// exit code, or 0; a break or a run that cannot start ends the batches.
// `batchCount`, when given, receives the number of runs meant.
int RunInBatches(const CvsArgs &head, const Selection &names, const char *outputPath,
                 size_t *batchCount = nullptr);
// The batches of `names` after `head` within `room`, in the measure of
// `cost` for one argument; a name too long for any goes alone.
std::vector<Selection> SplitIntoBatches(const CvsArgs &head, const Selection &names, size_t room,
                                        const std::function<size_t(const std::string &)> &cost);

// Runs "cvs -n -q update [-l] <directory>" and collects the names that
// follow the given update letters.  True when the output was read; the list
// is then replaced by the names found.  `acceptNonzero` lets a failure code
// of cvs itself through, never one of the runner's own negative codes.
bool QueryStates(const std::string &directory, Selection &names, const char *letters,
                 bool localOnly, bool acceptNonzero);
// The same with the letter of each name: `letterOf[i]` is that of names[i].
bool QueryStateLetters(const std::string &directory, Selection &names, std::string &letterOf,
                       const char *letters, bool localOnly, bool acceptNonzero);
// What a commit in `directory` would take, in one query: the modified and
// added paths, and apart from them the ones scheduled for removal.
bool CollectChanges(const std::string &directory, Selection &changed, Selection &removed);
// The entries of the current folder that cvs does not know yet, each name
// whole (blanks kept).  False when the query failed.
bool CollectNewEntries(Selection &names);
bool CollectModified(const std::string &directory, Selection &names, bool localOnly);
bool CollectConflicts(const std::string &directory, Selection &names, bool localOnly);
// Reads one whole line of the dry-run update output: true with the name
// when the line starts with one of `letters` in the form the query expects.
// The name runs to the end of the line, blanks included; for `localOnly`
// it ends at a "/".
bool ScanStateLine(const char *line, const char *letters, bool localOnly, std::string &name);
// Makes exactly the items named (first path component) the selection of the
// active file panel.  False when the active panel is not a plain file panel.
bool MarkInPanel(Selection &names);

// The commit message in an edited template: every line that begins with
// "CVS:" (the template's own) left out, as cvs leaves them out of a message
// written in its editor; "" when only blank lines are left.
std::string MessageWithoutTemplate(const std::string &edited);

// The text of the commit message template, every line a "CVS:" line.
// `haveFiles` tells whether the commit has anything to offer (always true
// without the list); `removed` are the paths scheduled for removal.
std::string CommitTemplateText(bool withList, const Selection &selection,
                               const std::vector<std::string> &modified, bool &haveFiles,
                               const std::vector<std::string> &removed = {});

#endif
