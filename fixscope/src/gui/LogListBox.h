#pragma once

#include <QListWidget>

namespace fixscope {

// A list box used as a running log: it keeps the last 100 lines and shows
// the newest.
class LogListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 100;

    explicit LogListBox(QWidget* parent = nullptr);
    void AddLine(const QString& text);
};

} // namespace fixscope
