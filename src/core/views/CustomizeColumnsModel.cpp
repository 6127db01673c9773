#include "CustomizeColumnsModel.h"

#include "RecordLists.h"

#include "core/common/StatusCodes.h"
#include "core/common/UserSettings.h"

namespace {

// The dialog offers the justifications in this order; the layout stores them
// as Left 0, Right 1, Center 2.
constexpr std::array kOffered = {ColumnJustification::Left, ColumnJustification::Center,
                                 ColumnJustification::Right};

} // namespace

CustomizeColumnsModel::CustomizeColumnsModel(RecordLists& lists, Prompter& prompter, ListingKind current)
    : m_lists(lists), m_prompter(prompter),
      m_list(current), m_edits{lists.list(ListingKind::Vendors).layout(),
                               lists.list(ListingKind::Items).layout(),
                               lists.list(ListingKind::PurchaseOrders).layout(),
                               lists.list(ListingKind::Invoices).layout(),
                               lists.list(ListingKind::Customers).layout(),
                               lists.list(ListingKind::Stock).layout()}
{
}

QStringList CustomizeColumnsModel::listEntries()
{
    QStringList entries;
    for (int kind = 0; kind < kListingKindCount; ++kind)
        entries.append(ListCaption(static_cast<ListingKind>(kind)));
    return entries;
}

void CustomizeColumnsModel::selectList(ListingKind kind)
{
    m_list = kind;
    m_column = -1;
}

QStringList CustomizeColumnsModel::originalColumns() const
{
    QStringList captions;
    for (const ListColumnDefinition& definition : ListColumnDefinitions(m_list))
        captions.append(definition.caption);
    return captions;
}

void CustomizeColumnsModel::selectColumn(int definitionIndex)
{
    m_column = (definitionIndex >= 0 && definitionIndex < edited().count()) ? definitionIndex : -1;
}

QStringList CustomizeColumnsModel::justificationEntries()
{
    return {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
}

QString CustomizeColumnsModel::columnTitle() const
{
    return m_column < 0 ? QString() : edited().column(m_column).title;
}

void CustomizeColumnsModel::setColumnTitle(const QString& title)
{
    if (titleEnabled())
        edited().setTitle(m_column, title);
}

int CustomizeColumnsModel::justificationIndex() const
{
    if (m_column < 0)
        return 0;
    const ColumnJustification justification = edited().column(m_column).justification;
    for (size_t i = 0; i < kOffered.size(); ++i) {
        if (kOffered[i] == justification)
            return static_cast<int>(i);
    }
    return 0;
}

void CustomizeColumnsModel::setJustificationIndex(int index)
{
    if (justificationEnabled() && index >= 0 && index < static_cast<int>(kOffered.size()))
        edited().setJustification(m_column, kOffered[static_cast<size_t>(index)]);
}

bool CustomizeColumnsModel::displayColumn() const
{
    return m_column < 0 || !edited().isHidden(m_column);
}

void CustomizeColumnsModel::setDisplayColumn(bool shown)
{
    if (m_column >= 0)
        edited().setHidden(m_column, !shown);
}

bool CustomizeColumnsModel::titleEnabled() const
{
    return m_column >= 0 && displayColumn();
}

CustomizeColumnsModel::Result CustomizeColumnsModel::save()
{
    UserSettings& settings = m_lists.settings();
    for (int kind = 0; kind < kListingKindCount; ++kind)
        m_edits[static_cast<size_t>(kind)].store(settings);
    if (!settings.sync()) {
        warn(m_prompter, StatusMessage(Status::OperationFailed));
        return Result::refused();
    }
    for (int kind = 0; kind < kListingKindCount; ++kind) {
        RecordList& list = m_lists.list(static_cast<ListingKind>(kind));
        if (!(list.layout() == m_edits[static_cast<size_t>(kind)])) {
            list.layout() = m_edits[static_cast<size_t>(kind)];
            list.Reload();
        }
    }
    return Result::ok();
}
