#pragma once

#include <QWidget>

namespace hw {

// A tab page whose contents are not built yet: its title on the theme's
// panel colours.
class PlaceholderPage : public QWidget {
    Q_OBJECT
public:
    PlaceholderPage(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
};

} // namespace hw
