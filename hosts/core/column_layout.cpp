// Column strings, their layout in a width, and cell texts.
#include "core/column_layout.hpp"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "core/host_texts.hpp"
#include "core/platform.hpp"

namespace hostcore {

namespace {

std::vector<std::string> SplitCommas(const std::string &text) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    parts.push_back(
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

std::string HostTitle(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::Name:
      return Say(HostText::ColumnName);
    case ColumnKind::Description:
      return Say(HostText::ColumnDescription);
    case ColumnKind::Size:
      return Say(HostText::ColumnSize);
    case ColumnKind::Date:
      return Say(HostText::ColumnDate);
    case ColumnKind::Time:
      return Say(HostText::ColumnTime);
    case ColumnKind::Modified:
      return Say(HostText::ColumnModified);
    default:
      return "";
  }
}

ColumnFormat ParseColumn(const std::string &type) {
  ColumnFormat format;
  format.Type = type;
  if (type.empty()) return format;
  if (type[0] == 'N') {
    format.Kind = ColumnKind::Name;
    for (size_t i = 1; i < type.size(); ++i) {
      if (type[i] == 'M') format.Marks = true;
      if (type[i] == 'O') format.NoPath = true;
      if (type[i] == 'R') format.RightAlign = true;
    }
  } else if (type == "Z") {
    format.Kind = ColumnKind::Description;
  } else if (type.size() == 2 && type[0] == 'C' && type[1] >= '0' && type[1] <= '9') {
    format.Kind = ColumnKind::Custom;
    format.Custom = type[1] - '0';
  } else if (type[0] == 'S') {
    format.Kind = ColumnKind::Size;
  } else if (type == "DM") {
    format.Kind = ColumnKind::Modified;
  } else if (type == "D") {
    format.Kind = ColumnKind::Date;
  } else if (type == "T") {
    format.Kind = ColumnKind::Time;
  }
  return format;
}

// The number of equal stripes the columns form: each starts with a name
// column and has the same kinds as the first.
int CountStripes(const std::vector<ColumnFormat> &columns) {
  int names = 0;
  for (const ColumnFormat &column : columns) names += column.Kind == ColumnKind::Name ? 1 : 0;
  if (names < 2 || columns.size() % static_cast<size_t>(names) != 0) return 1;
  size_t length = columns.size() / static_cast<size_t>(names);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].Kind != columns[i % length].Kind) return 1;
    if (i % length == 0 && columns[i].Kind != ColumnKind::Name) return 1;
  }
  return names;
}

std::string SizeText(const PanelRow &row, int width) {
  if (row.Name == "..") return Say(HostText::RowUp);
  if (IsFolderRow(row)) return Say(HostText::RowFolder);
  unsigned long long size = row.Size;
  std::string text = std::to_string(size);
  const char *units = "KMGT";
  for (int unit = 0; static_cast<int>(text.size()) > width && unit < 4; ++unit) {
    size = (size + 1023) / 1024;
    text = std::to_string(size) + units[unit];
  }
  return text;
}

std::string TimeText(ColumnKind kind, uint64_t writeTime) {
  LocalTime local;
  if (writeTime == 0 || !ToLocalTime(writeTime, local)) return "";
  char date[16], time[8];
  snprintf(date, sizeof date, "%02d.%02d.%02d", local.Day % 100, local.Month % 100,
           local.Year % 100);
  snprintf(time, sizeof time, "%02d:%02d", local.Hour % 100, local.Minute % 100);
  if (kind == ColumnKind::Date) return date;
  if (kind == ColumnKind::Time) return time;
  return std::string(date) + " " + time;
}

// A plug-in's items may carry whole paths, which in a column of a dozen
// cells would all begin alike: a mode the plug-in does not describe shows
// the name part of each, as the plug-in's own modes do.
std::string NamePartOnly(const std::string &types) {
  std::string out;
  for (const std::string &type : SplitCommas(types)) {
    if (!out.empty()) out += ',';
    out += type;
    if (!type.empty() && type[0] == 'N' && type.find('O') == std::string::npos) out += 'O';
  }
  return out;
}

ModeColumns NamePartsOnly(ModeColumns mode) {
  mode.Types = NamePartOnly(mode.Types);
  mode.StatusTypes = NamePartOnly(mode.StatusTypes);
  return mode;
}

}  // namespace

ModeColumns HostModeColumns(int viewMode) {
  struct HostMode {
    const char *Types, *Widths;
    bool FullScreen;
  };
  // 0 and 3 full, 1 brief, 2 medium, 4 wide, 5 detailed, 6 and 7
  // descriptions, 8 and 9 as full.
  static const HostMode kModes[10] = {{"N,S,D,T", "0,6,8,5", false}, {"N,N,N", "0,0,0", false},
                                      {"N,N", "0,0", false},         {"N,S,D,T", "0,6,8,5", false},
                                      {"N,S", "0,6", false},         {"N,S,DM", "0,10,14", true},
                                      {"N,Z", "12,0", false},        {"N,S,Z", "0,8,0", true},
                                      {"N,S,D,T", "0,6,8,5", false}, {"N,S,D,T", "0,6,8,5", false}};
  const HostMode &chosen = kModes[viewMode >= 0 && viewMode <= 9 ? viewMode : 0];
  ModeColumns mode;
  mode.Types = chosen.Types;
  mode.Widths = chosen.Widths;
  mode.FullScreen = chosen.FullScreen;
  mode.StatusTypes = "NR,S,D,T";
  mode.StatusWidths = "0,10,0,5";
  return mode;
}

ModeColumns PanelModeColumns(const PanelModel &panel) {
  const OpenPluginInfo &info = panel.Described;
  if (!panel.Plugin) return HostModeColumns(panel.ViewMode);
  if (info.PanelModesArray == nullptr || panel.ViewMode < 0 ||
      panel.ViewMode >= info.PanelModesNumber ||
      info.PanelModesArray[panel.ViewMode].ColumnTypes == nullptr)
    return NamePartsOnly(HostModeColumns(panel.ViewMode));
  const PanelMode &described = info.PanelModesArray[panel.ViewMode];
  ModeColumns mode;
  mode.Types = described.ColumnTypes;
  mode.Widths = described.ColumnWidths != nullptr ? described.ColumnWidths : "";
  size_t count = SplitCommas(mode.Types).size();
  for (size_t i = 0; i < count; ++i) {
    const char *title = described.ColumnTitles != nullptr ? described.ColumnTitles[i] : nullptr;
    mode.Titles.push_back(title != nullptr ? title : "");
  }
  ModeColumns host = HostModeColumns(panel.ViewMode);
  mode.StatusTypes =
      described.StatusColumnTypes != nullptr ? described.StatusColumnTypes : host.StatusTypes;
  mode.StatusWidths =
      described.StatusColumnTypes != nullptr && described.StatusColumnWidths != nullptr
          ? described.StatusColumnWidths
          : host.StatusWidths;
  mode.FullScreen = described.FullScreen != 0;
  return mode;
}

std::vector<ColumnFormat> ParseColumns(const std::string &types, const std::string &widths,
                                       const std::vector<std::string> &titles) {
  std::vector<std::string> typeList = SplitCommas(types);
  std::vector<std::string> widthList = SplitCommas(widths);
  std::vector<ColumnFormat> columns;
  for (size_t i = 0; i < typeList.size(); ++i) {
    ColumnFormat format = ParseColumn(typeList[i]);
    if (i < widthList.size()) format.Width = std::max(0, atoi(widthList[i].c_str()));
    format.Title = i < titles.size() && !titles[i].empty() ? titles[i] : HostTitle(format.Kind);
    columns.push_back(format);
  }
  return columns;
}

ColumnLayout LayOutColumns(const std::vector<ColumnFormat> &columns, int width) {
  ColumnLayout layout;
  std::vector<ColumnFormat> kept = columns;
  width = std::max(width, 0);
  auto needed = [](const std::vector<ColumnFormat> &list) {
    int total = static_cast<int>(list.size()) - 1;
    for (const ColumnFormat &column : list)
      total += column.Width > 0 ? column.Width : kMinSharedWidth;
    return total;
  };
  while (kept.size() > 1 && needed(kept) > width) kept.pop_back();
  if (kept.empty()) return layout;
  layout.Stripes = CountStripes(kept);

  int fixed = static_cast<int>(kept.size()) - 1, zeros = 0;
  for (const ColumnFormat &column : kept) {
    fixed += column.Width;
    zeros += column.Width == 0 ? 1 : 0;
  }
  int rest = std::max(0, width - fixed);
  int x = 0, shared = 0;
  for (size_t i = 0; i < kept.size(); ++i) {
    PlacedColumn placed;
    placed.Format = kept[i];
    placed.Left = x;
    if (kept.size() == 1) {
      placed.Width = width;
    } else if (kept[i].Width > 0) {
      placed.Width = kept[i].Width;
    } else {
      placed.Width = rest / zeros + (shared < rest % zeros ? 1 : 0);
      ++shared;
    }
    if (i + 1 == kept.size()) placed.Width = std::max(placed.Width, width - x);
    placed.Width = std::max(0, std::min(placed.Width, width - x));
    x += placed.Width + 1;
    layout.Columns.push_back(placed);
  }
  return layout;
}

std::string CellText(const ColumnFormat &column, const PanelRow &row, int width) {
  switch (column.Kind) {
    case ColumnKind::Name: {
      std::string name = row.Name;
      size_t slash = name.find_last_of(std::string("/") + kPathSeparator);
      if (column.NoPath && slash != std::string::npos && slash + 1 < name.size())
        name = name.substr(slash + 1);
      if (column.Marks) name = std::string(row.Selected ? "*" : " ") + name;
      return FitText(name, width, column.RightAlign, true);
    }
    case ColumnKind::Description:
      // Marked when cut: a cut tag ("zlib-1_2_5" of "zlib-1_2_5-fixes")
      // would read as another one.
      return FitText(row.Description, width, false, true);
    case ColumnKind::Custom: {
      size_t index = static_cast<size_t>(column.Custom);
      // Marked when cut, as names are: a cut revision would read as another.
      return FitText(index < row.CustomColumns.size() ? row.CustomColumns[index] : "", width, false,
                     true);
    }
    case ColumnKind::Size:
      return FitText(SizeText(row, width), width, true, false);
    case ColumnKind::Date:
    case ColumnKind::Time:
    case ColumnKind::Modified:
      return FitText(TimeText(column.Kind, row.WriteTime), width, true, false);
    default:
      return FitText("", width, false, false);
  }
}

}  // namespace hostcore
