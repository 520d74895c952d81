// The core's editing models: one line (command line, dialog edit lines),
// the text document of the viewer and the editor, and text as a screen
// shows it (UTF-8 characters, stray bytes, tabs).
#include <gtest/gtest.h>
#include <locale.h>

#include "core/line_edit.hpp"
#include "core/screen_text.hpp"
#include "core/text_document.hpp"
#include "test_support.hpp"

namespace {

using hostcore::KeyPress;
namespace vk = hostcore::vk;

void Type(hostcore::LineEdit &line, const std::string &text) {
  for (char c : text)
    hostcore::EditLineKey(line, hostcore::CharacterKey(static_cast<unsigned char>(c)));
}

TEST(LineEditTest, TypingMovingAndErasingKeepWholeCharacters) {
  hostcore::LineEdit line = hostcore::NewLineEdit("t\xC3\xA9st");  // "tést"
  EXPECT_EQ(5u, line.Cursor);
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Left));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Left));
  EXPECT_EQ(3u, line.Cursor);  // before "s": the two bytes of "é" are one step
  bool changed = false;
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Back), &changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ("tst", line.Text);
  EXPECT_EQ(1u, line.Cursor);
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Delete));
  EXPECT_EQ("tt", line.Text);
  Type(line, "ag-1");
  EXPECT_EQ("tag-1t", line.Text);
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::End));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Home), &changed);
  EXPECT_FALSE(changed);
  EXPECT_EQ(0u, line.Cursor);
  // Keys that are not the line's are left to the caller.
  EXPECT_FALSE(hostcore::EditLineKey(line, hostcore::KeyOf(vk::F(3))));
  EXPECT_FALSE(hostcore::EditLineKey(line, hostcore::KeyOf('S', PKF_CONTROL)));
  hostcore::EditLineKey(line, hostcore::KeyOf('Y', PKF_CONTROL));
  EXPECT_EQ("", line.Text);
}

TEST(LineEditTest, SelectedOnEntryTypingReplacesAMoveKeeps) {
  hostcore::LineEdit line = hostcore::NewLineEdit("old-tag", 0, true);
  Type(line, "n");
  EXPECT_EQ("n", line.Text);
  line = hostcore::NewLineEdit("old-tag", 0, true);
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Home));
  Type(line, "x");
  EXPECT_EQ("xold-tag", line.Text);
  line = hostcore::NewLineEdit("old-tag", 0, true);
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Back));
  EXPECT_EQ("", line.Text);
  // Typing over a selection of a full field still fits the field.
  line = hostcore::NewLineEdit("abcd", 4, true);
  Type(line, "xy");
  EXPECT_EQ("xy", line.Text);
}

TEST(LineEditTest, ShiftSelectsAndTypingBackspaceOrDelReplaceOnlyTheSelection) {
  const KeyPress shiftLeft = hostcore::KeyOf(vk::Left, PKF_SHIFT);
  hostcore::LineEdit line = hostcore::NewLineEdit("r\xC3\xA9vision");  // "révision"
  for (int i = 0; i < 6; ++i) hostcore::EditLineKey(line, shiftLeft);
  EXPECT_EQ("vision", line.Text.substr(hostcore::SelectionStart(line),
                                       hostcore::SelectionEnd(line) - hostcore::SelectionStart(line)));
  Type(line, "X");
  EXPECT_EQ("r\xC3\xA9X", line.Text);
  EXPECT_FALSE(hostcore::HasSelection(line));
  // Backspace over a selection made rightwards from the start takes only it.
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Home));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Right, PKF_SHIFT));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Right, PKF_SHIFT));
  bool changed = false;
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Back), &changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ("X", line.Text);
  EXPECT_EQ(0u, line.Cursor);
  // Del likewise; Shift+End selects to the end.
  line = hostcore::NewLineEdit("keep-drop");
  for (int i = 0; i < 4; ++i) hostcore::EditLineKey(line, hostcore::KeyOf(vk::Left));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Home, PKF_SHIFT));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Delete));
  EXPECT_EQ("drop", line.Text);
  // A move without Shift ends the selection and keeps the text.
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::End, PKF_SHIFT));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Left));
  EXPECT_FALSE(hostcore::HasSelection(line));
  hostcore::EditLineKey(line, hostcore::KeyOf(vk::Back));
  EXPECT_EQ("drp", line.Text);
}

TEST(LineEditTest, TextIsCutToTheFieldAtACharacterBoundary) {
  hostcore::LineEdit line = hostcore::NewLineEdit("", 4);
  Type(line, "ab");
  hostcore::EditLineKey(line, hostcore::CharacterKey(0xE9));
  hostcore::EditLineKey(line, hostcore::CharacterKey(0xE9));  // the second "é" does not fit
  EXPECT_EQ("ab\xC3\xA9", line.Text);
  hostcore::SetLineText(line, "abc\xC3\xA9");
  EXPECT_EQ("abc", line.Text);
  EXPECT_EQ(3u, line.Cursor);
}

TEST(LineEditTest, TheWindowFollowsTheCursor) {
  hostcore::LineEdit line = hostcore::NewLineEdit("0123456789");
  EXPECT_EQ(6, hostcore::LineScroll(line, 5, 0));  // the cursor after "9" in the last cell
  line.Cursor = 2;
  EXPECT_EQ(2, hostcore::LineScroll(line, 5, 6));
  EXPECT_EQ(0, hostcore::LineScroll(line, 5, 0));
}

// Widths come from the C library, as the terminal's do: in a UTF-8 locale.
const bool kUtf8Locale = setlocale(LC_CTYPE, "C.UTF-8") != nullptr;

TEST(ScreenTextTest, WhatMustNotReachTheTerminalShowsEscapedAndWideTakesTwoCells) {
  ASSERT_TRUE(kUtf8Locale);
  const struct {
    std::string Text, Shown;
    int Cells;
  } kCases[] = {
      {"caf\xE9.txt", "caf\\xE9.txt", 11},                  // Latin-1, not UTF-8
      {"a\x01-\x7F\tb", "a^A-^?^Ib", 9},                       // controls, a tab
      {"exe.\xE2\x80\xAEtxt", "exe.\\u202Etxt", 13},         // right-to-left override
      {"a\xE2\x80\x8B" "b\xEF\xBB\xBF", "a\\u200Bb\\uFEFF", 14},  // zero-width, BOM
      {"\xC2\x9B" "2J", "\\u009B2J", 8},                        // C1 control sequence
      {"\xCC\x81" "e\xCC\x81", "\\u0301e\xCC\x81", 7},          // a mark with nothing under it
      {"\xE5\x90\x8D\xE5\x89\x8D.txt", "\xE5\x90\x8D\xE5\x89\x8D.txt", 8},  // CJK
      {"\xE2\x82\xAC\xC3\xA9", "\xE2\x82\xAC\xC3\xA9", 2},
  };
  for (const auto &c : kCases) {
    std::string shown = hostcore::ShowableText(c.Text);
    EXPECT_EQ(c.Shown, shown) << c.Text;
    EXPECT_EQ(c.Cells, hostcore::TextWidth(c.Text)) << c.Text;
    // The showable form shows as itself, in as many cells.
    EXPECT_EQ(shown, hostcore::ShowableText(shown));
    EXPECT_EQ(c.Cells, hostcore::TextWidth(shown));
    EXPECT_EQ(hostcore::CellsBefore(c.Text, c.Text.size()), hostcore::CellsBefore(shown, shown.size()))
        << c.Text;
  }
  // Overlong forms and surrogates are not characters.
  EXPECT_EQ(0u, hostcore::Utf8Length("\xC0\xAF", 0));
  EXPECT_EQ(0u, hostcore::Utf8Length("\xED\xA0\x80", 0));
  EXPECT_EQ(3u, hostcore::Utf8Length("\xE2\x82\xAC", 0));
  EXPECT_EQ(0u, hostcore::Utf8Length("\xE2\x82", 0));  // cut short
}

TEST(ScreenTextTest, FittingNeverSplitsAWideCharacterOrAnEscapeOverTheWidth) {
  ASSERT_TRUE(kUtf8Locale);
  const std::string kName = "\xE5\x90\x8D\xE5\x89\x8D\xE5\x90\x8D";  // three wide characters
  const struct {
    std::string Text;
    int Width;
    bool Right, MarkCut;
    std::string Fitted;
  } kCases[] = {
      {kName, 5, false, true, "\xE5\x90\x8D\xE5\x89\x8D}"},
      {kName, 5, false, false, "\xE5\x90\x8D\xE5\x89\x8D "},
      {kName, 4, false, true, "\xE5\x90\x8D }"},  // the half that would not fit is a blank
      {"\xE5\x90\x8D", 3, true, false, " \xE5\x90\x8D"},
      {"a\xFF", 4, false, true, "a\\x}"},
  };
  for (const auto &c : kCases) {
    std::string fitted = hostcore::FitText(c.Text, c.Width, c.Right, c.MarkCut);
    EXPECT_EQ(c.Fitted, fitted) << c.Text << " in " << c.Width;
    EXPECT_EQ(c.Width, hostcore::TextWidth(fitted));
  }
  EXPECT_EQ(" \xE5\x89\x8D", hostcore::CellSlice(kName, 1, 3));
  EXPECT_EQ(0u, hostcore::ByteAtCell(kName, 1));
  EXPECT_EQ(3u, hostcore::ByteAtCell(kName, 2));
}

TEST(ScreenTextTest, TabsAndSlicesByCell) {
  std::string line = "a\tb\xC3\xA9z";
  EXPECT_EQ(8, hostcore::CellsBefore(line, 2));
  EXPECT_EQ(10, hostcore::CellsBefore(line, 5));
  EXPECT_EQ(2u, hostcore::ByteAtCell(line, 8));
  EXPECT_EQ(1u, hostcore::ByteAtCell(line, 5));  // inside the tab
  EXPECT_EQ("   b\xC3\xA9z  ", hostcore::CellSlice(line, 5, 8));
  EXPECT_EQ("a  ", hostcore::CellSlice(line, 0, 3));
  EXPECT_EQ(3u, hostcore::PreviousCharacter(line, 5));  // the two bytes of "é"
  EXPECT_EQ(5u, hostcore::PreviousCharacter(line, 6));
  EXPECT_EQ(6u, hostcore::NextCharacter(line, 5));
}

class TextDocumentTest : public ::testing::Test {
 protected:
  hostcore::TextDocument Load(const std::string &content) {
    testsupport::WriteFile(path, content);
    hostcore::TextDocument document;
    std::string error;
    EXPECT_TRUE(hostcore::LoadDocument(path, document, error)) << error;
    return document;
  }
  std::string Save(hostcore::TextDocument &document) {
    std::string error;
    EXPECT_TRUE(hostcore::SaveDocument(path, document, error)) << error;
    return testsupport::ReadFile(path);
  }
  testsupport::TempDir dir;
  std::string path = dir / "file.txt";
};

TEST_F(TextDocumentTest, LineEndsComeBackAsTheFileHadThem) {
  for (const std::string content : {"one\ntwo\n", "one\ntwo", "one\r\ntwo\r\n", "", "\n", "only",
                                    "mixed\r\nends\nhere\r\n", "lone\rreturn\n\r\n"}) {
    hostcore::TextDocument document = Load(content);
    EXPECT_EQ(content, hostcore::DocumentText(document)) << content;
  }
  // An edit changes its own line only: a first line with CR LF does not
  // give every line CR LF.  A split line's parts both keep its end; the
  // last line's first part takes the file's first end.
  hostcore::TextDocument mixed = Load("first\r\nsecond\nthird");
  mixed.Row = 1;
  hostcore::DocumentKey(mixed, hostcore::CharacterKey('x'), 10);
  EXPECT_EQ("first\r\nxsecond\nthird", Save(mixed));
  mixed.Row = 0;
  mixed.Column = 2;
  hostcore::DocumentKey(mixed, hostcore::KeyOf(vk::Return), 10);
  hostcore::DocumentKey(mixed, hostcore::KeyOf(vk::End, PKF_CONTROL), 10);
  hostcore::DocumentKey(mixed, hostcore::KeyOf(vk::Return), 10);
  EXPECT_EQ("fi\r\nrst\r\nxsecond\nthird\r\n", hostcore::DocumentText(mixed));
  // Joining takes the lower line's end.
  mixed.Row = 2;
  mixed.Column = 0;
  hostcore::DocumentKey(mixed, hostcore::KeyOf(vk::Back), 10);
  EXPECT_EQ("fi\r\nrstxsecond\nthird\r\n", hostcore::DocumentText(mixed));
  hostcore::TextDocument crlf = Load("a\r\nb\r\n");
  EXPECT_EQ((std::vector<std::string>{"a", "b", ""}), crlf.Lines);
  std::string error;
  hostcore::TextDocument missing;
  EXPECT_FALSE(hostcore::LoadDocument(dir / "none", missing, error));
  EXPECT_NE(std::string::npos, error.find("none"));
  // A pipe is refused rather than waited on.
  ASSERT_EQ(0, testsupport::Shell("mkfifo " + testsupport::ShellQuote(dir / "pipe")));
  EXPECT_FALSE(hostcore::LoadDocument(dir / "pipe", missing, error));
  EXPECT_FALSE(hostcore::LoadDocument(dir.Path(), missing, error));
}

TEST_F(TextDocumentTest, DeletingALineTakesItsEndAndLeavesTheOthersAsTheyWere) {
  hostcore::TextDocument document = Load("one\r\ntwo\nthree");
  document.Row = 1;
  document.Column = 2;
  hostcore::DeleteDocumentLine(document);
  EXPECT_TRUE(document.Modified);
  EXPECT_EQ(1, document.Row);
  EXPECT_EQ(0u, document.Column);
  EXPECT_EQ("one\r\nthree", Save(document));
  // The last line has no end: it is emptied, and the line above keeps its own.
  hostcore::DeleteDocumentLine(document);
  EXPECT_EQ("one\r\n", hostcore::DocumentText(document));
  document.Row = 0;
  hostcore::DeleteDocumentLine(document);
  hostcore::DeleteDocumentLine(document);
  EXPECT_EQ("", hostcore::DocumentText(document));
  EXPECT_EQ(1u, document.Lines.size());
  // Locked text stays.
  hostcore::TextDocument locked = Load("a\nb\n");
  locked.ReadOnly = true;
  hostcore::DeleteDocumentLine(locked);
  EXPECT_EQ("a\nb\n", hostcore::DocumentText(locked));
  EXPECT_FALSE(locked.Modified);
}

TEST_F(TextDocumentTest, TypingAMessageAboveTheTemplateAndSaving) {
  hostcore::TextDocument document = Load(": ----\n: Modified and Added Files:\n");
  for (char c : std::string("Fix the greeting"))
    hostcore::DocumentKey(document, hostcore::CharacterKey(static_cast<unsigned char>(c)), 10);
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Return), 10);
  EXPECT_TRUE(document.Modified);
  EXPECT_EQ(1, document.Row);
  EXPECT_EQ("Fix the greeting\n: ----\n: Modified and Added Files:\n", Save(document));
  EXPECT_FALSE(document.Modified);
  // Backspace at a line's start joins it to the one above; Del at the end
  // joins the next.
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Back), 10);
  EXPECT_EQ("Fix the greeting: ----", document.Lines[0]);
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::End), 10);
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Delete), 10);
  EXPECT_EQ("Fix the greeting: ----: Modified and Added Files:", document.Lines[0]);
  EXPECT_EQ(2u, document.Lines.size());
}

TEST_F(TextDocumentTest, ALockedDocumentMovesButNeverChanges) {
  hostcore::TextDocument document = Load("line 1\nline 2\nline 3\n");
  document.ReadOnly = true;
  EXPECT_FALSE(hostcore::DocumentKey(document, hostcore::CharacterKey('x'), 10));
  EXPECT_FALSE(hostcore::DocumentKey(document, hostcore::KeyOf(vk::Return), 10));
  EXPECT_FALSE(hostcore::DocumentKey(document, hostcore::KeyOf(vk::Delete), 10));
  hostcore::InsertIntoDocument(document, "x");
  EXPECT_TRUE(hostcore::DocumentKey(document, hostcore::KeyOf(vk::Down), 10));
  EXPECT_TRUE(hostcore::DocumentKey(document, hostcore::KeyOf(vk::End, PKF_CONTROL), 10));
  EXPECT_EQ(3, document.Row);
  EXPECT_FALSE(document.Modified);
  EXPECT_EQ("line 1\nline 2\nline 3\n", hostcore::DocumentText(document));
}

TEST_F(TextDocumentTest, UpAndDownAimAtTheSameCellAndPagesMoveTheWindow) {
  std::string content;
  for (int i = 0; i < 100; ++i) content += (i == 1 ? "ab" : "abcdefgh") + std::string("\n");
  hostcore::TextDocument document = Load(content);
  document.Column = 6;
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Down), 20);
  EXPECT_EQ(2u, document.Column);  // the short line
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Down), 20);
  EXPECT_EQ(6u, document.Column);  // back to the cell aimed at
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Next), 20);
  EXPECT_EQ(21, document.Row);
  hostcore::KeepDocumentCursorVisible(document, 20, 80);
  EXPECT_LE(document.TopRow, document.Row);
  EXPECT_GT(document.TopRow + 20, document.Row);
  hostcore::DocumentKey(document, hostcore::KeyOf(vk::Home, PKF_CONTROL), 20);
  hostcore::KeepDocumentCursorVisible(document, 20, 80);
  EXPECT_EQ(0, document.TopRow);
}

TEST_F(TextDocumentTest, SearchFindsTheNextMatchWrapsRoundAndIgnoresCase) {
  hostcore::TextDocument document =
      Load("Index: hello.c\n- puts(\"hello\");\n+ puts(\"HELLO, world\");\n");
  ASSERT_TRUE(hostcore::FindInDocument(document, "hello", true));
  EXPECT_EQ(0, document.Row);
  EXPECT_EQ(7u, document.Column);
  ASSERT_TRUE(hostcore::FindInDocument(document, "hello", false));
  EXPECT_EQ(1, document.Row);
  ASSERT_TRUE(hostcore::FindInDocument(document, "hello", false));
  EXPECT_EQ(2, document.Row);
  ASSERT_TRUE(hostcore::FindInDocument(document, "hello", false));  // round the end
  EXPECT_EQ(0, document.Row);
  EXPECT_EQ(7u, document.Column);
  EXPECT_FALSE(hostcore::FindInDocument(document, "absent", false));
  EXPECT_EQ(0, document.Row);
  // A single match is found again from itself only when asked to include it.
  hostcore::TextDocument single = Load("one world\n");
  ASSERT_TRUE(hostcore::FindInDocument(single, "world", true));
  EXPECT_TRUE(hostcore::FindInDocument(single, "world", false));
  EXPECT_EQ(4u, single.Column);
}

}  // namespace
