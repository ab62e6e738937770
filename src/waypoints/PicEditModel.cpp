#include "waypoints/PicEditModel.h"

#include "base/Utf8.h"

#include <algorithm>
#include <string_view>

namespace hw {
namespace {

constexpr std::u32string_view kCodes = U"9ANLUX";
constexpr char32_t kEscape = U'/';

bool IsDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}
bool IsLetter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

} // namespace

void PicEditModel::SetMask(const std::string& mask)
{
    std::u32string chars = DecodeUtf8(mask);
    cells_.clear();
    for (std::size_t i = 0; i < chars.size(); ++i) {
        Cell cell;
        if (chars[i] == kEscape && i + 1 < chars.size())
            cell.literal = chars[++i];
        else if (kCodes.find(chars[i]) != std::u32string_view::npos)
            cell.code = static_cast<char>(chars[i]);
        else
            cell.literal = chars[i];
        cells_.push_back(cell);
    }
    saved_.clear();
    lastDelete_ = DeleteRun::None;
    Rebuild();
    int first = FirstEditable();
    SetCaret(first < 0 ? 0 : first);
}

void PicEditModel::Rebuild()
{
    display_.clear();
    for (const Cell& cell : cells_)
        display_ += cell.code ? placeholder_ : cell.literal;
}

void PicEditModel::SetPlaceholder(char32_t c)
{
    for (int p = 0; p < Length(); ++p)
        if (IsEditable(p) && display_[static_cast<std::size_t>(p)] == placeholder_)
            display_[static_cast<std::size_t>(p)] = c;
    placeholder_ = c;
}

bool PicEditModel::IsEditable(int pos) const
{
    return pos >= 0 && pos < Length() && cells_[static_cast<std::size_t>(pos)].code != 0;
}

bool PicEditModel::Accepts(int pos, char32_t c) const
{
    switch (cells_[static_cast<std::size_t>(pos)].code) {
    case '9': return IsDigit(c);
    case 'A':
    case 'L':
    case 'U': return IsLetter(c);
    case 'N': return IsLetter(c) || IsDigit(c);
    case 'X': return c >= 0x20 && c != 0x7F; // a single line holds no control characters
    default: return false;
    }
}

char32_t PicEditModel::Stored(int pos, char32_t c) const
{
    char code = cells_[static_cast<std::size_t>(pos)].code;
    if (code == 'L' && c >= U'A' && c <= U'Z')
        return c + (U'a' - U'A');
    if (code == 'U' && c >= U'a' && c <= U'z')
        return c - (U'a' - U'A');
    return c;
}

int PicEditModel::NextEditable(int pos) const
{
    return EditableAtOrAfter(pos + 1);
}

int PicEditModel::EditableAtOrAfter(int pos) const
{
    for (int p = std::max(pos, 0); p < Length(); ++p)
        if (IsEditable(p))
            return p;
    return -1;
}

int PicEditModel::PreviousEditable(int pos) const
{
    for (int p = std::min(pos, Length()) - 1; p >= 0; --p)
        if (IsEditable(p))
            return p;
    return -1;
}

int PicEditModel::AfterLastEditable() const
{
    return LastEditable() + 1; // 0 when there is no editable position
}

void PicEditModel::Select(int anchor, int caret)
{
    anchor_ = std::clamp(anchor, 0, Length());
    caret_ = std::clamp(caret, 0, Length());
}

void PicEditModel::SetText(const std::string& text, int start, bool insert, bool skipBlanks)
{
    if (start == 0)
        Rebuild();
    WriteText(text, start, insert, skipBlanks);
    Select(anchor_, caret_);
}

void PicEditModel::WriteText(const std::string& text, int start, bool insert, bool skipBlanks)
{
    int pos = EditableAtOrAfter(start);
    for (char32_t c : DecodeUtf8(text)) {
        if (pos < 0)
            return;
        if (Accepts(pos, c)) {
            if (insert) {
                if (!InsertAt(pos, c))
                    return;
            } else {
                display_[static_cast<std::size_t>(pos)] = Stored(pos, c);
            }
            pos = NextEditable(pos);
        } else if (c == U' ' && !skipBlanks) {
            pos = NextEditable(pos);
        }
    }
}

std::string PicEditModel::GetText(bool trimTrailingBlanks) const
{
    std::u32string text;
    for (int p = 0; p < Length(); ++p) {
        if (!IsEditable(p))
            continue;
        char32_t c = display_[static_cast<std::size_t>(p)];
        text += c == placeholder_ ? U' ' : c;
    }
    if (trimTrailingBlanks)
        text.erase(text.find_last_not_of(U' ') + 1);
    return EncodeUtf8(text);
}

std::string PicEditModel::DisplayText() const
{
    return EncodeUtf8(display_);
}

void PicEditModel::DeleteRange(int a, int b)
{
    std::vector<std::size_t> editable;
    std::size_t first = 0;
    std::size_t removed = 0;
    for (int p = 0; p < Length(); ++p) {
        if (!IsEditable(p))
            continue;
        if (p < a)
            ++first;
        else if (p < b)
            ++removed;
        editable.push_back(static_cast<std::size_t>(p));
    }
    for (std::size_t k = first; k < editable.size(); ++k)
        display_[editable[k]] =
            k + removed < editable.size() ? display_[editable[k + removed]] : placeholder_;
}

void PicEditModel::DeleteSelection()
{
    int start = SelectionStart();
    DeleteRange(start, SelectionEnd());
    SetCaret(start);
}

bool PicEditModel::InsertAt(int pos, char32_t c)
{
    int last = LastEditable();
    if (last < 0 || display_[static_cast<std::size_t>(last)] != placeholder_)
        return false;
    // Each editable character from the end back to pos takes its left
    // neighbour's character; literals stay where they are.
    for (int p = last; p > pos;) {
        int previous = PreviousEditable(p);
        display_[static_cast<std::size_t>(p)] = display_[static_cast<std::size_t>(previous)];
        p = previous;
    }
    display_[static_cast<std::size_t>(pos)] = Stored(pos, c);
    return true;
}

PicEditModel::Feedback PicEditModel::PressKey(Key key, bool shift)
{
    if (key == Key::Backspace || key == Key::Delete)
        return DeleteKey(key);
    lastDelete_ = DeleteRun::None;
    if (key == Key::Insert) {
        if (insertToggle_ && !readOnly_)
            insertMode_ = !insertMode_;
        return Feedback::None;
    }
    return Navigate(key, shift);
}

PicEditModel::Feedback PicEditModel::Navigate(Key key, bool shift)
{
    if (shift) {
        // Extends the selection one character at a time, as any edit field does.
        switch (key) {
        case Key::Left: Select(anchor_, caret_ - 1); break;
        case Key::Right: Select(anchor_, caret_ + 1); break;
        case Key::Home: Select(anchor_, 0); break;
        case Key::End: Select(anchor_, Length()); break;
        default: break;
        }
        return Feedback::None;
    }
    switch (key) {
    case Key::Left: {
        int p = PreviousEditable(caret_);
        if (p >= 0)
            SetCaret(p);
        else if (jumpToNext_)
            return Feedback::FocusPrevious;
        else
            SetCaret(caret_);
        break;
    }
    case Key::Right: {
        int p = NextEditable(caret_);
        SetCaret(p >= 0 ? p : AfterLastEditable());
        break;
    }
    case Key::Home: SetCaret(std::max(FirstEditable(), 0)); break;
    case Key::End: SetCaret(AfterLastEditable()); break;
    default: break;
    }
    return Feedback::None;
}

PicEditModel::Feedback PicEditModel::DeleteKey(Key key)
{
    if (readOnly_)
        return Feedback::None;
    DeleteRun run = key == Key::Backspace ? DeleteRun::Backspace : DeleteRun::Delete;
    bool sameRun = lastDelete_ == run;
    lastDelete_ = run;
    if (HasSelection()) {
        if (!sameRun)
            SaveForUndo();
        int start = SelectionStart();
        DeleteSelection();
        if (key == Key::Backspace) {
            int p = PreviousEditable(start);
            SetCaret(p >= 0 ? p : AfterLastEditable());
        }
        return Feedback::None;
    }
    int a = key == Key::Backspace ? PreviousEditable(caret_) : EditableAtOrAfter(caret_);
    if (a < 0)
        return Feedback::None;
    if (!sameRun)
        SaveForUndo();
    DeleteRange(a, a + 1);
    if (key == Key::Backspace)
        SetCaret(a);
    return Feedback::None;
}

PicEditModel::Feedback PicEditModel::TypeChar(char32_t c)
{
    if (readOnly_)
        return Feedback::None;
    lastDelete_ = DeleteRun::None;
    int target;
    if (HasSelection()) {
        target = EditableAtOrAfter(SelectionStart());
        if (target >= SelectionEnd())
            target = -1;
    } else {
        target = EditableAtOrAfter(caret_);
    }
    if (target < 0 || !Accepts(target, c))
        return Feedback::Beep;
    if (HasSelection()) {
        SaveForUndo();
        DeleteSelection();
    }
    if (insertMode_) {
        if (!InsertAt(target, c))
            return Feedback::None;
    } else {
        display_[static_cast<std::size_t>(target)] = Stored(target, c);
    }
    int next = NextEditable(target);
    if (next >= 0) {
        SetCaret(next);
        return Feedback::None;
    }
    SetCaret(target + 1);
    return jumpToNext_ ? Feedback::FocusNext : Feedback::None;
}

void PicEditModel::Tap(int pos)
{
    lastDelete_ = DeleteRun::None;
    int p = EditableAtOrAfter(pos);
    SetCaret(p >= 0 ? p : AfterLastEditable());
}

void PicEditModel::FocusIn()
{
    lastDelete_ = DeleteRun::None;
    if (selectAllOnFocus_)
        SelectAll();
    else
        SetCaret(std::max(FirstEditable(), 0));
}

std::string PicEditModel::Copy() const
{
    std::u32string text;
    for (int p = SelectionStart(); p < SelectionEnd(); ++p)
        if (IsEditable(p)) {
            char32_t c = display_[static_cast<std::size_t>(p)];
            text += c == placeholder_ ? U' ' : c;
        }
    return EncodeUtf8(text);
}

std::string PicEditModel::Cut()
{
    if (readOnly_)
        return {};
    std::string text = Copy();
    Clear();
    return text;
}

void PicEditModel::Clear()
{
    if (readOnly_ || !HasSelection())
        return;
    lastDelete_ = DeleteRun::None;
    SaveForUndo();
    DeleteSelection();
}

void PicEditModel::Paste(const std::string& text)
{
    if (readOnly_)
        return;
    lastDelete_ = DeleteRun::None;
    // One undo step brings back the text as it was before the paste.
    SaveForUndo();
    int start = SelectionStart();
    DeleteSelection();
    // Inserting never rebuilds the field, even at position 0, so the
    // characters after the caret move right instead of being lost.
    WriteText(text, start, true, true);
    int p = EditableAtOrAfter(start);
    SetCaret(p >= 0 ? p : start);
}

void PicEditModel::Undo()
{
    if (readOnly_ || saved_.empty())
        return;
    lastDelete_ = DeleteRun::None;
    std::swap(display_, saved_);
    SelectAll();
}

} // namespace hw
