#pragma once

#include "shell/StatusBarModel.h"

#include <QTimer>
#include <QWidget>

namespace hw {

// The thin strip under the pages: satellites used as blocks, and an LED that
// flashes on every sentence in the colour of the fix.
class CGPSStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit CGPSStatusBar(QWidget* parent = nullptr);

    // A sentence arrived with this fix quality and number of satellites used.
    void OnSentence(int fixQuality, int satellitesUsed);
    void Flash(int ms);
    const StatusBarModel& Model() const { return model_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StatusBarModel model_;
    QTimer flashTimer_;
};

} // namespace hw
