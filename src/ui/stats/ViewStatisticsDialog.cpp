#include "ui/stats/ViewStatisticsDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/WaitCursor.h"
#include "ui/records/FormFields.h"
#include "ui/stats/StatisticsProgress.h"

#include "core/stats/ViewStatisticsModel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

ViewStatisticsDialog::ViewStatisticsDialog(ViewStatisticsModel& model, UserSettings& settings,
                                           StatisticsProgress& progress, QWidget* parent)
    : QDialog(parent), m_model(model), m_settings(settings), m_progress(progress)
{
    setWindowTitle(m_model.caption());
    m_progress.setParent(this);
    auto* layout = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("statisticList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({QStringLiteral("Statistic"), QStringLiteral("Value")});
    m_list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_list->header()->setStretchLastSection(false);
    for (int column = 0; column < 2; ++column)
        m_list->setColumnWidth(column, ViewStatisticsModel::columnWidth(m_settings, column));
    layout->addWidget(m_list, 1);

    m_intermediate = new QCheckBox(QStringLiteral("View &intermediate statistics"), this);
    m_intermediate->setObjectName(QStringLiteral("intermediateCheck"));
    m_intermediate->setChecked(m_model.viewIntermediate());
    layout->addWidget(m_intermediate);
    connect(m_intermediate, &QCheckBox::toggled, this, &ViewStatisticsDialog::setViewIntermediate);

    auto* location = new QGroupBox(QStringLiteral("Location"), this);
    auto* form = new QFormLayout(location);
    AddFormText(location, *form, QStringLiteral("Listing :"), QStringLiteral("listingText"),
                m_model.listingName());
    AddFormText(location, *form, QStringLiteral("Selection :"), QStringLiteral("selectionText"),
                m_model.selectionText());
    layout->addWidget(location);

    QPushButton* done = AddOkCancel(
        *this, *layout, [this] { accept(); }, false);
    done->setText(QStringLiteral("Done"));
    done->setObjectName(QStringLiteral("doneButton"));

    showRows();
    // Nothing is chosen in the list until the user does.
    done->setFocus();
    // Room for both columns as the user left them, the scroll bar and the frame.
    resize(std::max(sizeHint().width(), m_list->columnWidth(0) + m_list->columnWidth(1) + 60),
           std::max(sizeHint().height(), 360));
}

void ViewStatisticsDialog::done(int result)
{
    for (int column = 0; column < 2; ++column)
        ViewStatisticsModel::setColumnWidth(m_settings, column, m_list->columnWidth(column));
    QDialog::done(result);
}

void ViewStatisticsDialog::showRows()
{
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_model.rows().size());
    for (const ViewStatisticsModel::Row& row : m_model.rows()) {
        auto* item = new QTreeWidgetItem({row.name, row.value});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
}

void ViewStatisticsDialog::setViewIntermediate(bool on)
{
    bool filled = false;
    {
        const WaitCursor wait;
        filled = m_model.setViewIntermediate(on);
        m_progress.finish();
    }
    if (filled) {
        showRows();
        return;
    }
    // Cancelled: the list and the box stay as they were.
    const QSignalBlocker quiet(m_intermediate);
    m_intermediate->setChecked(m_model.viewIntermediate());
}

void RunViewStatistics(QWidget* parent, ProjectTables& tables, const CProjectSettings& settings,
                       UserSettings& user, std::optional<ListingKind> list, qint32 selected)
{
    StatisticsProgress progress(parent);
    std::unique_ptr<ViewStatisticsModel> model;
    {
        const WaitCursor wait;
        model = std::make_unique<ViewStatisticsModel>(
            tables, settings, list, selected,
            [&progress](int done, int total) { return progress(done, total); });
        progress.finish();
    }
    if (!model->checkPrerequisites())
        return;
    ViewStatisticsDialog dialog(*model, user, progress, parent);
    dialog.exec();
}
