// What the viewer and the editor share: drawing a document full screen
// with its status line and key bar, and asking for the text to search.
#ifndef QUILLET_CONSOLE_TEXT_VIEW_HPP
#define QUILLET_CONSOLE_TEXT_VIEW_HPP

#include <string>
#include <vector>

#include "console/terminal.hpp"
#include "core/history.hpp"
#include "core/text_document.hpp"

namespace console {

// Rows of text the screen has room for (status line and key bar aside).
int TextRows(const Terminal &term);
// Draws the document under a status line holding `title`, with the key
// bar `keys` at the bottom; the cursor shows when the document is edited.
void DrawTextView(Terminal &term, hostcore::TextDocument &document, const std::string &title,
                  const std::vector<std::string> &keys, const std::string &note);
// The mouse over the text: the wheel scrolls it (the cursor along);
// true, with the key in `key`, for a click on the key bar.
bool TextViewMouse(const Terminal &term, hostcore::TextDocument &document, const MouseEvent &mouse,
                   hostcore::KeyPress &key);
// Asks for the text to search for (history "SearchText"); false on Esc.
bool AskSearchText(Terminal &term, hostcore::HistoryStore &histories, std::string &text);
// Asks for the text (when `ask`) and finds it from the cursor, or finds
// the next; `note` tells what happened.
void SearchDocument(Terminal &term, hostcore::TextDocument &document, bool ask,
                    hostcore::HistoryStore &histories, std::string &needle, std::string &note);

}  // namespace console

#endif
