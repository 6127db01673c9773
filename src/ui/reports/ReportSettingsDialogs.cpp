#include "ui/reports/ReportSettingsDialogs.h"

#include "ui/common/DateEdit.h"
#include "ui/common/DesktopServices.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/RecordPicker.h"
#include "ui/records/FindRecordButton.h"
#include "ui/records/FormFields.h"

#include "render/reports/ReportFonts.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using QuickReportFonts::Line;

std::optional<QFont> ChooseFontWithDialog(QWidget* parent, const QFont& current)
{
    // A face this machine lacks (Times New Roman where only its metric twin is
    // installed) is offered as the face that stands in for it; the chooser would
    // otherwise open on some other face and OK would change the font unasked.
    QFont shown = current;
    if (!QFontDatabase::families().contains(current.family()))
        shown.setFamily(QFontInfo(current).family());
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, shown, parent);
    if (!chosen)
        return std::nullopt;
    // The stand-in taken as it was offered keeps the stored face.
    const bool unchanged = font.family() == shown.family() && font.pointSizeF() == shown.pointSizeF() &&
                           font.weight() == shown.weight() && font.italic() == shown.italic() &&
                           font.underline() == shown.underline() && font.strikeOut() == shown.strikeOut();
    return unchanged ? current : font;
}

// --- Quick Report Settings ---

QuickReportSettingsDialog::QuickReportSettingsDialog(QuickReportSettingsModel& model, FontChooser chooser,
                                                     QWidget* parent)
    : QDialog(parent), m_model(model), m_chooser(std::move(chooser))
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    AddHelpLine(this, *layout, m_model.helpLine());
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    static constexpr std::array<const char*, QuickReportFonts::LineCount> kNames = {
        "title", "companyName", "companyInfo", "columnHeaders", "body"};
    for (int i = 0; i < QuickReportFonts::LineCount; ++i) {
        const auto line = static_cast<Line>(i);
        const QString name = QString::fromLatin1(kNames[static_cast<size_t>(i)]);
        grid->addWidget(new QLabel(QuickReportFonts::label(line), this), i, 0);
        auto* description = new QLabel(m_model.description(line), this);
        description->setObjectName(name + QStringLiteral("Text"));
        description->setTextInteractionFlags(Qt::TextSelectableByMouse);
        description->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
        grid->addWidget(description, i, 1);
        m_descriptions[static_cast<size_t>(i)] = description;
        QPushButton* select = NewButton(this, QStringLiteral("Select"), name + QStringLiteral("Button"));
        grid->addWidget(select, i, 2);
        connect(select, &QPushButton::clicked, this, [this, line] { choose(line); });
    }
    AddOkCancel(*this, *layout, [this] {
        if (m_model.save().saved)
            accept();
    })->setObjectName(QStringLiteral("okButton"));
}

void QuickReportSettingsDialog::choose(Line line)
{
    const std::optional<QFont> chosen = m_chooser(this, ToQFont(m_model.font(line)));
    if (!chosen)
        return;
    m_model.setFont(line, FromQFont(*chosen));
    m_descriptions[static_cast<size_t>(line)]->setText(m_model.description(line));
}

void RunQuickReportSettings(QWidget* parent, const QString& reportPath, const DesktopServices& services,
                            const FontChooser& chooser)
{
    QuickReportSettingsModel model(reportPath, services.prompter, services.clock);
    QuickReportSettingsDialog dialog(model, chooser, parent);
    dialog.exec();
}

// --- Date Range ---

DateRangeDialog::DateRangeDialog(DateRangeModel& model, const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_start(new DateEdit(services.clock, this)),
      m_end(new DateEdit(services.clock, this))
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    AddHelpLine(this, *layout, m_model.helpLine());
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    m_start->setObjectName(QStringLiteral("startEdit"));
    m_start->setText(m_model.startText());
    m_end->setObjectName(QStringLiteral("endEdit"));
    m_end->setText(m_model.endText());
    row->addWidget(m_start);
    row->addWidget(new QLabel(QStringLiteral("to"), this));
    row->addWidget(m_end);
    AddOkCancel(*this, *layout, [this] {
        m_model.setStartText(m_start->text());
        m_model.setEndText(m_end->text());
        const DateRangeModel::Result result = m_model.save();
        QWidget* focus = result.focus == DateRangeModel::Field::Start ? m_start
                         : result.focus == DateRangeModel::Field::End ? m_end
                                                                      : nullptr;
        AcceptOrFocusRefused(*this, result.saved, focus);
    })->setObjectName(QStringLiteral("okButton"));
    m_start->setFocus();
    m_start->selectAll();
}

std::optional<std::pair<DateTime, DateTime>> AskDateRange(QWidget* parent, const DesktopServices& services)
{
    DateRangeModel model(services.prompter, services.clock);
    DateRangeDialog dialog(model, services, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::pair{model.start(), model.end()};
}

// --- Additional Report Information ---

ReportCriteriaDialog::ReportCriteriaDialog(ReportCriteriaModel& model, ProjectTables& tables,
                                           const DesktopServices& services, QWidget* parent)
    : QDialog(parent), m_model(model), m_vendor(new RecordPicker(RecordPicker::Kind::Vendor, this)),
      m_applies(new QCheckBox(QStringLiteral("Apply Vendor Criteria"), this))
{
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);
    AddHelpLine(this, *layout, m_model.helpLine());

    auto* vendorRow = new QHBoxLayout;
    layout->addLayout(vendorRow);
    m_vendor->setObjectName(QStringLiteral("vendorBox"));
    m_vendor->setEntries(m_model.vendorEntries(), m_model.vendorID());
    vendorRow->addWidget(m_vendor, 1);
    vendorRow->addWidget(AddFindButton(*m_vendor, tables, services.prompter, QStringLiteral("Find Vendor")));
    m_applies->setObjectName(QStringLiteral("applyBox"));
    m_applies->setChecked(m_model.appliesVendor());
    layout->addWidget(m_applies);

    auto* sorting = new QGroupBox(QStringLiteral("Report Sorting"), this);
    auto* radios = new QHBoxLayout(sorting);
    static constexpr std::array<std::pair<const char*, const char*>, 3> kSortings = {
        std::pair{"Item ID", "byIdRadio"}, std::pair{"Item Name", "byNameRadio"},
        std::pair{"Item Number", "byNumberRadio"}};
    for (size_t i = 0; i < kSortings.size(); ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(kSortings[i].first), sorting);
        radio->setObjectName(QString::fromLatin1(kSortings[i].second));
        radio->setChecked(static_cast<size_t>(m_model.sorting()) == i);
        radios->addWidget(radio);
        m_sortings[i] = radio;
    }
    layout->addWidget(sorting);

    QPushButton* next = AddOkCancel(*this, *layout, [this] {
        m_model.selectVendor(m_vendor->currentId());
        m_model.setAppliesVendor(m_applies->isChecked());
        for (size_t i = 0; i < m_sortings.size(); ++i) {
            if (m_sortings[i]->isChecked())
                m_model.setSorting(static_cast<ItemSorting>(i));
        }
        const ReportCriteriaModel::Result result = m_model.save();
        AcceptOrFocusRefused(*this, result.saved,
                             result.focus == ReportCriteriaModel::Field::Vendor ? m_vendor : nullptr);
    });
    next->setText(QStringLiteral("Next >>"));
    next->setObjectName(QStringLiteral("nextButton"));
    m_vendor->setFocus();
}

std::optional<ItemCriteria> AskReportCriteria(QWidget* parent, ProjectTables& tables,
                                              const DesktopServices& services)
{
    ReportCriteriaModel model(tables, services.prompter);
    ReportCriteriaDialog dialog(model, tables, services, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return model.criteria();
}
