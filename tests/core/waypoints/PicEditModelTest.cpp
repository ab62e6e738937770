#include "waypoints/PicEditModel.h"
#include "base/MemorySettingsStore.h"
#include "units/PositionFormatter.h"

#include <gtest/gtest.h>

namespace hw {
namespace {

using Key = PicEditModel::Key;
using Feedback = PicEditModel::Feedback;

// The degrees-minutes-seconds latitude field holding 12"34'56.789.
PicEditModel DmsField()
{
    PicEditModel m("99\"99'99.999");
    m.SetText("123456789");
    return m;
}

TEST(PicEditModelTest, MaskCompilesLiteralsEscapesAndKinds)
{
    PicEditModel m("99\"99'99.999");
    EXPECT_EQ(m.DisplayText(), "  \"  '  .   ");
    EXPECT_EQ(m.Caret(), 0);
    EXPECT_FALSE(m.IsEditable(2));
    EXPECT_EQ(m.NextEditable(1), 3);
    EXPECT_EQ(m.PreviousEditable(3), 1);
    EXPECT_EQ(m.LastEditable(), 11);
    EXPECT_EQ(m.NextEditable(11), -1);

    // "/" makes the following code a literal; U upper-cases.
    PicEditModel u("U/9");
    EXPECT_EQ(u.DisplayText(), " 9");
    EXPECT_EQ(u.TypeChar(U'q'), Feedback::None);
    EXPECT_EQ(u.DisplayText(), "Q9");
    EXPECT_EQ(u.GetText(), "Q");

    // L lower-cases, A takes letters only, N letters and digits, X anything
    // printable; a non-ASCII literal stays a literal.
    PicEditModel k("LANX°");
    k.SetText("Zz9é");
    EXPECT_EQ(k.DisplayText(), "zz9é°");
    k.SetText("A5");
    EXPECT_EQ(k.GetText(), "a   "); // 5 is refused by the letter-only position
    EXPECT_EQ(k.GetText(true), "a");
    EXPECT_FALSE(k.IsEditable(4));

    // A mask without codes has no editable position.
    PicEditModel none(PositionFormatter::kError);
    EXPECT_EQ(none.FirstEditable(), -1);
    EXPECT_EQ(none.TypeChar(U'1'), Feedback::Beep);
    EXPECT_EQ(none.GetText(), "");
}

TEST(PicEditModelTest, SetTextFillsEditablePositionsAroundLiterals)
{
    PicEditModel m = DmsField();
    EXPECT_EQ(m.DisplayText(), "12\"34'56.789");
    EXPECT_EQ(m.GetText(), "123456789");

    // Characters a position refuses are dropped, so the literal form reads too.
    m.SetText("98\"76'54.321");
    EXPECT_EQ(m.GetText(), "987654321");

    // With skipBlanks off a blank leaves the position and moves on.
    m.SetText("1 3", 0, false, false);
    EXPECT_EQ(m.DisplayText(), "1 \"3 '  .   ");
    m.SetText("1 3");
    EXPECT_EQ(m.DisplayText(), "13\"  '  .   ");

    // A start past 0 overwrites there without clearing the rest.
    m.SetText("123456789");
    m.SetText("00", 3);
    EXPECT_EQ(m.DisplayText(), "12\"00'56.789");
    // Text longer than the field is cut at its end.
    m.SetText("1234567890123");
    EXPECT_EQ(m.GetText(), "123456789");
}

TEST(PicEditModelTest, TypingOverwritesChecksKindAndSkipsLiterals)
{
    PicEditModel m = DmsField();
    m.Tap(0);
    EXPECT_EQ(m.TypeChar(U'x'), Feedback::Beep);
    EXPECT_EQ(m.DisplayText(), "12\"34'56.789");

    // The caret on the double quote: typing replaces the 3 after it.
    m.Select(2, 2);
    EXPECT_EQ(m.TypeChar(U'7'), Feedback::None);
    EXPECT_EQ(m.DisplayText(), "12\"74'56.789");
    EXPECT_EQ(m.Caret(), 4);
    m.TypeChar(U'0');
    EXPECT_EQ(m.Caret(), 6); // over the apostrophe to the next digit

    // Typing at the last position leaves the caret after it; with the jump
    // option the focus moves on.
    m.Select(11, 11);
    EXPECT_EQ(m.TypeChar(U'5'), Feedback::None);
    EXPECT_EQ(m.Caret(), 12);
    EXPECT_EQ(m.TypeChar(U'5'), Feedback::Beep); // nothing left to type into
    m.SetJumpToNext(true);
    m.Select(11, 11);
    EXPECT_EQ(m.TypeChar(U'6'), Feedback::FocusNext);

    // Read-only ignores typing.
    m.SetReadOnly(true);
    m.Select(0, 0);
    m.TypeChar(U'9');
    EXPECT_EQ(m.GetText(), "127056786");
}

TEST(PicEditModelTest, TypingOverASelectionReplacesItWithinItsBounds)
{
    PicEditModel m = DmsField();
    m.FocusIn(); // selects everything
    EXPECT_EQ(m.SelectionEnd(), m.Length());
    m.TypeChar(U'4');
    EXPECT_EQ(m.DisplayText(), "4 \"  '  .   ");
    EXPECT_EQ(m.Caret(), 1);

    // A selection holding only a literal has no target.
    m = DmsField();
    m.Select(2, 3);
    EXPECT_EQ(m.TypeChar(U'1'), Feedback::Beep);
    EXPECT_EQ(m.GetText(), "123456789");
    // A selection starting on a literal types into the next editable position.
    m.Select(5, 8);
    m.TypeChar(U'0');
    EXPECT_EQ(m.DisplayText(), "12\"34'08.9  ");
}

TEST(PicEditModelTest, InsertModeShiftsRightAndStopsWhenFull)
{
    PicEditModel m("99\"99'99.999");
    m.SetText("1234");
    m.SetInsertMode(true);
    m.Select(3, 3);
    m.TypeChar(U'9');
    EXPECT_EQ(m.DisplayText(), "12\"93'4 .   ");
    EXPECT_EQ(m.Caret(), 4);

    // Every position filled: typing changes nothing.
    m.SetText("123456789");
    m.Select(0, 0);
    m.TypeChar(U'0');
    EXPECT_EQ(m.GetText(), "123456789");

    // The Insert key switches modes only when switching is allowed.
    PicEditModel t("999");
    t.PressKey(Key::Insert);
    EXPECT_FALSE(t.InsertMode());
    t.SetInsertToggleAllowed(true);
    t.PressKey(Key::Insert);
    EXPECT_TRUE(t.InsertMode());
    t.SetReadOnly(true);
    t.PressKey(Key::Insert);
    EXPECT_TRUE(t.InsertMode());
}

TEST(PicEditModelTest, DeleteAndBackspaceKeepLiteralsFixed)
{
    PicEditModel m = DmsField();
    m.Select(0, 0);
    m.PressKey(Key::Delete);
    EXPECT_EQ(m.DisplayText(), "23\"45'67.89 ");
    EXPECT_EQ(m.GetText(), "23456789 ");
    EXPECT_EQ(m.Caret(), 0);

    // Backspace after the 5 removes it and leaves the caret where it was.
    m = DmsField();
    m.Tap(6); // the 5
    m.PressKey(Key::Backspace);
    EXPECT_EQ(m.DisplayText(), "12\"35'67.89 ");
    EXPECT_EQ(m.Caret(), 4);
    // At the first position Backspace has nothing before it.
    m.Select(0, 0);
    m.PressKey(Key::Backspace);
    EXPECT_EQ(m.GetText(), "12356789 ");

    // Deleting a selection across literals pulls the rest left.
    m = DmsField();
    m.Select(1, 7); // 2"34'5
    m.PressKey(Key::Delete);
    EXPECT_EQ(m.DisplayText(), "16\"78'9 .   ");
    EXPECT_EQ(m.Caret(), 1);

    // Backspace over a selection: caret on the editable position before it,
    // or after the last one when there is none.
    m = DmsField();
    m.Select(3, 5);
    m.PressKey(Key::Backspace);
    EXPECT_EQ(m.GetText(), "1256789  ");
    EXPECT_EQ(m.Caret(), 1);
    m.SelectAll();
    m.PressKey(Key::Backspace);
    EXPECT_EQ(m.GetText(), "         ");
    EXPECT_EQ(m.Caret(), 12);
}

TEST(PicEditModelTest, UndoRestoresTheTextBeforeADeletionRun)
{
    PicEditModel m = DmsField();
    EXPECT_FALSE(m.CanUndo());
    m.Select(0, 0);
    m.PressKey(Key::Delete);
    m.PressKey(Key::Delete);
    m.PressKey(Key::Delete);
    EXPECT_EQ(m.GetText(), "456789   ");
    ASSERT_TRUE(m.CanUndo());
    m.Undo(); // three presses of one key are one step
    EXPECT_EQ(m.GetText(), "123456789");
    EXPECT_EQ(m.SelectionStart(), 0);
    EXPECT_EQ(m.SelectionEnd(), m.Length());
    m.Undo(); // undo swaps, so a second undo redoes
    EXPECT_EQ(m.GetText(), "456789   ");

    // Another key between presses starts a new step.
    m = DmsField();
    m.Select(0, 0);
    m.PressKey(Key::Delete);
    m.PressKey(Key::Right);
    m.PressKey(Key::Delete);
    EXPECT_EQ(m.GetText(), "2456789  ");
    m.Undo();
    EXPECT_EQ(m.GetText(), "23456789 ");

    // Delete then Backspace are two steps too.
    m = DmsField();
    m.Select(0, 0);
    m.PressKey(Key::Delete);
    m.Tap(4);
    m.PressKey(Key::Backspace);
    m.Undo();
    EXPECT_EQ(m.GetText(), "23456789 ");

    m.EmptyUndoBuffer();
    EXPECT_FALSE(m.CanUndo());
    m.Undo();
    EXPECT_EQ(m.GetText(), "23456789 ");
}

TEST(PicEditModelTest, ClipboardOperations)
{
    PicEditModel m = DmsField();
    m.Select(1, 7);
    EXPECT_EQ(m.Copy(), "2345");
    EXPECT_EQ(m.Cut(), "2345");
    EXPECT_EQ(m.GetText(), "16789    ");
    m.Undo();
    EXPECT_EQ(m.GetText(), "123456789");

    // Pasting inserts at the caret and keeps what follows, also at position 0.
    m.SetText("1234");
    m.Select(0, 0);
    m.Paste("98");
    EXPECT_EQ(m.DisplayText(), "98\"12'34.   ");
    EXPECT_EQ(m.Caret(), 0);
    // Pasting over a selection replaces it; one undo restores the text as it
    // was before the paste.
    m.Select(3, 5);
    m.Paste("77");
    EXPECT_EQ(m.GetText(), "987734   ");
    m.Undo();
    EXPECT_EQ(m.GetText(), "981234   ");
    // Pasted text in the display form: literals and letters are dropped, and
    // the characters that no longer fit are lost.
    m.SetText("");
    m.Select(2, 2);
    m.Paste("N 47°30'15.5\"");
    EXPECT_EQ(m.GetText(), "  4730155");
    EXPECT_EQ(m.Caret(), 3);

    // Clear deletes the selection; read-only refuses cut, paste and clear.
    m.Select(0, m.Length());
    m.Clear();
    EXPECT_EQ(m.GetText(true), "");
    m.SetText("12");
    m.SetReadOnly(true);
    m.SelectAll();
    EXPECT_EQ(m.Copy(), "12       ");
    EXPECT_EQ(m.Cut(), "");
    m.Paste("9");
    m.Clear();
    EXPECT_EQ(m.GetText(), "12       ");
}

TEST(PicEditModelTest, NavigationStaysOnEditablePositions)
{
    PicEditModel m = DmsField();
    m.PressKey(Key::End);
    EXPECT_EQ(m.Caret(), 12);
    m.PressKey(Key::Left);
    EXPECT_EQ(m.Caret(), 11);
    m.Select(9, 9);
    m.PressKey(Key::Left);
    EXPECT_EQ(m.Caret(), 7); // over the point
    m.PressKey(Key::Right);
    EXPECT_EQ(m.Caret(), 9);
    m.PressKey(Key::Home);
    EXPECT_EQ(m.Caret(), 0);
    EXPECT_EQ(m.PressKey(Key::Left), Feedback::None);
    EXPECT_EQ(m.Caret(), 0);
    m.SetJumpToNext(true);
    EXPECT_EQ(m.PressKey(Key::Left), Feedback::FocusPrevious);

    // Shift extends a selection from where it was anchored.
    m.Select(4, 4);
    m.PressKey(Key::End, true);
    EXPECT_EQ(m.Copy(), "456789");
    m.PressKey(Key::Home, true);
    EXPECT_EQ(m.SelectionStart(), 0);
    EXPECT_EQ(m.SelectionEnd(), 4);

    // A tap on a literal puts the caret on the editable position after it.
    m.Tap(5);
    EXPECT_EQ(m.Caret(), 6);
    EXPECT_FALSE(m.HasSelection());

    // Focus selects all, or puts the caret first.
    m.SetSelectAllOnFocus(false);
    m.Select(5, 9);
    m.FocusIn();
    EXPECT_FALSE(m.HasSelection());
    EXPECT_EQ(m.Caret(), 0);
}

TEST(PicEditModelTest, PositionFieldsRoundTripThroughTheParser)
{
    MemorySettingsStore store;
    PositionFormatter f(store);
    for (int format = 0; format <= 2; ++format) {
        store.SetInt("设置", "PositionFormat", format);
        PicEditModel lat(f.LatitudeEntryMask());
        lat.SetText(f.LatitudeEntryText(-33.5));
        EXPECT_EQ(f.ParseCoordinateDigits(lat.GetText()), 33500000) << format;
        PicEditModel lon(f.LongitudeEntryMask());
        lon.SetText(f.LongitudeEntryText(8.25));
        EXPECT_EQ(f.ParseCoordinateDigits(lon.GetText()), 8250000) << format;
    }

    // Typing the degrees over a degrees-minutes field, the rest unchanged.
    store.SetInt("设置", "PositionFormat", 0);
    PicEditModel lat(f.LatitudeEntryMask());
    lat.SetText(f.LatitudeEntryText(33.5));
    EXPECT_EQ(lat.DisplayText(), "33'30.0000");
    lat.Tap(0);
    lat.TypeChar(U'4');
    lat.TypeChar(U'7');
    EXPECT_EQ(f.ParseCoordinateDigits(lat.GetText()), 47500000);
    // Deleting the first digit leaves a blank at the end, read as 0.
    lat.Tap(0);
    lat.PressKey(Key::Delete);
    EXPECT_EQ(lat.GetText(), "7300000 ");
    EXPECT_EQ(f.ParseCoordinateDigits(lat.GetText()), 73000000);
}

} // namespace
} // namespace hw
