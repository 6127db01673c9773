#include "ui/io/CsvImportDialog.h"

#include "core/io/CsvImport.h"
#include "ui/common/WaitCursor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

CsvImportDialog::CsvImportDialog(CsvImportModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_preview(new QTableWidget(this)), m_report(new QPlainTextEdit(this))
{
    setWindowTitle(model.caption());
    auto* help =
        new QLabel(QStringLiteral("%1\n%2").arg(QFileInfo(model.path()).fileName(), model.helpLine()), this);
    help->setWordWrap(true);

    // One chooser a column, in the file's order, reachable by keyboard alone.
    auto* fields = new QWidget;
    auto* form = new QFormLayout(fields);
    const QStringList choices = model.fieldChoices();
    for (int column = 0; column < model.header().size(); ++column) {
        auto* choice = new QComboBox(fields);
        choice->setObjectName(QStringLiteral("column%1").arg(column));
        choice->addItems(choices);
        choice->setCurrentIndex(model.mapping(column));
        QString name = model.header()[column];
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        form->addRow(
            QStringLiteral("%1:").arg(name.isEmpty() ? QStringLiteral("(column %1)").arg(column + 1) : name),
            choice);
        connect(choice, &QComboBox::activated, this, [this, column](int index) {
            m_model.setMapping(column, index);
            showMapping();
        });
        m_choices.append(choice);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(fields);
    scroll->setWidgetResizable(true);

    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setColumnCount(static_cast<int>(model.header().size()));
    m_preview->setRowCount(static_cast<int>(model.previewRows().size()));
    for (int row = 0; row < model.previewRows().size(); ++row) {
        const QStringList& values = model.previewRows()[row];
        for (int column = 0; column < values.size() && column < model.header().size(); ++column)
            m_preview->setItem(row, column, new QTableWidgetItem(values[column]));
    }
    m_report->setObjectName(QStringLiteral("report"));
    m_report->setReadOnly(true);
    m_report->setPlaceholderText(QStringLiteral("Check shows here which rows can be imported."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* check = buttons->addButton(QStringLiteral("&Check"), QDialogButtonBox::ActionRole);
    check->setObjectName(QStringLiteral("checkButton"));
    QPushButton* import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    import->setObjectName(QStringLiteral("importButton"));
    import->setDefault(true);

    auto* previewLabel = new QLabel(QStringLiteral("&First rows of the file:"), this);
    previewLabel->setBuddy(m_preview);
    auto* reportLabel = new QLabel(QStringLiteral("&Rows checked:"), this);
    reportLabel->setBuddy(m_report);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addWidget(scroll, 3);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 3);
    layout->addWidget(reportLabel);
    layout->addWidget(m_report, 2);
    layout->addWidget(buttons);
    resize(720, 640);
    showMapping();
    if (!m_choices.isEmpty())
        m_choices.first()->setFocus();

    connect(check, &QPushButton::clicked, this, &CsvImportDialog::runCheck);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // No wait cursor here: the import may ask whether to go on without the
    // refused rows, and it tells how many rows it added.
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_model.save().saved)
            accept();
    });
}

void CsvImportDialog::showMapping()
{
    const QStringList choices = m_model.fieldChoices();
    QStringList titles;
    for (int column = 0; column < m_model.header().size(); ++column) {
        const int choice = m_model.mapping(column);
        m_choices[column]->setCurrentIndex(choice);
        titles.append(QStringLiteral("%1\n%2").arg(
            m_model.header()[column], choice > 0 ? QStringLiteral("→ %1").arg(choices[choice]) : choices[0]));
    }
    m_preview->setHorizontalHeaderLabels(titles);
    // Wide enough for the field each column goes to, but a long description
    // does not push the other columns out of sight.
    m_preview->resizeColumnsToContents();
    const int widest = m_preview->fontMetrics().averageCharWidth() * 40;
    for (int column = 0; column < m_preview->columnCount(); ++column)
        m_preview->setColumnWidth(column, qMin(m_preview->columnWidth(column), widest));
    m_report->clear();
}

void CsvImportDialog::runCheck()
{
    CsvImportModel::CheckReport report;
    {
        WaitCursor busy;
        report = m_model.check();
    }
    m_report->setPlainText(CsvImportModel::reportText(report));
}
