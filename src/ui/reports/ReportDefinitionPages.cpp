#include "ui/reports/ReportDefinitionPages.h"

#include "ui/records/FormFields.h"

#include "core/reports/ReportSheetModel.h"
#include "render/reports/ReportFonts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>
#include <utility>

namespace {

QLineEdit* NewTextEdit(QWidget* owner, const QString& objectName, const QString& text,
                       std::function<void(const QString&)> changed)
{
    auto* edit = new QLineEdit(text, owner);
    edit->setObjectName(objectName);
    edit->setMaxLength(ReportSheetModel::kMaxTextLength);
    QObject::connect(edit, &QLineEdit::textChanged, owner, std::move(changed));
    return edit;
}

QCheckBox* NewCheck(QWidget* owner, const QString& caption, const QString& objectName, bool checked,
                    std::function<void(bool)> changed)
{
    auto* box = new QCheckBox(caption, owner);
    box->setObjectName(objectName);
    box->setChecked(checked);
    QObject::connect(box, &QCheckBox::toggled, owner, std::move(changed));
    return box;
}

// The row of the list box, or -1 when none is selected.
int SelectedRow(const QListWidget& list)
{
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.constFirst());
}

void ShowRows(QListWidget& list, const QStringList& rows, int selected)
{
    list.clear();
    list.addItems(rows);
    if (selected >= 0 && selected < list.count())
        list.setCurrentRow(selected);
    else
        list.clearSelection();
}

} // namespace

QButtonGroup* AddAlignmentRadios(QWidget* owner, QLayout& layout, const QString& prefix, int current,
                                 std::function<void(int)> changed)
{
    auto* group = new QButtonGroup(owner);
    static constexpr std::array<std::pair<const char*, const char*>, 3> kRadios = {
        std::pair{"Center", "CenterRadio"}, std::pair{"Left", "LeftRadio"}, std::pair{"Right", "RightRadio"}};
    for (int code = 0; code < int(kRadios.size()); ++code) {
        auto* radio = new QRadioButton(QString::fromLatin1(kRadios[size_t(code)].first), owner);
        radio->setObjectName(prefix + QString::fromLatin1(kRadios[size_t(code)].second));
        radio->setChecked(code == current);
        group->addButton(radio, code);
        layout.addWidget(radio);
    }
    QObject::connect(group, &QButtonGroup::idClicked, owner, std::move(changed));
    return group;
}

// --- General ---

ReportGeneralPage::ReportGeneralPage(ReportSheetModel& model, FontChooser chooser, QWidget* parent)
    : QWidget(parent), m_model(model), m_chooser(std::move(chooser))
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_name = NewTextEdit(this, QStringLiteral("nameEdit"), m_model.name(),
                         [this](const QString& text) { m_model.setName(text); });
    form->addRow(QStringLiteral("Report &Name:"), m_name);

    const auto addTitle = [&](const QString& caption, const QString& stem, QLineEdit* edit, int alignment,
                              std::function<void(int)> aligned) {
        auto* box = new QGroupBox(caption, this);
        auto* row = new QHBoxLayout(box);
        row->addWidget(edit, 1);
        AddAlignmentRadios(this, *row, stem, alignment, std::move(aligned));
        layout->addWidget(box);
    };
    addTitle(QStringLiteral("Report Title"), QStringLiteral("title"),
             NewTextEdit(this, QStringLiteral("titleEdit"), m_model.title(),
                         [this](const QString& text) { m_model.setTitle(text); }),
             m_model.titleAlignment(), [this](int code) { m_model.setTitleAlignment(code); });
    addTitle(QStringLiteral("Statistics Title"), QStringLiteral("statisticsTitle"),
             NewTextEdit(this, QStringLiteral("statisticsTitleEdit"), m_model.statisticsTitle(),
                         [this](const QString& text) { m_model.setStatisticsTitle(text); }),
             m_model.statisticsTitleAlignment(),
             [this](int code) { m_model.setStatisticsTitleAlignment(code); });

    auto* checks = new QHBoxLayout;
    layout->addLayout(checks);
    checks->addWidget(NewCheck(this, QStringLiteral("&Page Numbers"), QStringLiteral("pageNumbersBox"),
                               m_model.pageNumbers(), [this](bool on) { m_model.setPageNumbers(on); }));
    checks->addWidget(NewCheck(this, QStringLiteral("&Company Information"),
                               QStringLiteral("companyInformationBox"), m_model.companyInformation(),
                               [this](bool on) { m_model.setCompanyInformation(on); }));
    checks->addStretch();

    auto* fonts = new QGroupBox(QStringLiteral("Fonts"), this);
    auto* grid = new QGridLayout(fonts);
    struct Line
    {
        const char* label;
        const char* name;
        ReportFontSlot slot;
    };
    static constexpr std::array<Line, ReportFontCount> kLines = {{
        {"Report Title:", "titleFont", TitleFont},
        {"Company Name:", "companyNameFont", CompanyNameFont},
        {"Company Info:", "companyInfoFont", CompanyInfoFont},
        {"Body:", "bodyFont", BodyFont},
        {"Column Headers:", "columnHeadersFont", ColumnHeadersFont},
        {"Statistics Title:", "statisticsTitleFont", StatisticsTitleFont},
    }};
    for (int row = 0; row < ReportFontCount; ++row) {
        const Line& line = kLines[size_t(row)];
        const QString name = QString::fromLatin1(line.name);
        grid->addWidget(new QLabel(QString::fromLatin1(line.label), fonts), row, 0);
        auto* description = new QLabel(m_model.fontDescription(line.slot), fonts);
        description->setObjectName(name + QStringLiteral("Text"));
        description->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        description->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
        grid->addWidget(description, row, 1);
        m_fonts[size_t(line.slot)] = description;
        QPushButton* select = NewButton(fonts, QStringLiteral("Select"), name + QStringLiteral("Button"));
        grid->addWidget(select, row, 2);
        connect(select, &QPushButton::clicked, this, [this, slot = line.slot] { choose(slot); });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(fonts);
    layout->addStretch();
}

void ReportGeneralPage::choose(ReportFontSlot slot)
{
    const std::optional<QFont> chosen = m_chooser(this, ToQFont(m_model.font(slot)));
    if (!chosen)
        return;
    m_model.setFont(slot, FromQFont(*chosen));
    m_fonts[size_t(slot)]->setText(m_model.fontDescription(slot));
}

// --- The two-list choice ---

TwoListChooser::TwoListChooser(Lists lists, const QString& stem, const QString& availableLabel,
                               const QString& includedLabel, const std::array<QString, 4>& buttonCaptions,
                               QWidget* parent)
    : QWidget(parent), m_lists(std::move(lists)), m_available(new QListWidget(this)),
      m_included(new QListWidget(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    m_available->setObjectName(QStringLiteral("available%1sList").arg(stem));
    m_included->setObjectName(QStringLiteral("included%1sList").arg(stem));
    grid->addWidget(new QLabel(availableLabel, this), 0, 0);
    grid->addWidget(new QLabel(includedLabel, this), 0, 2);
    grid->addWidget(m_available, 1, 0);
    grid->addWidget(m_included, 1, 2);

    auto* buttons = new QVBoxLayout;
    grid->addLayout(buttons, 1, 1);
    static constexpr std::array<const char*, 4> kNames = {"add", "remove", "move%1Up", "move%1Down"};
    buttons->addStretch();
    for (size_t i = 0; i < kNames.size(); ++i) {
        QString name = QString::fromLatin1(kNames[i]);
        name = name.contains(u'%') ? name.arg(stem) : name + stem;
        QPushButton* button = AddButton(this, *buttons, buttonCaptions[i], name + QStringLiteral("Button"));
        connect(button, &QPushButton::clicked, this, [this, i] {
            if (m_lists.actions[i]())
                refresh();
        });
        if (i == 1)
            buttons->addSpacing(fontMetrics().height());
    }
    buttons->addStretch();

    connect(m_available, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_refreshing)
            m_lists.selectAvailable(SelectedRow(*m_available));
    });
    connect(m_included, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_refreshing)
            m_lists.selectIncluded(SelectedRow(*m_included));
    });
    // A double click moves the entry across, as Add and Remove do.
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_lists.actions[0]())
            refresh();
    });
    connect(m_included, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_lists.actions[1]())
            refresh();
    });
    refresh();
}

void TwoListChooser::refresh()
{
    m_refreshing = true;
    ShowRows(*m_available, m_lists.available(), m_lists.selectedAvailable());
    ShowRows(*m_included, m_lists.included(), m_lists.selectedIncluded());
    m_refreshing = false;
}

// --- List ---

ReportListPage::ReportListPage(ReportSheetModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* layout = new QVBoxLayout(this);
    m_showList = NewCheck(this, QStringLiteral("Show &List"), QStringLiteral("showListBox"),
                          m_model.showList(), [this](bool on) { m_model.setShowList(on); });
    layout->addWidget(m_showList);
    const auto headers = [](const QList<ReportColumn>& columns) {
        QStringList shown;
        for (const ReportColumn& column : columns)
            shown.append(column.header);
        return shown;
    };
    ReportSheetModel* m = &m_model;
    TwoListChooser::Lists lists{
        [m, headers] { return headers(m->availableFields()); },
        [m, headers] { return headers(m->reportFields()); },
        [m] { return m->selectedAvailableField(); },
        [m] { return m->selectedReportField(); },
        [m](int row) { m->selectAvailableField(row); },
        [m](int row) { m->selectReportField(row); },
        {[m] { return m->addField(); }, [m] { return m->removeField(); }, [m] { return m->moveFieldUp(); },
         [m] { return m->moveFieldDown(); }},
    };
    m_fields = new TwoListChooser(std::move(lists), QStringLiteral("Field"),
                                  QStringLiteral("Available Fields"), QStringLiteral("Report Fields"),
                                  {QStringLiteral("&Add >>"), QStringLiteral("<< &Remove"),
                                   QStringLiteral("Move Up"), QStringLiteral("Move Down")},
                                  this);
    layout->addWidget(m_fields, 1);
}

void ReportListPage::refresh()
{
    m_showList->setChecked(m_model.showList());
    m_fields->refresh();
}

// --- List Advanced ---

ReportListAdvancedPage::ReportListAdvancedPage(ReportSheetModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_query(new QComboBox(this)), m_column(new QComboBox(this)),
      m_originalName(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    auto* queryRow = new QHBoxLayout;
    layout->addLayout(queryRow);
    m_applyQuery = NewCheck(this, QStringLiteral("Apply &Query to List"), QStringLiteral("applyQueryBox"),
                            m_model.applyQuery(), [this](bool on) {
                                m_model.setApplyQuery(on);
                                m_query->setEnabled(on);
                                // Applying a query without one chosen takes the first.
                                if (on && m_model.queryName().isEmpty() && m_query->count() > 0)
                                    m_query->setCurrentIndex(0);
                            });
    queryRow->addWidget(m_applyQuery);
    m_query->setObjectName(QStringLiteral("queryCombo"));
    queryRow->addWidget(m_query, 1);
    connect(m_query, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!m_refreshing)
            m_model.setQueryName(text);
    });

    struct LineBox
    {
        const char* caption;
        const char* name;
        bool (ReportSheetModel::*get)() const;
        void (ReportSheetModel::*set)(bool);
    };
    static constexpr LineBox kLineBoxes[] = {
        {"Show &Horizontal Lines", "horizontalLinesBox", &ReportSheetModel::horizontalLines,
         &ReportSheetModel::setHorizontalLines},
        {"Show &Vertical Lines", "verticalLinesBox", &ReportSheetModel::verticalLines,
         &ReportSheetModel::setVerticalLines},
        {"Show Record Numbers", "recordNumbersBox", &ReportSheetModel::showRecordNumbers,
         &ReportSheetModel::setShowRecordNumbers},
    };
    ReportSheetModel* sheetModel = &m_model;
    for (const LineBox& box : kLineBoxes) {
        const auto set = box.set;
        layout->addWidget(NewCheck(this, QString::fromLatin1(box.caption), QString::fromLatin1(box.name),
                                   (m_model.*box.get)(),
                                   [sheetModel, set](bool on) { (sheetModel->*set)(on); }));
    }

    auto* display = new QGroupBox(QStringLiteral("Field Display"), this);
    layout->addWidget(display);
    auto* grid = new QGridLayout(display);
    m_column->setObjectName(QStringLiteral("columnCombo"));
    grid->addWidget(m_column, 0, 0);
    auto* original = new QHBoxLayout;
    original->addWidget(new QLabel(QStringLiteral("Original Name:"), display));
    m_originalName->setObjectName(QStringLiteral("originalNameText"));
    original->addWidget(m_originalName, 1);
    grid->addLayout(original, 1, 0);

    m_header = NewTextEdit(this, QStringLiteral("headerEdit"), QString(),
                           [this](const QString& text) { m_model.setHeaderText(text); });
    grid->addWidget(m_header, 0, 2);
    QPushButton* apply = NewButton(display, QStringLiteral("<< Apply"), QStringLiteral("applyButton"));
    grid->addWidget(apply, 0, 1);
    auto* radios = new QHBoxLayout;
    m_alignment = AddAlignmentRadios(display, *radios, QStringLiteral("column"), m_model.columnAlignment(),
                                     [this](int code) { m_model.setColumnAlignment(code); });
    grid->addLayout(radios, 1, 2);

    QPushButton* sortBy = NewButton(display, QStringLiteral("Sort By >>"), QStringLiteral("sortByButton"));
    grid->addWidget(sortBy, 2, 1);
    m_sort = NewTextEdit(this, QStringLiteral("sortEdit"), m_model.sortText(),
                         [this](const QString& text) { m_model.setSortText(text); });
    grid->addWidget(m_sort, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    layout->addStretch();

    connect(m_column, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_refreshing)
            return;
        m_model.selectColumn(index);
        showColumn();
    });
    connect(apply, &QPushButton::clicked, this, [this] {
        if (m_model.applyColumn())
            refresh();
    });
    connect(sortBy, &QPushButton::clicked, this, [this] {
        if (m_model.sortBy())
            m_sort->setText(m_model.sortText());
    });
    refresh();
}

void ReportListAdvancedPage::refresh()
{
    m_refreshing = true;
    // A report whose query has since been deleted keeps naming it.
    QStringList queries = m_model.queryNames();
    if (!m_model.queryName().isEmpty() && !queries.contains(m_model.queryName()))
        queries.append(m_model.queryName());
    m_query->clear();
    m_query->addItems(queries);
    m_query->setCurrentIndex(queries.indexOf(m_model.queryName()));
    m_query->setEnabled(m_model.applyQuery());
    m_applyQuery->setChecked(m_model.applyQuery());

    m_column->clear();
    m_column->addItems(m_model.columnHeaders());
    m_column->setCurrentIndex(m_model.selectedColumn());
    m_sort->setText(m_model.sortText());
    m_refreshing = false;
    showColumn();
}

void ReportListAdvancedPage::showColumn()
{
    m_originalName->setText(m_model.originalName());
    m_header->setText(m_model.headerText());
    if (QAbstractButton* radio = m_alignment->button(m_model.columnAlignment()))
        radio->setChecked(true);
}

// --- Statistics ---

ReportStatisticsPage::ReportStatisticsPage(ReportSheetModel& model, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    ReportSheetModel* m = &model;
    TwoListChooser::Lists lists{
        [m] { return m->availableStatistics(); },
        [m] { return m->includedStatistics(); },
        [m] { return m->selectedAvailableStatistic(); },
        [m] { return m->selectedIncludedStatistic(); },
        [m](int row) { m->selectAvailableStatistic(row); },
        [m](int row) { m->selectIncludedStatistic(row); },
        {[m] { return m->addStatistic(); }, [m] { return m->removeStatistic(); },
         [m] { return m->moveStatisticUp(); }, [m] { return m->moveStatisticDown(); }},
    };
    m_statistics =
        new TwoListChooser(std::move(lists), QStringLiteral("Statistic"),
                           QStringLiteral("Available Statistics"), QStringLiteral("Included Statistics"),
                           {QStringLiteral("Add >>"), QStringLiteral("<< Remove"), QStringLiteral("Move Up"),
                            QStringLiteral("Move Down")},
                           this);
    layout->addWidget(m_statistics, 1);
}
