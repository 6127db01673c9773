#pragma once

#include <QString>

class Prompter;
class ProjectTables;
class QPushButton;
class RecordPicker;

// The button beside a vendor or item picker: it opens Find Vendor or Find Item,
// and the picker selects the record found as if the user had picked it there.
// The button is a child of the picker's parent; the caller lays it out.
QPushButton* AddFindButton(RecordPicker& picker, ProjectTables& tables, Prompter& prompter,
                           const QString& text = QStringLiteral("Find..."));

// What the button does: opens the dialog and, when it closes with a record, has
// the picker select it. False when the dialog was cancelled.
bool FindIntoPicker(RecordPicker& picker, ProjectTables& tables, Prompter& prompter);
