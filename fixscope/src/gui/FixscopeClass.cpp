#include "gui/FixscopeClass.h"

#include "core/SerialChannel.h"
#include "gui/ControlIds.h"
#include "gui/Controls.h"
#include "gui/GpsSetupWnd.h"
#include "gui/GpsStausWnd.h"

#include <QAction>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>

namespace fixscope {

FixscopeClass::FixscopeClass(QWidget* parent)
    : QMainWindow(parent), device_(std::make_unique<SerialChannel>()), tabs_(new QTabWidget),
      setup_(new GpsSetupWnd(*device_)), status_(new GpsStausWnd(*device_))
{
    setObjectName(QStringLiteral("FixscopeClass"));
    setWindowTitle(QStringLiteral("Fixscope"));

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    QAction* about = tools->addAction(QStringLiteral("About..."), this, &FixscopeClass::ShowAbout);
    SetControlId(about, IDM_ABOUT);
    tools->addSeparator();
    QAction* exit = tools->addAction(QStringLiteral("Exit"), this, &QWidget::close);
    SetControlId(exit, IDM_EXIT);

    SetControlId(tabs_, IDC_TABS);
    tabs_->setDocumentMode(true);
    tabs_->addTab(setup_, QStringLiteral("Setup"));
    tabs_->addTab(status_, QStringLiteral("GPS Status"));
    tabs_->setCurrentIndex(SetupPage);
    setCentralWidget(tabs_);
    connect(setup_, &GpsSetupWnd::deviceOpenChanged, status_, &GpsStausWnd::SetDeviceOpen);

    resize(360, 480);
    setMinimumSize(240, 320);
}

FixscopeClass::~FixscopeClass()
{
    // Close first: it ends the reader and any write in progress; then the
    // pages go while the device they point at still exists.
    device_->Close();
    delete takeCentralWidget();
}

void FixscopeClass::ShowPage(Page page)
{
    tabs_->setCurrentIndex(page);
}

void FixscopeClass::ShowAbout()
{
    QMessageBox::about(this, QStringLiteral("About Fixscope"),
                       QStringLiteral("<b>Fixscope</b> %1<br>GPS receiver viewer and set-up "
                                      "utility.")
                           .arg(QStringLiteral(FIXSCOPE_VERSION)));
}

} // namespace fixscope
