#include "widgets/ProgressWindow.h"

#include "base/FormatString.h"
#include "base/StringTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace hw {

ProgressWindow::ProgressWindow(QWidget* parent, int titleId, int low, int high, int step)
    : QDialog(parent), step_(step)
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QString::fromUtf8(LoadString(titleId)));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(QString::fromUtf8(LoadString(titleId)), this);
    text_->setWordWrap(true);
    layout->addWidget(text_);
    bar_ = new QProgressBar(this);
    bar_->setRange(low, high > low ? high : low + 1);
    bar_->setValue(low);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    percent_ = new QLabel(QStringLiteral("0%"), this);
    percent_->setAlignment(Qt::AlignCenter);
    layout->addWidget(percent_);
    setMinimumWidth(260);
}

void ProgressWindow::ShowOver()
{
    show();
    raise();
    Pump();
}

void ProgressWindow::SetText(const QString& text)
{
    text_->setText(text);
    Pump();
}

void ProgressWindow::Step()
{
    bar_->setValue(std::min(bar_->maximum(), bar_->value() + step_));
    const int span = bar_->maximum() - bar_->minimum();
    const int percent = (bar_->value() - bar_->minimum()) * 100 / span;
    percent_->setText(QString::fromStdString(FormatString("%d%c", percent, '%')));
    Pump();
}

void ProgressWindow::SetPerMille(int perMille)
{
    const int span = bar_->maximum() - bar_->minimum();
    bar_->setValue(bar_->minimum() + static_cast<int>(static_cast<long long>(span) *
                                                      std::clamp(perMille, 0, 1000) / 1000));
    percent_->setText(QString::fromStdString(FormatString("%d%c", perMille / 10, '%')));
}

void ProgressWindow::Pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

QString ProgressWindow::PercentText() const
{
    return percent_->text();
}
QString ProgressWindow::Text() const
{
    return text_->text();
}

} // namespace hw
