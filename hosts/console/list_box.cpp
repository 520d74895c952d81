// A list box.
#include "console/list_box.hpp"

#include <algorithm>

#include "console/modal.hpp"
#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

namespace console {

namespace vk = hostcore::vk;
using hostcore::Is;

namespace {

// The list waiting for an entry.
class ListBoxModal : public Modal {
 public:
  ListBoxModal(const std::string &title, const std::vector<std::string> &entries, int start,
               int top, int left, int width, int maxRows)
      : title_(title), entries_(entries), top_(top), left_(left), width_(width),
        maxRows_(maxRows) {
    count_ = static_cast<int>(entries.size());
    current_ = std::max(0, std::min(start, count_ - 1));
  }
  int Result = -1;

  void Draw(Terminal &term) override {
    rows_ = std::max(1, std::min(count_, std::min(maxRows_, term.Height() - 2)));
    y_ = std::max(0, std::min(top_, term.Height() - rows_ - 2));
    x_ = std::max(0, std::min(left_, term.Width() - width_));
    if (current_ < first_) first_ = current_;
    if (current_ >= first_ + rows_) first_ = current_ - rows_ + 1;
    term.Frame(y_, x_, rows_ + 2, width_, Role::Menu, true);
    term.FrameTitle(y_, x_, width_, title_, Role::Menu);
    for (int row = 0; row < rows_ && first_ + row < count_; ++row) {
      int index = first_ + row;
      std::string text =
          " " + hostcore::FitText(entries_[static_cast<size_t>(index)], width_ - 4, false, true) +
          " ";
      term.Put(y_ + 1 + row, x_ + 1, text, index == current_ ? Role::MenuCurrent : Role::Menu);
    }
    term.HideCursor();
  }

  void OnEvent(const Event &event) override {
    if (event.What == Event::Mouse) return OnMouse(event.Pointer);
    if (event.What != Event::Key) return;
    const hostcore::KeyPress &key = event.Press;
    int page = std::max(1, std::min(count_, maxRows_) - 1);
    if (Is(key, vk::Escape) || Is(key, vk::F(10))) return End();
    if (Is(key, vk::Return)) return Choose(current_);
    if (Is(key, vk::Up)) current_ = current_ > 0 ? current_ - 1 : count_ - 1;
    if (Is(key, vk::Down)) current_ = current_ + 1 < count_ ? current_ + 1 : 0;
    if (Is(key, vk::Prior)) current_ = std::max(0, current_ - page);
    if (Is(key, vk::Next)) current_ = std::min(count_ - 1, current_ + page);
    if (Is(key, vk::Home)) current_ = 0;
    if (Is(key, vk::End)) current_ = count_ - 1;
  }

 private:
  void OnMouse(const MouseEvent &mouse) {
    if (mouse.Wheel()) {
      int step = mouse.What == MouseEvent::WheelUp ? -kWheelRows : kWheelRows;
      current_ = std::max(0, std::min(count_ - 1, current_ + step));
    }
    if (!mouse.LeftPress()) return;
    // A click on an entry chooses it; a click beside the box leaves it.
    int row = mouse.Y - y_ - 1;
    if (mouse.X <= x_ || mouse.X >= x_ + width_ - 1 || row < 0 || row >= rows_) return End();
    if (first_ + row < count_) Choose(first_ + row);
  }
  void Choose(int index) {
    Result = index;
    End();
  }
  const std::string &title_;
  const std::vector<std::string> &entries_;
  int top_, left_, width_, maxRows_;
  int count_ = 0, current_ = 0, first_ = 0;
  int rows_ = 1, y_ = 0, x_ = 0;  // where the last drawing put the box
};

}  // namespace

int RunListBox(Terminal &term, const std::string &title, const std::vector<std::string> &entries,
               int start, int top, int left, int width, int maxRows) {
  if (entries.empty()) return -1;
  ListBoxModal modal(title, entries, start, top, left, width, maxRows);
  RunModal(term, modal);
  return modal.Result;
}

}  // namespace console
