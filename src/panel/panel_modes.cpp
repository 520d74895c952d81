// How a panel describes itself to the host: title, flags, the info lines
// about CVS roots, the six view modes and the key bar.  The tables are
// shared by all panels; each description rewrites the parts that vary.
#include <string.h>

#include <algorithm>

#include "far/field_text.hpp"
#include "os/os.hpp"
#include "panel/cvs_panel.hpp"
#include "texts/messages.hpp"

namespace {

// The host takes these as writable texts but only reads them.
char *Text(const char *text) { return const_cast<char *>(text); }
char **Titles(const char **titles) { return const_cast<char **>(titles); }

// The column titles of each mode by message number, and the texts handed to
// the host, fetched anew at each description (they must outlive the call).
const int kNoTitle = -1;
const int kTitleIds[6][7] = {
    {MColumnName, MColumnOption, MColumnWRev, MColumnStatus, MColumnDate, kNoTitle},
    {MColumnName, MColumnState, MColumnName, MColumnState, MColumnName, MColumnState, kNoTitle},
    {MColumnName, MColumnState, MColumnName, MColumnState, kNoTitle},
    {MColumnName, MColumnStatus, MColumnWorkRev, MColumnOption, MColumnSize, kNoTitle},
    {MColumnState, MColumnName, MColumnRevision, kNoTitle},
    {MColumnName, MColumnStatus, MColumnSize, MColumnModified, MColumnWorkRev, MColumnRepRev,
     MColumnOption},
};
const char *kTitles0[5];
const char *kTitles1[6];
const char *kTitles2[4];
const char *kTitles3[5];
const char *kTitles4[3];
const char *kTitles5[7];
const char **const kTitles[6] = {kTitles0, kTitles1, kTitles2, kTitles3, kTitles4, kTitles5};

void FetchTitles() {
  for (int mode = 0; mode < 6; ++mode) {
    for (int column = 0; column < 7 && kTitleIds[mode][column] != kNoTitle; ++column)
      kTitles[mode][column] = MessageText(kTitleIds[mode][column]);
  }
}

// Custom columns: C0 letter, C1 working revision, C2 repository revision,
// C3 keyword option; Z is the status description.  A revision column holds
// 8 cells (10 where the panel has the whole screen), so that branch
// revisions such as 1.17.2.1 fit: cut, a revision reads as another one of
// the same file.
// clang-format off
const PanelMode kPanelModes[6] = {
    {Text("NOM,C3,C1,Z,D"), Text("0,3,8,0,5"), Titles(kTitles0), 0, 0, 1, 0, Text("NOR,Z"),
     Text("0,0"), {0, 0}},
    {Text("NO,C0,NO,C0,NO,C0"), Text("0,1,0,1,0,1"), Titles(kTitles1), 0, 0, 0, 0,
     Text("NOR,C1,S,D,T"), Text("0,8,5,5,5"), {0, 0}},
    {Text("NO,C0,NO,C0"), Text("0,1,0,1"), Titles(kTitles2), 0, 0, 0, 0, Text("NOR,C1,S,D,T"),
     Text("0,8,5,5,5"), {0, 0}},
    {Text("NO,Z,C1,C3,S"), Text("0,10,8,3,5"), Titles(kTitles3), 0, 0, 1, 0, Text("C0,NOR,D,T"),
     Text("1,0,0,5"), {0, 0}},
    {Text("C0,NO,C1"), Text("1,0,8"), Titles(kTitles4), 0, 0, 0, 0, Text("NOR,C1,S,D,T"),
     Text("0,8,5,5,5"), {0, 0}},
    {Text("NO,Z,S,DM,C1,C2,C3"), Text("0,0,6,14,10,10,3"), Titles(kTitles5), 1, 0, 1, 0,
     Text("C0,NR"), Text("1,0"), {0, 0}},
};
// clang-format on

// The fourth line is shown only where the panel does not run cvs, or where
// its last run did not give the states of every file; the lines of cvs
// that say why go on as many more lines as they take.
const int kReasonLines = 12;
InfoPanelLine infoLines[3 + kReasonLines] = {
    {"", "", 1},
    {"", "", 0},
    {"", "", 0},
};

// Puts `text` ("\n" between its lines) into the data of the info lines
// from `first` on, each line whole over as many fields as it fills; the
// number of info lines used.
int SpreadOverLines(const std::string &text, int first) {
  const size_t room = sizeof infoLines[0].Data - 1;
  int at = first;
  size_t start = 0;
  while (at < 3 + kReasonLines) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const size_t piece = std::min(room, end - start);
    if (at > first) CopyToField(infoLines[at].Text, "");
    CopyToField(infoLines[at].Data, text.substr(start, piece));
    ++at;
    start += piece;
    if (start == end) {
      if (end >= text.size()) break;
      start = end + 1;
    }
  }
  return at;
}

// Every label stays the host's own.
const KeyBarTitles kKeyBar = {};

const DWORD kPanelFlags = OPIF_USESORTGROUPS | OPIF_USEHIGHLIGHTING | OPIF_ADDDOTS | OPIF_REALNAMES;

}  // namespace

void CvsPanel::DescribePanel(OpenPluginInfo *info) {
  info->StructSize = sizeof(OpenPluginInfo);
  info->Flags = kPanelFlags;
  CopyToField(Title, "CVS:" + Directory);
  info->PanelTitle = Title;
  info->ShortcutData = Title;
  info->CurDir = Directory.c_str();

  CopyToField(infoLines[0].Text, MessageText(MInfoRoots));
  CopyToField(infoLines[1].Text, MessageText(MInfoDefaultRoot));
  CopyToField(infoLines[2].Text, MessageText(MInfoCurrentRoot));
  std::string defaultRoot;
  if (!os::GetEnv("CVSROOT", defaultRoot)) defaultRoot = MessageText(MInfoNotDefined);
  CopyToField(infoLines[1].Data, defaultRoot);
  CopyToField(infoLines[2].Data, CvsRoot);
  const bool refused = !CvsRefusal.empty();
  CopyToField(infoLines[3].Text, MessageText(refused ? MInfoNotRun : MInfoNotRead));
  const int lines = SpreadOverLines(refused ? CvsRefusal : StatesNotRead, 3);
  info->InfoLines = infoLines;
  info->InfoLinesNumber = refused || !StatesNotRead.empty() ? lines : 3;

  FetchTitles();
  info->PanelModesArray = kPanelModes;
  info->PanelModesNumber = 6;
  info->StartPanelMode = '0' + StartViewMode;
  info->KeyBar = &kKeyBar;
}
