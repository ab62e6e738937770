#include "shell/gui/CMainFrame.h"
#include "shell/gui/QtSettingsStore.h"
#include "shell/gui/QtTranslations.h"
#include "widgets/AppPaths.h"
#include "widgets/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

using namespace hw;

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowOpens()
    {
        QTemporaryDir dir;
        QtSettingsStore settings(dir.filePath(QStringLiteral("s.conf")));
        CMainFrame::Options quiet;
        quiet.skipFirstRun = true;
        CMainFrame frame(settings, quiet);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Hikewise"));
        QVERIFY(!frame.grab().isNull());
    }

    // The log and replay dialogs start in "\My Documents\docs": the folder
    // exists before they open.
    void dialogFoldersAreCreatedBeforeTheDialogOpens()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
        const QString start = AppPaths::DialogStartPath("\\My Documents\\docs\\new file");
        const bool inHome = start.startsWith(home.path());
        const bool exists = QFileInfo(QFileInfo(start).absolutePath()).isDir();
        qputenv("HOME", oldHome);
        if (oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
        QVERIFY2(inHome, qPrintable(start));
        QVERIFY2(exists, qPrintable(start));
        QVERIFY(start.endsWith(QStringLiteral("/docs/new file")));
    }

    void settingsReachTheDiskAtOnceAndRoundTrip()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.conf"));
        {
            QtSettingsStore s(file);
            QCOMPARE(s.GetInt("设置", "NoDisclaimer", 0), 0);
            s.SetInt("设置", "首次通讯设置", -1);
            s.SetText("设置", "数据库文件", "/tmp/路点.wpt");
            s.SetInt("Serial Port Commmunications", "速率", 9600);
            // Another reader sees the values before this store is gone.
            QtSettingsStore other(file);
            QCOMPARE(other.GetInt("设置", "首次通讯设置", 1), -1);
        }
        QtSettingsStore again(file);
        QCOMPARE(again.GetInt("设置", "首次通讯设置", 1), -1);
        QCOMPARE(again.GetText("设置", "数据库文件", ""), std::string("/tmp/路点.wpt"));
        QCOMPARE(again.GetInt("Serial Port Commmunications", "速率", 4800), 9600);
        QCOMPARE(again.GetInt("Serial Port Commmunications", "端口", 1), 1);
    }

    void corruptOrUnreadableFileReadsAsDefaults()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s.conf"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[\xff\xfe\x00garbage\n=\n[设置\nRunCount=abc\n\x01\x02", 30);
        f.close();
        QtSettingsStore s(file);
        QCOMPARE(s.GetInt("设置", "RunCount", 0), 0);
        s.SetInt("设置", "RunCount", 3);
        QCOMPARE(QtSettingsStore(file).GetInt("设置", "RunCount", 0), 3);

        const QString text = dir.filePath(QStringLiteral("t.conf"));
        QFile t(text);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("[%U8BBE%U7F6E]\nRunCount=notanumber\nNoDisclaimer=4294967295\n");
        t.close();
        QtSettingsStore ts(text);
        QCOMPARE(ts.GetInt("设置", "RunCount", 7), 7);
        QCOMPARE(ts.GetInt("设置", "NoDisclaimer", 0), -1);

        QtSettingsStore missing(dir.filePath(QStringLiteral("no/such/dir/x.conf")));
        QCOMPARE(missing.GetText("设置", "AppDir", "NULL"), std::string("NULL"));
    }

    // The standard buttons read in Chinese like the rest of the dialog.
    void standardButtonsReadInChinese()
    {
        QTranslator* translator = InstallQtTranslations(QCoreApplication::instance());
        if (!translator)
            QFAIL("no Chinese Qt translation: build.sh installs qt6-translations-l10n");
        {
            QDialog dialog;
            QDialogButtonBox* buttons = OkCancelButtons(&dialog);
            QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
            QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        }
        // The other tests of this program see Qt's own texts.
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
};

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
