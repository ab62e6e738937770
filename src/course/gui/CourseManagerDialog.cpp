#include "course/gui/CourseManagerDialog.h"

#include "course/CourseGpxWriter.h"
#include "course/CourseManagerHost.h"
#include "course/CourseRow.h"
#include "widgets/UserDialogs.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace hw {
namespace {

enum Column { kName, kLength, kAscent, kTime, kShown, kColour, kColumns };

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

CourseManagerDialog::CourseManagerDialog(CourseManagerHost& host, const UnitFormatter& units,
                                         UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), host_(host), units_(units), dialogs_(dialogs),
      table_(new QTableWidget(0, kColumns, this))
{
    setObjectName(QStringLiteral("CourseManager"));
    setWindowTitle(tr("路线管理"));
    table_->setHorizontalHeaderLabels(
        {tr("名称"), tr("长度"), tr("爬升"), tr("时间"), tr("显示"), tr("颜色")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == kShown)
            host_.ShowCourse(static_cast<size_t>(item->row()), item->checkState() == Qt::Checked);
    });

    auto* buttons = new QHBoxLayout;
    const auto add = [&](const QString& text, auto slot) {
        auto* b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    add(tr("重命名..."), [this] {
        const int row = Selected();
        if (row < 0)
            return;
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, tr("重命名"), tr("名称:"), QLineEdit::Normal,
                                  table_->item(row, kName)->text(), &ok);
        if (ok && !name.trimmed().isEmpty())
            RenameSelected(name.trimmed());
    });
    add(tr("删除"), [this] { DeleteSelected(); });
    add(tr("导出 GPX..."), [this] { ExportSelected(); });
    add(tr("在地图上显示"), [this] {
        if (Selected() >= 0) {
            host_.ShowOnMap(static_cast<size_t>(Selected()));
            accept();
        }
    });
    add(tr("跟随"), [this] { FollowSelected(false); });
    add(tr("反向跟随"), [this] { FollowSelected(true); });

    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    layout->addWidget(close);
    resize(640, 360);
    Fill();
}

void CourseManagerDialog::Fill()
{
    filling_ = true;
    const std::vector<CourseEntry>& entries = host_.Entries();
    table_->setRowCount(static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i);
        const CourseRow texts = CourseRow::From(entries[i], units_);
        const QString cells[] = {Q(texts.name), Q(texts.length), Q(texts.ascent), Q(texts.time)};
        for (int c = kName; c <= kTime; ++c)
            table_->setItem(row, c, new QTableWidgetItem(cells[c]));
        auto* shown = new QTableWidgetItem;
        shown->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        shown->setCheckState(entries[i].shown ? Qt::Checked : Qt::Unchecked);
        table_->setItem(row, kShown, shown);
        auto* colour = new QTableWidgetItem;
        colour->setData(Qt::DecorationRole, QColor(QRgb(entries[i].colour)));
        table_->setItem(row, kColour, colour);
    }
    if (host_.FollowedCourse() >= 0)
        table_->selectRow(host_.FollowedCourse());
    else if (!entries.empty() && Selected() < 0)
        table_->selectRow(0);
    filling_ = false;
}

int CourseManagerDialog::Selected() const
{
    const int row = table_->currentRow();
    return row >= 0 && row < table_->rowCount() ? row : -1;
}

void CourseManagerDialog::Fail(const std::string& error)
{
    dialogs_.Tell(this, Q(error), QMessageBox::Warning);
}

void CourseManagerDialog::RenameSelected(const QString& name)
{
    std::string error;
    if (Selected() >= 0 &&
        !host_.RenameCourse(static_cast<size_t>(Selected()), name.toStdString(), error))
        Fail(error);
    Fill();
}

void CourseManagerDialog::DeleteSelected()
{
    const int row = Selected();
    if (row < 0 || !dialogs_.Ask(this, tr("删除路线 \"%1\"?").arg(table_->item(row, kName)->text()),
                                 QMessageBox::Question))
        return;
    std::string error;
    if (!host_.RemoveCourse(static_cast<size_t>(row), error))
        Fail(error);
    Fill();
}

void CourseManagerDialog::ExportSelected()
{
    const int row = Selected();
    if (row < 0)
        return;
    const Course& course = host_.Entries()[static_cast<size_t>(row)].stored.course;
    const QString path = dialogs_.SaveFile(this, {tr("导出 GPX"), "GPX|*.gpx||",
                                                  Q(course.name) + QStringLiteral(".gpx"),
                                                  QStringLiteral("gpx"), true});
    std::string error;
    if (!path.isEmpty() && !WriteCourseGpx(course, QFile::encodeName(path).toStdString(), error))
        Fail(error);
}

void CourseManagerDialog::FollowSelected(bool reversed)
{
    if (Selected() >= 0 && host_.FollowListed(static_cast<size_t>(Selected()), reversed))
        accept();
}

} // namespace hw
