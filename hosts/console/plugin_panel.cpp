// Plug-in panels and the info view.
#include "console/plugin_panel.hpp"
#include "core/host_texts.hpp"

#include <string.h>

#include "console/file_panel.hpp"
#include "core/column_layout.hpp"
#include "core/screen_text.hpp"

using hostcore::HostText;
using hostcore::Say;

namespace console {

namespace {

Role HighlightedRowRole(const hostcore::PanelRow &row, bool cursor) {
  if (cursor || row.Selected) return PlainRowRole(row, cursor);
  if (row.Attributes & FILE_ATTRIBUTE_COMPRESSED) return Role::PanelChanged;
  if (row.Attributes & 0x40) return Role::PanelIncoming;
  return PlainRowRole(row, cursor);
}

std::string Field(const char *text, size_t capacity) {
  return text != nullptr ? std::string(text, strnlen(text, capacity)) : "";
}

}  // namespace

PanelLook PluginPanelLook(const hostcore::PanelModel &panel, bool active) {
  PanelLook look;
  const OpenPluginInfo &info = panel.Described;
  look.Title = info.PanelTitle != nullptr ? info.PanelTitle : panel.CurDir;
  look.Active = active;
  look.RowColour = (info.Flags & OPIF_USEHIGHLIGHTING) ? HighlightedRowRole : PlainRowRole;
  return look;
}

void DrawInfoPanel(Terminal &term, const RECT &rect, const hostcore::PanelModel &source) {
  int top = static_cast<int>(rect.top), left = static_cast<int>(rect.left);
  int height = static_cast<int>(rect.bottom - rect.top + 1);
  int width = static_cast<int>(rect.right - rect.left + 1);
  term.Frame(top, left, height, width, Role::PanelFrame, true);
  term.FrameTitle(top, left, width, Say(HostText::TitleInfo), Role::PanelTitle);
  int inner = width - 2, y = top + 1, bottom = top + height - 1;
  auto line = [&](const std::string &label, const std::string &data) {
    if (y >= bottom) return;
    int labelCells = std::min(hostcore::TextWidth(label), inner - 2);
    term.Put(y, left + 2, hostcore::FitText(label, labelCells, false, false), Role::PanelInfoLabel);
    int dataCells = inner - 3 - labelCells;
    if (dataCells > 0)
      term.Put(y, left + 3 + labelCells,
               hostcore::FitText(hostcore::FitPath(data, dataCells), dataCells, true, false),
               Role::PanelInfoData);
    ++y;
  };
  auto separator = [&](const std::string &caption) {
    if (y >= bottom) return;
    term.HorizontalLine(y, left + 1, inner, Role::PanelFrame, false);
    term.FrameTitle(y, left, width, caption, Role::PanelTitle);
    ++y;
  };
  line(Say(HostText::InfoFolder), source.CurDir);
  line(Say(HostText::InfoItems), std::to_string(source.Rows.size()));
  const OpenPluginInfo &info = source.Described;
  if (!source.Plugin || info.InfoLines == nullptr) return;
  for (int i = 0; i < info.InfoLinesNumber; ++i) {
    const InfoPanelLine &entry = info.InfoLines[i];
    if (entry.Separator)
      separator(Field(entry.Text, sizeof(entry.Text)));
    else
      line(Field(entry.Text, sizeof(entry.Text)), Field(entry.Data, sizeof(entry.Data)));
  }
}

}  // namespace console
