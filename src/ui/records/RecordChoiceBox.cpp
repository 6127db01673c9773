#include "records/RecordChoiceBox.h"

#include "records/EntryListModel.h"

#include "common/RecordIds.h"

#include <QListView>

RecordChoiceBox::RecordChoiceBox(EntryListModel& entries, QWidget* parent)
    : QComboBox(parent), m_entries(entries)
{
    // Rows of one height let the popup lay out only the rows it shows.
    auto* popup = new QListView(this);
    popup->setUniformItemSizes(true);
    setView(popup);
    setModel(&entries);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(28);
    setMaxVisibleItems(20);
    setCurrentIndex(-1);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (!m_selecting)
            Q_EMIT chosen(m_entries.idAt(row));
    });
}

qint32 RecordChoiceBox::selectedId() const
{
    return m_entries.idAt(currentIndex());
}

void RecordChoiceBox::selectId(qint32 id)
{
    m_selecting = true;
    setCurrentIndex(m_entries.rowOf(id));
    m_selecting = false;
}
