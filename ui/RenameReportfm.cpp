#include "ui/RenameReportfm.h"

#include "ui/Application.h"
#include "ui/SkinForm.h"
#include "ui/Skinctrldm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TRenameReportForm::TRenameReportForm(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("RenameReportForm"));
    setWindowTitle(QStringLiteral("重命名报告"));
    setFont(TSkinCtrlModule::FormFont());
    setModal(false);
    bsBusinessSkinForm1 = new TSkinForm(this, {{.Icon = false, .MinButton = false, .MaxButton = true}, true});
    QWidget* client = bsBusinessSkinForm1->Client;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    lblSummary = new QLabel(client);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setTextFormat(Qt::PlainText);
    layout->addWidget(lblSummary);

    lvReport = new QTreeWidget(client);
    lvReport->setObjectName(QStringLiteral("lvReport"));
    lvReport->setColumnCount(2);
    lvReport->setHeaderLabels({QStringLiteral("文件"), QStringLiteral("原因")});
    lvReport->setRootIsDecorated(false);
    lvReport->setUniformRowHeights(true);
    lvReport->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvReport->header()->resizeSection(0, 240);
    layout->addWidget(lvReport, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnClose = new QPushButton(QStringLiteral("关闭"), client);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setFixedSize(75, 25);
    buttons->addWidget(btnClose);
    layout->addLayout(buttons);

    bsBusinessSkinForm1->SetClientSize(QSize(560, 300));

    connect(btnClose, &QPushButton::clicked, this, Guarded([this] { btnCloseClick(btnClose); }));
}

void TRenameReportForm::SetReport(const QString& summary, const std::vector<TRow>& rows)
{
    lblSummary->setText(summary);
    lvReport->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(rows.size()));
    for (const TRow& row : rows) {
        auto* item = new QTreeWidgetItem({row.File, row.Reason});
        item->setToolTip(1, row.Reason);
        items << item;
    }
    lvReport->addTopLevelItems(items);
}

void TRenameReportForm::btnCloseClick(QObject*)
{
    close();
}
