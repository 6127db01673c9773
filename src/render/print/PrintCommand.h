#pragma once

#include "PrintTable.h"

#include <QColor>
#include <QFont>
#include <QLine>
#include <QString>

#include <memory>

// The kinds of layout commands, numbered as they are stored (6 is reserved).
enum class PrintCommandKind : int
{
    Font = 0,
    Color = 1,
    Text = 2,
    ParagraphFlag = 3,
    PageBreak = 4,
    Rule = 5,
    Table = 7,
    VerticalPosition = 8,
    HorizontalPosition = 9,
};

// One entry of the print layout engine's content; its kind says which fields count.
struct PrintCommand
{
    PrintCommandKind kind = PrintCommandKind::Text;
    QFont font;
    QColor color;
    QString text;
    quint8 flag = 0;
    // From the first corner to the second, in twips.
    QLine rule;
    // Shared so that copying the engine's content never copies a big table.
    std::shared_ptr<const PrintTable> table;
    // Twips; x from the page's left edge, y negative down from its top edge.
    int position = 0;
};
