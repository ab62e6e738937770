#include "waypoints/gui/CPicEdit.h"
#include "widgets/LongPressMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace hw {

CPicEdit::CPicEdit(QWidget* parent) : QLineEdit(parent)
{
    setDragEnabled(false);
    LongPressMenu::Install(this);
    setAcceptDrops(false);
    // A fixed-pitch font keeps the digits of a coordinate in columns.
    QFont mono = font();
    mono.setStyleHint(QFont::Monospace);
    mono.setFamily(QStringLiteral("monospace"));
    setFont(mono);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CPicEdit::SetMask(const std::string& mask)
{
    model_.SetMask(mask);
    Show();
}

void CPicEdit::SetText(const std::string& text)
{
    model_.SetText(text, 0, false, true);
    model_.Select(model_.FirstEditable(), model_.FirstEditable());
    Show();
}

std::string CPicEdit::GetText(bool trimTrailingBlanks) const
{
    return model_.GetText(trimTrailingBlanks);
}

void CPicEdit::Show()
{
    const QString text = QString::fromStdString(model_.DisplayText());
    if (text != QLineEdit::text())
        QLineEdit::setText(text);
    const int anchor =
        model_.Caret() == model_.SelectionStart() ? model_.SelectionEnd() : model_.SelectionStart();
    if (model_.HasSelection())
        setSelection(anchor, model_.Caret() - anchor);
    else
        setCursorPosition(std::max(model_.Caret(), 0));
}

void CPicEdit::Apply(PicEditModel::Feedback feedback)
{
    switch (feedback) {
    case PicEditModel::Feedback::Beep: QApplication::beep(); break;
    case PicEditModel::Feedback::FocusNext: focusNextChild(); break;
    case PicEditModel::Feedback::FocusPrevious: focusPreviousChild(); break;
    case PicEditModel::Feedback::None: break;
    }
}

template <typename Op> void CPicEdit::Change(Op&& op)
{
    const std::string before = model_.GetText();
    op();
    Show();
    if (model_.GetText() != before)
        emit Edited();
}

void CPicEdit::CopyToClipboard()
{
    if (!model_.ReadOnly() && model_.HasSelection())
        QApplication::clipboard()->setText(QString::fromStdString(model_.Copy()));
}

void CPicEdit::CutToClipboard()
{
    if (model_.ReadOnly() || !model_.HasSelection())
        return;
    Change([this] { QApplication::clipboard()->setText(QString::fromStdString(model_.Cut())); });
}

void CPicEdit::PasteFromClipboard()
{
    const std::string text = QApplication::clipboard()->text().toStdString();
    Change([this, &text] { model_.Paste(text); });
}

void CPicEdit::ClearSelection()
{
    Change([this] { model_.Clear(); });
}

void CPicEdit::UndoEdit()
{
    Change([this] { model_.Undo(); });
}

void CPicEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        return CopyToClipboard();
    if (event->matches(QKeySequence::Cut))
        return CutToClipboard();
    if (event->matches(QKeySequence::Paste))
        return PasteFromClipboard();
    if (event->matches(QKeySequence::Undo))
        return UndoEdit();
    if (event->matches(QKeySequence::SelectAll)) {
        model_.SelectAll();
        return Show();
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    using Key = PicEditModel::Key;
    const auto press = [&](Key key) {
        PicEditModel::Feedback feedback = PicEditModel::Feedback::None;
        Change([&] { feedback = model_.PressKey(key, shift); });
        Apply(feedback);
    };
    switch (event->key()) {
    case Qt::Key_Left: return press(Key::Left);
    case Qt::Key_Right: return press(Key::Right);
    case Qt::Key_Home: return press(Key::Home);
    case Qt::Key_End: return press(Key::End);
    case Qt::Key_Backspace: return press(Key::Backspace);
    case Qt::Key_Delete: return press(Key::Delete);
    case Qt::Key_Insert: return press(Key::Insert);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down: return QWidget::keyPressEvent(event); // the dialog's keys
    default: break;
    }
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        event->ignore();
        return;
    }
    for (char32_t c : text.toUcs4()) {
        if (c < 0x20)
            continue;
        PicEditModel::Feedback feedback = PicEditModel::Feedback::None;
        Change([&] { feedback = model_.TypeChar(c); });
        Apply(feedback);
    }
}

void CPicEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (hasSelectedText()) {
        const int start = selectionStart();
        const int end = start + static_cast<int>(selectedText().size());
        if (cursorPosition() == start)
            model_.Select(end, start);
        else
            model_.Select(start, end);
    } else {
        model_.Tap(cursorPosition());
    }
    Show();
}

void CPicEdit::mouseDoubleClickEvent(QMouseEvent*)
{
    model_.SelectAll();
    Show();
}

void CPicEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    model_.FocusIn();
    Show();
}

void CPicEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    const bool editable = !model_.ReadOnly();
    const bool selected = model_.HasSelection();
    menu.addAction(tr("撤消"), this, &CPicEdit::UndoEdit)->setEnabled(editable && model_.CanUndo());
    menu.addSeparator();
    menu.addAction(tr("剪切"), this, &CPicEdit::CutToClipboard)->setEnabled(editable && selected);
    menu.addAction(tr("复制"), this, &CPicEdit::CopyToClipboard)->setEnabled(editable && selected);
    menu.addAction(tr("粘贴"), this, &CPicEdit::PasteFromClipboard)
        ->setEnabled(editable && !QApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("删除"), this, &CPicEdit::ClearSelection)->setEnabled(editable && selected);
    menu.exec(event->globalPos());
}

void CPicEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Composed text arrives as typed characters, each checked by the mask.
    for (char32_t c : event->commitString().toUcs4()) {
        PicEditModel::Feedback feedback = PicEditModel::Feedback::None;
        Change([&] { feedback = model_.TypeChar(c); });
        Apply(feedback);
    }
    event->accept();
}

} // namespace hw
