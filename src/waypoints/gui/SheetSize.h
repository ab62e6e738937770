#pragma once

class QDialog;
class QWidget;

namespace hw {

// The editing sheets fill the program's window, as on a handheld; without a
// window they take a handheld's screen.
void FitSheetToWindow(QDialog* sheet, QWidget* over);

} // namespace hw
