// The help screen.
#include "console/help.hpp"

#include "console/key_table.hpp"
#include "console/modal.hpp"
#include "console/text_view.hpp"
#include "core/host_texts.hpp"
#include "core/text_document.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

class HelpModal : public Modal {
 public:
  explicit HelpModal(Terminal &term) : term_(term) {
    document_.ReadOnly = true;
    document_.Lines = HelpLines();
    document_.Ends.assign(document_.Lines.size(), hostcore::LineEnd::Lf);
  }
  void Draw(Terminal &term) override {
    DrawTextView(term, document_, Say(HostText::TitleHelp), KeyBarLabels(Place::Help), "");
  }
  void OnEvent(const Event &event) override {
    hostcore::KeyPress key;
    if (event.What == Event::Mouse) {
      if (!TextViewMouse(term_, document_, event.Pointer, key)) return;
    } else if (event.What == Event::Key) {
      key = event.Press;
    } else {
      return;
    }
    const KeyBinding *binding = FindKey(Place::Help, key);
    if (binding == nullptr) return;
    if (binding->What == Action::Leave) return End();
    if (binding->What == Action::Scroll) hostcore::DocumentKey(document_, key, TextRows(term_));
  }

 private:
  Terminal &term_;
  hostcore::TextDocument document_;
};

}  // namespace

void RunHelp(Terminal &term) {
  HelpModal modal(term);
  RunModal(term, modal);
}

}  // namespace console
