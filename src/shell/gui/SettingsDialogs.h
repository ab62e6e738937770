#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace hw {

class SettingsStore;

// "杂项设定": the check box "禁止系统自动休眠" bound to "Stay Alive", the
// code page of legacy 8-bit files ("ANSI Code Page") and the interface
// language ("Language", used from the next start).
class MiscSettingsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kStayAlive = "Stay Alive"; // "设置", 0/1, default 1
    explicit MiscSettingsDialog(SettingsStore& settings, QWidget* parent = nullptr);
    // Stores the choice; returns the new stay-alive value.
    bool Store();
    QCheckBox* CheckBox() const { return check_; }
    QSpinBox* CodePage() const { return codePage_; }
    QComboBox* Language() const { return language_; }

private:
    void accept() override;

    SettingsStore& settings_;
    QCheckBox* check_;
    QSpinBox* codePage_;
    QComboBox* language_;
};

// "单位": distance and speed, altitude, and position format.
class UnitsDialog : public QDialog {
    Q_OBJECT
public:
    explicit UnitsDialog(SettingsStore& settings, QWidget* parent = nullptr);
    void Store();

private:
    SettingsStore& settings_;
    QComboBox* distance_;
    QComboBox* altitude_;
    QComboBox* position_;
};

// "导入路点设定": what an imported waypoint does to one of the same name.
class ImportSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportSettingsDialog(SettingsStore& settings, QWidget* parent = nullptr);
    void Store();

private:
    SettingsStore& settings_;
    QComboBox* mode_;
};

} // namespace hw
