#include "widgets/UserDialogs.h"

#include "base/FileDialogFilter.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

#include <memory>

namespace hw {
namespace {

QString Filter(const UserDialogs::FileChoice& choice)
{
    return QString::fromStdString(FileDialogFilter(choice.filter));
}

// A typed name without an extension gets the default one.
QString WithSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

QString UserDialogs::OpenFile(QWidget* over, const FileChoice& choice)
{
    return QFileDialog::getOpenFileName(over, choice.title, choice.start, Filter(choice));
}

QStringList UserDialogs::OpenFiles(QWidget* over, const FileChoice& choice)
{
    return QFileDialog::getOpenFileNames(over, choice.title, choice.start, Filter(choice));
}

QString UserDialogs::SaveFile(QWidget* over, const FileChoice& choice)
{
    QFileDialog::Options options;
    if (!choice.confirmOverwrite)
        options |= QFileDialog::DontConfirmOverwrite;
    return WithSuffix(QFileDialog::getSaveFileName(over, choice.title, choice.start, Filter(choice),
                                                   nullptr, options),
                      choice.suffix);
}

QString UserDialogs::ReplaceQuestion(const QString& path)
{
    return QCoreApplication::translate("hw::UserDialogs", "%1 已存在。要替换它吗?").arg(path);
}

QMessageBox* UserDialogs::MakeBox(QWidget* over, const QString& text, QMessageBox::Icon icon,
                                  bool question)
{
    auto* box =
        new QMessageBox(icon, QStringLiteral("Hikewise"), text,
                        question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, over);
    if (question)
        box->setDefaultButton(QMessageBox::Yes);
    return box;
}

bool UserDialogs::Ask(QWidget* over, const QString& text, QMessageBox::Icon icon)
{
    std::unique_ptr<QMessageBox> box(MakeBox(over, text, icon, true));
    return box->exec() == QMessageBox::Yes;
}

void UserDialogs::Tell(QWidget* over, const QString& text, QMessageBox::Icon icon)
{
    std::unique_ptr<QMessageBox> box(MakeBox(over, text, icon, false));
    box->exec();
}

} // namespace hw
