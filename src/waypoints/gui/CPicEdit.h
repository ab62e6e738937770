#pragma once

#include "waypoints/PicEditModel.h"

#include <QLineEdit>

#include <string>

namespace hw {

// A single-line edit driven by a picture mask: the literals of the mask stay
// in place and only the characters the mask permits can be typed. The rules
// live in PicEditModel; this widget forwards keys, taps and clipboard
// commands to it and shows its display text and selection.
class CPicEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CPicEdit(QWidget* parent = nullptr);

    void SetMask(const std::string& mask);
    // Writes the characters into the editable positions from the first on.
    void SetText(const std::string& text);
    // The characters of the editable positions, unfilled ones as blanks.
    std::string GetText(bool trimTrailingBlanks = false) const;
    const PicEditModel& Model() const { return model_; }
    PicEditModel& Model() { return model_; }

    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    void UndoEdit();

signals:
    // The user changed the editable characters.
    void Edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Shows the model's display text, caret and selection.
    void Show();
    void Apply(PicEditModel::Feedback feedback);
    // Runs an operation that may change the text; signals when it did.
    template <typename Op> void Change(Op&& op);

    PicEditModel model_;
};

} // namespace hw
