#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace hw {

// The questions, messages and file choosers a command puts to the user.
// The program shows Qt's dialogs; tests give the answers.
class UserDialogs {
public:
    struct FileChoice {
        QString title;
        const char* filter = ""; // pairs "Description|patterns|...||"
        QString start;           // folder or file to start at
        QString suffix;          // added when the typed name has none
        bool confirmOverwrite = false;
    };

    virtual ~UserDialogs() = default;
    // Empty when cancelled.
    virtual QString OpenFile(QWidget* over, const FileChoice& choice);
    virtual QStringList OpenFiles(QWidget* over, const FileChoice& choice);
    virtual QString SaveFile(QWidget* over, const FileChoice& choice);
    // Yes/no; true on yes.
    virtual bool Ask(QWidget* over, const QString& text, QMessageBox::Icon icon);
    virtual void Tell(QWidget* over, const QString& text, QMessageBox::Icon icon);

    // "... 已存在。要替换它吗?": asked before a file is replaced.
    static QString ReplaceQuestion(const QString& path);
    // The message box Ask or Tell shows, made but not shown (for pictures).
    static QMessageBox* MakeBox(QWidget* over, const QString& text, QMessageBox::Icon icon,
                                bool question);
};

} // namespace hw
