#pragma once

#include "widgets/UserDialogs.h"

#include <QStringList>

#include <deque>

namespace hw::test {

// Plays the user: file choices and yes/no answers given in advance; what
// was asked and told is kept.
class ScriptedUser final : public UserDialogs {
public:
    std::deque<QStringList> files;
    std::deque<bool> answers;
    QStringList asked;
    QStringList told;
    QList<QMessageBox::Icon> toldIcons;

    QString OpenFile(QWidget*, const FileChoice&) override
    {
        const QStringList f = Next();
        return f.isEmpty() ? QString() : f.front();
    }
    QStringList OpenFiles(QWidget*, const FileChoice&) override { return Next(); }
    QString SaveFile(QWidget* over, const FileChoice& choice) override
    {
        return OpenFile(over, choice);
    }
    bool Ask(QWidget*, const QString& text, QMessageBox::Icon) override
    {
        asked << text;
        const bool a = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
    void Tell(QWidget*, const QString& text, QMessageBox::Icon icon) override
    {
        told << text;
        toldIcons << icon;
    }

private:
    QStringList Next()
    {
        if (files.empty())
            return {};
        QStringList f = files.front();
        files.pop_front();
        return f;
    }
};

} // namespace hw::test
