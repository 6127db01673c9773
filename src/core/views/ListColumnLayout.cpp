#include "ListColumnLayout.h"

#include "core/common/UserSettings.h"

#include <algorithm>

namespace {

QString valueName(int column, const char* suffix)
{
    return QStringLiteral("Column%1").arg(column) + QLatin1String(suffix);
}

} // namespace

ListColumnLayout::ListColumnLayout(ListingKind kind) : m_kind(kind)
{
    const QList<ListColumnDefinition>& definitions = ListColumnDefinitions(kind);
    for (int i = 0; i < definitions.size(); ++i)
        m_columns.append(
            ListColumn{i, definitions.at(i).caption, definitions.at(i).justification, i, kDefaultWidth});
}

void ListColumnLayout::load(const UserSettings& settings)
{
    const QString section = ListSection(m_kind);
    const QList<ListColumnDefinition>& definitions = ListColumnDefinitions(m_kind);
    for (int i = 0; i < m_columns.size(); ++i) {
        ListColumn& column = m_columns[i];
        const ListColumnDefinition& definition = definitions.at(i);
        column.definitionIndex = i;
        column.title = settings.text(section, valueName(i, "Text"), definition.caption);
        // Values a person may have edited by hand are taken only when they make sense.
        const int index = settings.number(section, valueName(i, "Index"), i);
        column.displayIndex =
            (index == kHidden || index == kRestore || (index >= 0 && index < count())) ? index : i;
        const int format =
            settings.number(section, valueName(i, "Format"), static_cast<int>(definition.justification));
        column.justification = (format >= 0 && format <= 2) ? static_cast<ColumnJustification>(format)
                                                            : definition.justification;
        const int width = settings.number(section, valueName(i, "Width"), kDefaultWidth);
        column.width = width >= 0 ? width : kDefaultWidth;
    }
}

void ListColumnLayout::store(UserSettings& settings)
{
    const QString section = ListSection(m_kind);
    for (int i = 0; i < m_columns.size(); ++i) {
        ListColumn& column = m_columns[i];
        if (column.displayIndex == kRestore)
            column.displayIndex = column.definitionIndex;
        settings.setValue(section, valueName(i, "Text"), column.title);
        settings.setValue(section, valueName(i, "Index"), column.displayIndex);
        settings.setValue(section, valueName(i, "Format"), static_cast<int>(column.justification));
        // A hidden column's width is not written: when it is shown again it comes
        // back with the width it had, or the default.
        if (column.displayIndex != kHidden)
            settings.setValue(section, valueName(i, "Width"), column.width);
    }
}

bool ListColumnLayout::save(UserSettings& settings)
{
    store(settings);
    return settings.sync();
}

QList<int> ListColumnLayout::visibleColumns() const
{
    QList<int> visible;
    for (const ListColumn& column : m_columns) {
        if (column.displayIndex != kHidden)
            visible.append(column.definitionIndex);
    }
    const auto position = [this](int definitionIndex) {
        const ListColumn& column = m_columns.at(definitionIndex);
        return column.displayIndex == kRestore ? column.definitionIndex : column.displayIndex;
    };
    std::stable_sort(visible.begin(), visible.end(), [&](int a, int b) { return position(a) < position(b); });
    return visible;
}

int ListColumnLayout::DisplayIndexOf(int definitionIndex) const
{
    if (definitionIndex < 0 || definitionIndex >= count())
        return kHidden;
    const ListColumn& column = m_columns.at(definitionIndex);
    return column.displayIndex == kRestore ? column.definitionIndex : column.displayIndex;
}

bool ListColumnLayout::isHidden(int definitionIndex) const
{
    return DisplayIndexOf(definitionIndex) == kHidden;
}

void ListColumnLayout::setHidden(int definitionIndex, bool hidden)
{
    ListColumn& column = m_columns[definitionIndex];
    if (hidden)
        column.displayIndex = kHidden;
    else if (column.displayIndex == kHidden)
        column.displayIndex = kRestore;
}

void ListColumnLayout::setTitle(int definitionIndex, const QString& title)
{
    m_columns[definitionIndex].title = title;
}

void ListColumnLayout::setJustification(int definitionIndex, ColumnJustification justification)
{
    m_columns[definitionIndex].justification = justification;
}

void ListColumnLayout::setWidth(int definitionIndex, int width)
{
    m_columns[definitionIndex].width = std::max(0, width);
}
