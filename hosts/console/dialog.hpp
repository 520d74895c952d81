// A dialog from the core's model, drawn at its coordinates: boxes, texts,
// separators, edit lines with their history lists, check boxes, radio
// groups and centred button rows.  The rules (focus, Tab order, groups,
// Enter and Space, write-back) are the core's; this is the screen's part.
#ifndef QUILLET_CONSOLE_DIALOG_HPP
#define QUILLET_CONSOLE_DIALOG_HPP

#include <functional>

#include "console/terminal.hpp"
#include "core/dialog_model.hpp"
#include "core/front_end.hpp"
#include "core/history.hpp"

namespace console {

// Checked before every wait: true, with the code, when the module asked to
// close the dialog (DM_CLOSE from its thread).
using ModuleClose = std::function<bool(int &code)>;

// Runs the dialog until the user closes it (a button, Enter, Esc) or the
// module does.  The user's code is an item or -1.  `withProcedure`: the
// module watches the dialog (DialogEx); one of those with nothing to fill
// in is a busy box, which takes no key typed before it could be seen.
hostcore::DialogClose RunDialog(Terminal &term, hostcore::DialogModel &model,
                                const hostcore::HistoryStore &histories,
                                const ModuleClose &moduleClose, bool withProcedure = false);

}  // namespace console

#endif
