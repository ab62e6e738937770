#pragma once

class QDialog;
class QDialogButtonBox;

namespace hw {

// OK and Cancel buttons that accept and reject the dialog.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

} // namespace hw
