#include "waypoints/gui/SymbolChoice.h"

#include "waypoints/WaypointTables.h"
#include "waypoints/gui/SymbolStrips.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace hw {

SymbolChoice::SymbolChoice(QWidget* parent) : QWidget(parent)
{
    list_ = new QComboBox(this);
    list_->setObjectName(QStringLiteral("SymbolList"));
    list_->setIconSize(QSize(15, 15));
    list_->setMaxVisibleItems(12);
    SymbolStrips& strips = SymbolStrips::Shared();
    for (int i = 0; i < kSymbolCount; ++i)
        list_->addItem(QIcon(strips.Symbol(i, false)),
                       QString::fromStdString(ShownTableName(SymbolNames[i])), i);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("SymbolPreview"));
    preview_->setFixedSize(34, 34);
    preview_->setAlignment(Qt::AlignCenter);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(list_, 1);
    row->addWidget(preview_);
    connect(list_, &QComboBox::activated, this, [this](int index) {
        ShowPreview();
        emit Chosen(list_->itemData(index).toInt());
    });
    connect(list_, &QComboBox::currentIndexChanged, this, [this] { ShowPreview(); });
    ShowPreview();
}

void SymbolChoice::SetSymbol(int icon)
{
    const int index = list_->findData(icon);
    list_->setCurrentIndex(index >= 0 ? index : 0);
    ShowPreview();
}

int SymbolChoice::Symbol() const
{
    return list_->currentData().toInt();
}

void SymbolChoice::ShowPreview()
{
    preview_->setPixmap(SymbolStrips::Shared().Symbol(Symbol(), true));
}

} // namespace hw
