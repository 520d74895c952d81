// FAR Manager 1.70 plug-in interface (ANSI): the host's records, constants and
// service signatures in their published field order.
//
// Self-contained: a host program or the module includes this header alone.
// On 32-bit Windows every record is packed to 2 bytes and its size is checked
// against the host's; on other platforms the natural layout is used, since
// only our own stand-in host reads the records there.
#ifndef QUILLET_FAR_API_HPP
#define QUILLET_FAR_API_HPP

#include <stddef.h>
#include <stdint.h>

#ifdef _WIN32
#include <windows.h>
#define FARAPI WINAPI
#define FARAPIV __cdecl
#else
typedef uint32_t DWORD;
typedef void *HANDLE;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef int32_t LONG;
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
struct RECT {
  LONG left, top, right, bottom;
};
#define FARAPI
#define FARAPIV
#ifndef INVALID_HANDLE_VALUE
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)
#endif
#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#ifndef FILE_ATTRIBUTE_READONLY
#define FILE_ATTRIBUTE_READONLY 0x1
#define FILE_ATTRIBUTE_HIDDEN 0x2
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_ARCHIVE 0x20
#define FILE_ATTRIBUTE_NORMAL 0x80
#define FILE_ATTRIBUTE_COMPRESSED 0x800
#define FILE_ATTRIBUTE_OFFLINE 0x1000
#endif
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_F3 0x72
#define VK_F4 0x73
#endif

#define NM 260

#ifdef _WIN32
#pragma pack(push, 2)
#endif

enum {
  OPEN_DISKMENU = 0,
  OPEN_PLUGINSMENU = 1,
  OPEN_FINDLIST = 2,
  OPEN_SHORTCUT = 3,
  OPEN_COMMANDLINE = 4,
  OPEN_EDITOR = 5,
  OPEN_VIEWER = 6
};

enum { PTYPE_FILEPANEL = 0, PTYPE_TREEPANEL = 1, PTYPE_QVIEWPANEL = 2, PTYPE_INFOPANEL = 3 };

enum {
  FCTL_CLOSEPLUGIN = 0,
  FCTL_GETPANELINFO = 1,
  FCTL_GETANOTHERPANELINFO = 2,
  FCTL_UPDATEPANEL = 3,
  FCTL_UPDATEANOTHERPANEL = 4,
  FCTL_REDRAWPANEL = 5,
  FCTL_REDRAWANOTHERPANEL = 6,
  FCTL_SETANOTHERPANELDIR = 7,
  FCTL_GETCMDLINE = 8,
  FCTL_SETCMDLINE = 9,
  FCTL_SETSELECTION = 10,
  FCTL_SETANOTHERSELECTION = 11,
  FCTL_SETVIEWMODE = 12,
  FCTL_SETANOTHERVIEWMODE = 13,
  FCTL_INSERTCMDLINE = 14
};

enum {
  OPIF_USEFILTER = 0x1,
  OPIF_USESORTGROUPS = 0x2,
  OPIF_USEHIGHLIGHTING = 0x4,
  OPIF_ADDDOTS = 0x8,
  OPIF_RAWSELECTION = 0x10,
  OPIF_REALNAMES = 0x20,
  OPIF_SHOWNAMESONLY = 0x40
};

#define PPIF_PROCESSDESCR 0x80000000u
#define PPIF_SELECTED 0x40000000u
#define PPIF_USERDATA 0x20000000u

enum {
  DI_TEXT = 0,
  DI_VTEXT = 1,
  DI_SINGLEBOX = 2,
  DI_DOUBLEBOX = 3,
  DI_EDIT = 4,
  DI_PSWEDIT = 5,
  DI_FIXEDIT = 6,
  DI_BUTTON = 7,
  DI_CHECKBOX = 8,
  DI_RADIOBUTTON = 9
};

enum {
  DIF_GROUP = 0x400,
  DIF_CENTERGROUP = 0x4000,
  DIF_SEPARATOR = 0x10000,
  DIF_HISTORY = 0x40000,
  DIF_USELASTHISTORY = 0x200000,
  DIF_SELECTONENTRY = 0x800000
};

enum {
  DM_CLOSE = 1,
  DN_CLOSE = 1,
  DM_KEY = 9,
  DN_KEY = 9,
  DN_FIRST = 0x1000,
  DN_BTNCLICK = 0x1001,
  DN_INITDIALOG = 0x100C
};

enum {
  FMSG_WARNING = 0x1,
  FMSG_ERRORTYPE = 0x2,
  FMSG_LEFTALIGN = 0x10,
  FMSG_ALLINONE = 0x20,
  FMSG_MB_OK = 0x10000,
  FMSG_MB_OKCANCEL = 0x20000
};

enum { FMENU_SHOWAMPERSAND = 0x1, FMENU_WRAPMODE = 0x2, FMENU_AUTOHIGHLIGHT = 0x4 };

enum {
  EF_NONMODAL = 0x1,
  EF_CREATENEW = 0x2,
  EF_ENABLE_F6 = 0x4,
  EF_DISABLEHISTORY = 0x8,
  EF_DELETEONCLOSE = 0x10
};

enum { EEC_OPEN_ERROR = 0, EEC_MODIFIED = 1, EEC_NOT_MODIFIED = 2, EEC_LOADING_INTERRUPTED = 3 };

enum { ACTL_GETFARVERSION = 0, ACTL_POSTKEYSEQUENCE = 8 };

enum { PKF_CONTROL = 0x1, PKF_ALT = 0x2, PKF_SHIFT = 0x4 };

#define KEY_CTRL 0x01000000u
#define KEY_ALT 0x02000000u
#define KEY_SHIFT 0x04000000u

// Version 1.70: major in the high byte, minor in the low byte.
#define FARMANAGERVERSION 0x146

// The find-data record, declared here so that it takes the host's packing.
struct FAR_FIND_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[MAX_PATH];
  char cAlternateFileName[14];
};

struct PluginPanelItem {
  FAR_FIND_DATA FindData;
  DWORD PackSizeHigh;
  DWORD PackSize;
  DWORD Flags;
  DWORD NumberOfLinks;
  char *Description;
  char *Owner;
  char **CustomColumnData;
  int CustomColumnNumber;
  DWORD_PTR UserData;
  DWORD CRC32;
  DWORD_PTR Reserved[2];
};

struct PanelInfo {
  int PanelType;
  int Plugin;
  RECT PanelRect;
  PluginPanelItem *PanelItems;
  int ItemsNumber;
  PluginPanelItem *SelectedItems;
  int SelectedItemsNumber;
  int CurrentItem;
  int TopPanelItem;
  int Visible;
  int Focus;
  int ViewMode;
  char ColumnTypes[80];
  char ColumnWidths[80];
  char CurDir[NM];
  int ShortNames;
  int SortMode;
  DWORD Flags;
  DWORD Reserved;
};

struct PluginInfo {
  int StructSize;
  DWORD Flags;
  const char *const *DiskMenuStrings;
  int *DiskMenuNumbers;
  int DiskMenuStringsNumber;
  const char *const *PluginMenuStrings;
  int PluginMenuStringsNumber;
  const char *const *PluginConfigStrings;
  int PluginConfigStringsNumber;
  const char *CommandPrefix;
  DWORD Reserved;
};

struct InfoPanelLine {
  char Text[80];
  char Data[80];
  int Separator;
};

struct PanelMode {
  char *ColumnTypes;
  char *ColumnWidths;
  char **ColumnTitles;
  int FullScreen;
  int DetailedStatus;
  int AlignExtensions;
  int CaseConversion;
  char *StatusColumnTypes;
  char *StatusColumnWidths;
  DWORD Reserved[2];
};

struct KeyBarTitles {
  char *Titles[12];
  char *CtrlTitles[12];
  char *AltTitles[12];
  char *ShiftTitles[12];
  char *CtrlShiftTitles[12];
  char *AltShiftTitles[12];
  char *CtrlAltTitles[12];
};

struct OpenPluginInfo {
  int StructSize;
  DWORD Flags;
  const char *HostFile;
  const char *CurDir;
  const char *Format;
  const char *PanelTitle;
  const InfoPanelLine *InfoLines;
  int InfoLinesNumber;
  const char *const *DescrFiles;
  int DescrFilesNumber;
  const PanelMode *PanelModesArray;
  int PanelModesNumber;
  int StartPanelMode;
  int StartSortMode;
  int StartSortOrder;
  const KeyBarTitles *KeyBar;
  const char *ShortcutData;
  long Reserved;
};

struct FarMenuItem {
  char Text[128];
  int Selected;
  int Checked;
  int Separator;
};

struct FarDialogItem {
  int Type;
  int X1, Y1, X2, Y2;
  int Focus;
  union {
    int Selected;
    const char *History;
  };
  DWORD Flags;
  int DefaultButton;
  char Data[512];
};

struct KeySequence {
  DWORD Flags;
  int Count;
  DWORD *Sequence;
};

struct CharTableSet {
  unsigned char DecodeTable[256];
  unsigned char EncodeTable[256];
  unsigned char UpperTable[256];
  unsigned char LowerTable[256];
  char TableName[128];
};

// Service signatures.
typedef LONG_PTR(FARAPI *FARWINDOWPROC)(HANDLE hDlg, int Msg, int Param1, LONG_PTR Param2);
typedef int(FARAPI *FARAPIMENU)(INT_PTR PluginNumber, int X, int Y, int MaxHeight, DWORD Flags,
                                const char *Title, const char *Bottom, const char *HelpTopic,
                                const int *BreakKeys, int *BreakCode, const FarMenuItem *Item,
                                int ItemsNumber);
typedef int(FARAPI *FARAPIDIALOG)(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2,
                                  const char *HelpTopic, FarDialogItem *Item, int ItemsNumber);
typedef int(FARAPI *FARAPIDIALOGEX)(INT_PTR PluginNumber, int X1, int Y1, int X2, int Y2,
                                    const char *HelpTopic, FarDialogItem *Item, int ItemsNumber,
                                    DWORD Reserved, DWORD Flags, FARWINDOWPROC DlgProc,
                                    LONG_PTR Param);
typedef LONG_PTR(FARAPI *FARAPISENDDLGMESSAGE)(HANDLE hDlg, int Msg, int Param1, LONG_PTR Param2);
typedef LONG_PTR(FARAPI *FARAPIDEFDLGPROC)(HANDLE hDlg, int Msg, int Param1, LONG_PTR Param2);
typedef int(FARAPI *FARAPIMESSAGE)(INT_PTR PluginNumber, DWORD Flags, const char *HelpTopic,
                                   const char *const *Items, int ItemsNumber, int ButtonsNumber);
typedef const char *(FARAPI *FARAPIGETMSG)(INT_PTR PluginNumber, int MsgId);
typedef int(FARAPI *FARAPICONTROL)(HANDLE hPlugin, int Command, void *Param);
typedef int(FARAPI *FARAPIEDITOR)(const char *FileName, const char *Title, int X1, int Y1, int X2,
                                  int Y2, DWORD Flags, int StartLine, int StartChar);
typedef INT_PTR(FARAPI *FARAPIADVCONTROL)(INT_PTR ModuleNumber, int Command, void *Param);
typedef int(FARAPI *FARAPICHARTABLE)(int Command, char *Buffer, int BufferSize);
typedef char *(FARAPI *FARSTDPOINTTONAME)(const char *Path);
// Slots the module never calls keep their place as untyped pointers.
typedef void(FARAPI *FARAPIUNUSED)(void);

struct FarStandardFunctions {
  int StructSize;
  FARAPIUNUSED atoi, atoi64, itoa, itoa64, sprintf, sscanf, qsort, bsearch, qsortex, snprintf;
  DWORD_PTR Reserved[8];
  FARAPIUNUSED LIsLower, LIsUpper, LIsAlpha, LIsAlphanum, LUpper, LLower, LUpperBuf, LLowerBuf,
      LStrupr, LStrlwr, LStricmp, LStrnicmp;
  FARAPIUNUSED Unquote, ExpandEnvironmentStr, LTrim, RTrim, Trim, TruncStr, TruncPathStr,
      QuoteSpaceOnly;
  FARSTDPOINTTONAME PointToName;
  FARAPIUNUSED GetPathRoot, AddEndSlash, CopyToClipboard, PasteFromClipboard, FarKeyToName,
      FarNameToKey, FarInputRecordToKey, XLat, GetFileOwner, GetNumberOfLinks, FarRecursiveSearch,
      MkTemp, DeleteBuffer, ProcessName, MkLink, ConvertNameToReal, GetReparsePointInfo;
};

struct PluginStartupInfo {
  int StructSize;
  char ModuleName[NM];
  INT_PTR ModuleNumber;
  const char *RootKey;
  FARAPIMENU Menu;
  FARAPIDIALOG Dialog;
  FARAPIMESSAGE Message;
  FARAPIGETMSG GetMsg;
  FARAPICONTROL Control;
  FARAPIUNUSED SaveScreen, RestoreScreen, GetDirList, GetPluginDirList, FreeDirList, Viewer;
  FARAPIEDITOR Editor;
  FARAPIUNUSED CmpName;
  FARAPICHARTABLE CharTable;
  FARAPIUNUSED Text, EditorControl;
  FarStandardFunctions *FSF;
  FARAPIUNUSED ShowHelp;
  FARAPIADVCONTROL AdvControl;
  FARAPIUNUSED InputBox;
  FARAPIDIALOGEX DialogEx;
  FARAPISENDDLGMESSAGE SendDlgMessage;
  FARAPIDEFDLGPROC DefDlgProc;
  DWORD_PTR Reserved;
  FARAPIUNUSED ViewerControl;
};

#ifdef _WIN32
#pragma pack(pop)
#endif

// Exported entry points of a plug-in module.
typedef void(FARAPI *PFN_SetStartupInfo)(const PluginStartupInfo *Info);
typedef void(FARAPI *PFN_GetPluginInfo)(PluginInfo *Info);
typedef int(FARAPI *PFN_GetMinFarVersion)(void);
typedef HANDLE(FARAPI *PFN_OpenPlugin)(int OpenFrom, INT_PTR Item);
typedef void(FARAPI *PFN_ClosePlugin)(HANDLE hPlugin);
typedef void(FARAPI *PFN_GetOpenPluginInfo)(HANDLE hPlugin, OpenPluginInfo *Info);
typedef int(FARAPI *PFN_GetFindData)(HANDLE hPlugin, PluginPanelItem **pPanelItem,
                                     int *pItemsNumber, int OpMode);
typedef void(FARAPI *PFN_FreeFindData)(HANDLE hPlugin, PluginPanelItem *PanelItem, int ItemsNumber);
typedef int(FARAPI *PFN_SetDirectory)(HANDLE hPlugin, const char *Dir, int OpMode);
typedef int(FARAPI *PFN_ProcessKey)(HANDLE hPlugin, int Key, unsigned int ControlState);

#if defined(_WIN32) && !defined(_WIN64)
#define FAR_CHECK_SIZE(T, N) static_assert(sizeof(T) == (N), #T " must match the host's layout")
FAR_CHECK_SIZE(FAR_FIND_DATA, 318);
FAR_CHECK_SIZE(PluginPanelItem, 366);
FAR_CHECK_SIZE(PanelInfo, 496);
FAR_CHECK_SIZE(PluginInfo, 44);
FAR_CHECK_SIZE(InfoPanelLine, 164);
FAR_CHECK_SIZE(PanelMode, 44);
FAR_CHECK_SIZE(KeyBarTitles, 336);
FAR_CHECK_SIZE(OpenPluginInfo, 72);
FAR_CHECK_SIZE(FarMenuItem, 140);
FAR_CHECK_SIZE(FarDialogItem, 548);
FAR_CHECK_SIZE(KeySequence, 12);
FAR_CHECK_SIZE(CharTableSet, 1152);
FAR_CHECK_SIZE(FarStandardFunctions, 228);
FAR_CHECK_SIZE(PluginStartupInfo, 372);
#undef FAR_CHECK_SIZE
// A few fields whose place a misread layout would move.
static_assert(offsetof(PluginStartupInfo, FSF) == 336, "FSF slot");
static_assert(offsetof(PluginStartupInfo, DialogEx) == 352, "DialogEx slot");
static_assert(offsetof(FarStandardFunctions, PointToName) == 156, "PointToName slot");
static_assert(offsetof(PluginPanelItem, UserData) == 350, "UserData field");
static_assert(offsetof(PanelInfo, CurDir) == 220, "CurDir field");
static_assert(offsetof(FarDialogItem, Data) == 36, "Data field");
static_assert(offsetof(OpenPluginInfo, ShortcutData) == 64, "ShortcutData field");
#endif

#endif
