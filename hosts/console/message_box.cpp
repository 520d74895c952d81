// Message boxes.
#include "console/message_box.hpp"

#include "console/button.hpp"
#include "console/modal.hpp"
#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

namespace {

// Margin, frame and padding on each side of the text.
const int kOuter = 3, kInner = 5;

// Where the buttons sit: their row, and each one's first and last column.
struct ButtonRow {
  int Y = 0;
  std::vector<int> Lefts, Widths;
};

ButtonRow PlaceButtons(const hostcore::MessageModel &box, const hostcore::MessageBox &place) {
  ButtonRow row;
  row.Y = place.Top + 2 + static_cast<int>(box.Lines.size()) + 1;
  int total = -1;
  for (const std::string &button : box.Buttons) {
    row.Widths.push_back(ButtonWidth(hostcore::ParseHotKey(button)));
    total += row.Widths.back() + 1;
  }
  int x = place.Left + (place.Width - total) / 2;
  for (int width : row.Widths) {
    row.Lefts.push_back(x);
    x += width + 1;
  }
  return row;
}

}  // namespace

void DrawMessage(Terminal &term, const hostcore::MessageModel &box) {
  BoxLook look = box.Warning ? WarningLook() : DialogLook();
  hostcore::MessageBox place = hostcore::PlaceMessage(box, term.Width(), term.Height());
  for (int y = place.Top; y < place.Top + place.Height; ++y)
    term.Fill(y, place.Left, place.Width, look.Body);
  term.Frame(place.Top + 1, place.Left + kOuter, place.Height - 2, place.Width - 2 * kOuter,
             look.Body, true);
  int textWidth = place.Width - 2 * kInner;
  term.FrameTitle(place.Top + 1, place.Left + kOuter, place.Width - 2 * kOuter, box.Title,
                  look.Body);
  int y = place.Top + 2;
  for (const std::string &line : box.Lines) {
    int cells = std::min(hostcore::TextWidth(line), textWidth);
    int x = box.LeftAlign ? place.Left + kInner : place.Left + (place.Width - cells) / 2;
    term.Put(y++, x, hostcore::FitText(line, cells, false, false), look.Body);
  }
  if (box.Buttons.empty()) return;
  term.HorizontalLine(y, place.Left + kOuter + 1, place.Width - 2 * kOuter - 2, look.Body, false);
  ButtonRow buttons = PlaceButtons(box, place);
  for (size_t i = 0; i < box.Buttons.size(); ++i) {
    DrawButton(term, buttons.Y, buttons.Lefts[i], hostcore::ParseHotKey(box.Buttons[i]),
               static_cast<int>(i) == box.Focus, look);
  }
  term.HideCursor();
}

namespace {

// The box waiting for a button.
class MessageBoxModal : public Modal {
 public:
  MessageBoxModal(Terminal &term, hostcore::MessageModel &box) : term_(term), box_(box) {}
  int Result = -1;

  void Draw(Terminal &term) override { DrawMessage(term, box_); }
  void OnClosed() override { Result = -1; }
  void OnEvent(const Event &event) override {
    int count = static_cast<int>(box_.Buttons.size());
    if (event.What == Event::Mouse && event.Pointer.LeftPress()) {
      const MouseEvent &mouse = event.Pointer;
      ButtonRow buttons =
          PlaceButtons(box_, hostcore::PlaceMessage(box_, term_.Width(), term_.Height()));
      for (int i = 0; i < count; ++i) {
        size_t at = static_cast<size_t>(i);
        if (mouse.Y == buttons.Y && mouse.X >= buttons.Lefts[at] &&
            mouse.X < buttons.Lefts[at] + buttons.Widths[at])
          return Choose(i);
      }
      return;
    }
    if (event.What != Event::Key) return;
    const hostcore::KeyPress &key = event.Press;
    if (Is(key, vk::Escape) || Is(key, vk::F(10))) return Choose(-1);
    if (Is(key, vk::Return) || Is(key, vk::Space)) return Choose(box_.Focus);
    if (Is(key, vk::Right) || Is(key, vk::Tab) || Is(key, vk::Down))
      box_.Focus = (box_.Focus + 1) % count;
    if (Is(key, vk::Left) || Is(key, vk::Tab, PKF_SHIFT) || Is(key, vk::Up))
      box_.Focus = (box_.Focus + count - 1) % count;
    if (key.Char != 0 && (key.Mods & PKF_CONTROL) == 0) {
      const uint32_t typed = hostcore::FoldKey(key.Char);
      for (int i = 0; i < count; ++i) {
        if (hostcore::HotKeyOf(hostcore::ParseHotKey(box_.Buttons[static_cast<size_t>(i)])) ==
            typed)
          return Choose(i);
      }
    }
  }

 private:
  void Choose(int result) {
    Result = result;
    End();
  }
  Terminal &term_;
  hostcore::MessageModel &box_;
};

}  // namespace

int RunMessageBox(Terminal &term, hostcore::MessageModel &box) {
  if (box.Buttons.empty()) {
    // A box without buttons stays on the screen while the module works.
    term.PushLayer([&] { DrawMessage(term, box); });
    term.Redraw();
    term.PopLayer();
    return -1;
  }
  MessageBoxModal modal(term, box);
  RunModal(term, modal);
  return modal.Result;
}

int AskUser(Terminal &term, const std::string &title, const std::vector<std::string> &lines,
            const std::vector<std::string> &buttons, bool warning) {
  hostcore::MessageModel box;
  box.Title = title;
  box.Lines = lines;
  box.Buttons = buttons;
  box.Warning = warning;
  box.AllLines.push_back(title);
  box.AllLines.insert(box.AllLines.end(), lines.begin(), lines.end());
  return RunMessageBox(term, box);
}

}  // namespace console
