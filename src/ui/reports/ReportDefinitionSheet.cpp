#include "ui/reports/ReportDefinitionSheet.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/reports/ReportDefinitionPages.h"

#include "core/reports/ReportSheetModel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

ReportDefinitionSheet::ReportDefinitionSheet(ReportSheetModel& model, FontChooser chooser, QWidget* parent)
    : QDialog(parent), m_model(model), m_pages(new QTabWidget(this)),
      m_general(new ReportGeneralPage(model, std::move(chooser), m_pages)),
      m_list(new ReportListPage(model, m_pages)), m_advanced(new ReportListAdvancedPage(model, m_pages)),
      m_statistics(new ReportStatisticsPage(model, m_pages))
{
    setObjectName(QStringLiteral("reportDefinitionSheet"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addTab(m_general, QStringLiteral("General"));
    m_pages->addTab(m_list, QStringLiteral("List"));
    m_pages->addTab(m_advanced, QStringLiteral("List Advanced"));
    m_pages->addTab(m_statistics, QStringLiteral("Statistics"));
    layout->addWidget(m_pages);
    connect(m_pages, &QTabWidget::currentChanged, this, &ReportDefinitionSheet::pageShown);

    AddOkCancel(*this, *layout, [this] {
        const ReportSheetModel::Result result = m_model.save();
        if (result.saved) {
            accept();
        } else if (result.focus == ReportSheetModel::Field::Name) {
            m_pages->setCurrentWidget(m_general);
            FocusRefused(m_general->nameEdit());
        }
    })->setObjectName(QStringLiteral("okButton"));
    m_general->nameEdit()->setFocus();
    m_general->nameEdit()->selectAll();
}

void ReportDefinitionSheet::pageShown(int index)
{
    // The List page changes the columns the other pages show.
    if (m_pages->widget(index) == m_list)
        m_list->refresh();
    else if (m_pages->widget(index) == m_advanced)
        m_advanced->refresh();
    else if (m_pages->widget(index) == m_statistics)
        m_statistics->refresh();
}

bool RunReportSheet(ReportSheetModel& model, const FontChooser& chooser, QWidget* parent)
{
    ReportDefinitionSheet sheet(model, chooser, parent);
    return sheet.exec() == QDialog::Accepted;
}
