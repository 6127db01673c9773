#include "ui/reports/QueryDefinitionDialog.h"

#include "ui/common/DialogButtons.h"
#include "ui/common/FocusRefused.h"
#include "ui/common/WholeNumberEdit.h"
#include "ui/records/FormFields.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using Field = QueryDefinitionModel::Field;

namespace {

QComboBox* NewCombo(QWidget* owner, const QStringList& entries, const QString& objectName)
{
    auto* combo = new QComboBox(owner);
    combo->setObjectName(objectName);
    combo->addItems(entries);
    return combo;
}

QLabel* NewLabel(QWidget* owner, const QString& text, const QString& objectName)
{
    auto* label = new QLabel(text, owner);
    label->setObjectName(objectName);
    return label;
}

} // namespace

QueryDefinitionDialog::QueryDefinitionDialog(QueryDefinitionModel& model, QWidget* parent)
    : QDialog(parent), m_model(model)
{
    const WindowFrame frame = OpenWindowFrame(*this, m_model.caption(), m_model.helpLine());
    m_name =
        AddFormEdit(this, *frame.form, QStringLiteral("Query &Name:"), QStringLiteral("nameEdit"), QString());
    AddFormText(this, *frame.form, QStringLiteral("Listing:"), QStringLiteral("tableText"),
                m_model.tableName());

    // SHOW ALL RECORDS IN WHICH ... / SHOW TOP n PERCENT
    auto* showLine = new QHBoxLayout;
    frame.layout->addLayout(showLine);
    auto* showLabel = new QLabel(QStringLiteral("&SHOW"), this);
    m_show = NewCombo(this, QueryDefinitionModel::showEntries(), QStringLiteral("showBox"));
    showLabel->setBuddy(m_show);
    m_count = new WholeNumberEdit(this);
    m_count->setObjectName(QStringLiteral("countEdit"));
    m_count->setMaximumWidth(fontMetrics().averageCharWidth() * 8);
    m_unit = NewCombo(this, QueryDefinitionModel::unitEntries(), QStringLiteral("unitBox"));
    m_recordsInWhich =
        NewLabel(this, QStringLiteral("RECORDS IN WHICH ..."), QStringLiteral("recordsInWhichLabel"));
    for (QWidget* widget :
         {static_cast<QWidget*>(showLabel), static_cast<QWidget*>(m_show), static_cast<QWidget*>(m_count),
          static_cast<QWidget*>(m_unit), static_cast<QWidget*>(m_recordsInWhich)})
        showLine->addWidget(widget);
    showLine->addStretch();

    // ORDERED BY field ASCENDING
    auto* orderLine = new QHBoxLayout;
    frame.layout->addLayout(orderLine);
    m_orderedBy = NewLabel(this, QStringLiteral("ORDERED BY "), QStringLiteral("orderedByLabel"));
    m_orderBy = NewCombo(this, m_model.fieldNames(), QStringLiteral("orderByBox"));
    m_direction = NewCombo(this, QueryDefinitionModel::directionEntries(), QStringLiteral("directionBox"));
    orderLine->addWidget(m_orderedBy);
    orderLine->addWidget(m_orderBy);
    orderLine->addWidget(m_direction);
    orderLine->addStretch();
    m_where = NewLabel(this, QStringLiteral("WHERE"), QStringLiteral("whereLabel"));
    frame.layout->addWidget(m_where);

    auto* criteria = new QGridLayout;
    frame.layout->addLayout(criteria);
    for (int row = 0; row < kQueryCriterionCount; ++row)
        addRow(*criteria, row);
    criteria->setColumnStretch(2, 1);
    criteria->setColumnMinimumWidth(
        3, fontMetrics().horizontalAdvance(QStringLiteral("Format : Simple Integer")));

    m_ok = AddOkCancel(*this, *frame.layout, [this] { confirm(); });
    m_ok->setObjectName(QStringLiteral("okButton"));

    showModel();
    // Every change is the model's at once.
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) { m_model.setName(text); });
    connect(m_show, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_model.setShowTop(index == 1);
        applyShowRule();
    });
    connect(m_count, &QLineEdit::textChanged, this, [this](const QString& text) { m_model.setCount(text); });
    connect(m_unit, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.setPercent(index == 0); });
    connect(m_orderBy, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.setOrderByField(index); });
    connect(m_direction, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model.setDescending(index == 1); });
    for (int row = 0; row < kQueryCriterionCount; ++row) {
        const Row& r = m_rows[static_cast<size_t>(row)];
        connect(r.field, &QComboBox::currentIndexChanged, this, [this, row](int index) {
            m_model.setCriterionField(row, index);
            m_rows[static_cast<size_t>(row)].hint->setText(m_model.hint(row));
        });
        connect(r.op, &QComboBox::currentIndexChanged, this,
                [this, row](int index) { m_model.setCriterionOperator(row, index); });
        connect(r.value, &QLineEdit::textChanged, this,
                [this, row](const QString& text) { m_model.setCriterionValue(row, text); });
    }
    for (size_t i = 0; i < m_connectors.size(); ++i) {
        connect(m_connectors[i], &QButtonGroup::idClicked, this, [this, i](int id) {
            m_model.setConnectorBefore(static_cast<int>(i) + 1, static_cast<QueryConnector>(id));
        });
    }
    m_name->setFocus();
}

void QueryDefinitionDialog::addRow(QGridLayout& grid, int row)
{
    const QString number = QString::number(row + 1);
    if (row > 0) {
        // The And/Or pair that joins this row to the one above.
        auto* connectorLine = new QHBoxLayout;
        auto* group = new QButtonGroup(this);
        const std::pair<const char*, QueryConnector> choices[] = {{"And", QueryConnector::And},
                                                                  {"Or", QueryConnector::Or}};
        for (const auto& [caption, connector] : choices) {
            auto* radio = new QRadioButton(QString::fromLatin1(caption), this);
            radio->setObjectName(QString::fromLatin1(caption).toLower() + number + QStringLiteral("Radio"));
            group->addButton(radio, static_cast<int>(connector));
            connectorLine->addWidget(radio);
        }
        connectorLine->addStretch();
        grid.addLayout(connectorLine, 2 * row - 1, 0, 1, 4);
        m_connectors[static_cast<size_t>(row - 1)] = group;
    }
    Row& r = m_rows[static_cast<size_t>(row)];
    r.field = NewCombo(this, m_model.fieldNames(), QStringLiteral("field%1Box").arg(number));
    r.op =
        NewCombo(this, QueryDefinitionModel::operatorEntries(), QStringLiteral("operator%1Box").arg(number));
    r.value = new QLineEdit(this);
    r.value->setObjectName(QStringLiteral("value%1Edit").arg(number));
    r.value->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    r.hint = NewLabel(this, QString(), QStringLiteral("hint%1Label").arg(number));
    const int line = 2 * row;
    grid.addWidget(r.field, line, 0);
    grid.addWidget(r.op, line, 1);
    grid.addWidget(r.value, line, 2);
    grid.addWidget(r.hint, line, 3);
}

void QueryDefinitionDialog::showModel()
{
    m_name->setText(m_model.name());
    m_show->setCurrentIndex(m_model.showTop() ? 1 : 0);
    m_count->setText(m_model.count());
    m_unit->setCurrentIndex(m_model.percent() ? 0 : 1);
    m_orderBy->setCurrentIndex(m_model.orderByField());
    m_direction->setCurrentIndex(m_model.descending() ? 1 : 0);
    for (int row = 0; row < kQueryCriterionCount; ++row) {
        const Row& r = m_rows[static_cast<size_t>(row)];
        r.field->setCurrentIndex(m_model.criterionField(row));
        r.op->setCurrentIndex(m_model.criterionOperator(row));
        r.value->setText(m_model.criterionValue(row));
        r.hint->setText(m_model.hint(row));
    }
    for (size_t i = 0; i < m_connectors.size(); ++i) {
        const QueryConnector connector = m_model.connectorBefore(static_cast<int>(i) + 1);
        m_connectors[i]->button(static_cast<int>(connector))->setChecked(true);
    }
    applyShowRule();
}

void QueryDefinitionDialog::applyShowRule()
{
    const bool top = m_model.topControlsVisible();
    for (QWidget* widget : {static_cast<QWidget*>(m_count), static_cast<QWidget*>(m_unit),
                            static_cast<QWidget*>(m_orderedBy), static_cast<QWidget*>(m_orderBy),
                            static_cast<QWidget*>(m_direction), static_cast<QWidget*>(m_where)})
        widget->setVisible(top);
    m_recordsInWhich->setVisible(m_model.recordsInWhichVisible());
}

QWidget* QueryDefinitionDialog::fieldOf(Field field) const
{
    switch (field) {
    case Field::Name:
        return m_name;
    case Field::Count:
        return m_count;
    case Field::Value1:
        return valueEdit(0);
    case Field::Value2:
        return valueEdit(1);
    case Field::Value3:
        return valueEdit(2);
    case Field::None:
        break;
    }
    return nullptr;
}

void QueryDefinitionDialog::confirm()
{
    const QueryDefinitionModel::Result result = m_model.save();
    AcceptOrFocusRefused(*this, result.saved, fieldOf(result.focus));
}
