#pragma once

#include <string>
#include <vector>

namespace hw {

// The editing rules of a single-line field driven by a picture mask: the
// coordinate fields of the waypoint editor use it. In a mask, "9" takes a
// digit, "A" a letter, "N" a letter or digit, "L" a letter stored lower case,
// "U" a letter stored upper case, "X" any character; every other character is
// a literal shown in place, and "/" makes the next mask character a literal.
// The model holds the display text, caret, selection and undo text; a widget
// forwards keys, taps and clipboard commands to it and paints DisplayText().
// Positions are character indices of the display text. Text in and out is
// UTF-8.
class PicEditModel {
public:
    // What the widget does after an operation.
    enum class Feedback {
        None,
        Beep,          // the exclamation sound: the key was refused
        FocusNext,     // move the focus to the next control
        FocusPrevious, // move the focus to the previous control
    };
    enum class Key { Left, Right, Home, End, Backspace, Delete, Insert };

    PicEditModel() = default;
    explicit PicEditModel(const std::string& mask) { SetMask(mask); }

    // Compiles the mask, fills the editable positions with the placeholder and
    // puts the caret at the first editable position.
    void SetMask(const std::string& mask);
    // Writes the characters into the editable positions from start on (start 0
    // rebuilds the display first). Literals are stepped over; a character that
    // the position refuses is dropped, except that with skipBlanks off a blank
    // leaves the position as it is and moves on. With insert on, characters
    // are inserted instead of overwriting.
    void SetText(const std::string& text, int start = 0, bool insert = false,
                 bool skipBlanks = true);
    // The characters of the editable positions in order, unfilled ones as
    // blanks, literals left out.
    std::string GetText(bool trimTrailingBlanks = false) const;
    std::string DisplayText() const;
    int Length() const { return static_cast<int>(cells_.size()); }
    bool IsEditable(int pos) const;

    // Navigation over editable positions; -1 when there is none.
    int NextEditable(int pos) const;     // after pos
    int PreviousEditable(int pos) const; // before pos
    int EditableAtOrAfter(int pos) const;
    int FirstEditable() const { return EditableAtOrAfter(0); }
    int LastEditable() const { return PreviousEditable(Length()); }

    int Caret() const { return caret_; }
    int SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    int SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool HasSelection() const { return caret_ != anchor_; }
    // Selects from anchor to caret (the caret is the moving end).
    void Select(int anchor, int caret);
    void SelectAll() { Select(0, Length()); }

    Feedback PressKey(Key key, bool shift = false);
    Feedback TypeChar(char32_t c);
    // A tap on the character at pos.
    void Tap(int pos);
    void FocusIn();

    // Clipboard and undo. Copy gives the editable characters of the selection.
    std::string Copy() const;
    std::string Cut();
    void Paste(const std::string& text);
    void Clear();
    void Undo();
    bool CanUndo() const { return !saved_.empty(); }
    void EmptyUndoBuffer() { saved_.clear(); }

    void SetReadOnly(bool on) { readOnly_ = on; }
    bool ReadOnly() const { return readOnly_; }
    void SetInsertMode(bool on) { insertMode_ = on; }
    bool InsertMode() const { return insertMode_; }
    void SetInsertToggleAllowed(bool on) { insertToggle_ = on; }
    void SetJumpToNext(bool on) { jumpToNext_ = on; }
    void SetSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }
    void SetPlaceholder(char32_t c);

private:
    // One mask position: a literal, or an editable position of the kind code.
    struct Cell {
        char32_t literal = 0;
        char code = 0; // one of "9ANLUX"; 0 for a literal
    };
    enum class DeleteRun { None, Backspace, Delete };

    bool Accepts(int pos, char32_t c) const;
    char32_t Stored(int pos, char32_t c) const;
    void Rebuild();
    void WriteText(const std::string& text, int start, bool insert, bool skipBlanks);
    // Removes the editable characters of [a, b), moving the ones after b left.
    void DeleteRange(int a, int b);
    void DeleteSelection();
    // Inserts at editable position pos; false when the field is full.
    bool InsertAt(int pos, char32_t c);
    void SaveForUndo() { saved_ = display_; }
    void SetCaret(int pos) { caret_ = anchor_ = pos; }
    int AfterLastEditable() const;
    Feedback DeleteKey(Key key);
    Feedback Navigate(Key key, bool shift);

    std::vector<Cell> cells_;
    std::u32string display_;
    std::u32string saved_;
    char32_t placeholder_ = U' ';
    int caret_ = 0;
    int anchor_ = 0;
    DeleteRun lastDelete_ = DeleteRun::None;
    bool readOnly_ = false;
    bool insertMode_ = false;
    bool insertToggle_ = false;
    bool jumpToNext_ = false;
    bool selectAllOnFocus_ = true;
};

} // namespace hw
