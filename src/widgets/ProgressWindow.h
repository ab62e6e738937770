#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace hw {

// A small modeless window (dialog 161) with a text, a bar and a percentage,
// for long work on the UI thread; Pump() keeps the windows live meanwhile.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 161;

    // Title from string `titleId` (default 239 "正在运行...").
    explicit ProgressWindow(QWidget* parent, int titleId = 239, int low = 0, int high = 100,
                            int step = 10);
    void ShowOver();
    void SetText(const QString& text);
    void Step();
    // Sets the bar to a share of its range, without pumping messages.
    void SetPerMille(int perMille);
    void Pump();
    QString PercentText() const;
    QString Text() const;

private:
    QLabel* text_;
    QProgressBar* bar_;
    QLabel* percent_;
    int step_;
};

} // namespace hw
