#pragma once

class QComboBox;
class QWidget;

namespace hw {

// A drop-down list of the geocache states with their symbols (item data =
// state index).
QComboBox* GeocacheStateChoice(QWidget* parent);

} // namespace hw
