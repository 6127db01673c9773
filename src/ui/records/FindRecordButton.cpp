#include "ui/records/FindRecordButton.h"

#include "ui/common/RecordPicker.h"
#include "ui/records/FindRecordDialog.h"

#include <QPushButton>

bool FindIntoPicker(RecordPicker& picker, ProjectTables& tables, Prompter& prompter)
{
    Q_ASSERT(picker.kind() == RecordPicker::Kind::Vendor || picker.kind() == RecordPicker::Kind::Item);
    const auto kind = picker.kind() == RecordPicker::Kind::Vendor ? FindRecordModel::Kind::Vendor
                                                                  : FindRecordModel::Kind::Item;
    FindRecordDialog dialog(tables, prompter, kind, picker.window());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // A record added since the picker was filled is found too.
    if (!picker.chooseId(dialog.foundId())) {
        picker.reload(tables);
        picker.chooseId(dialog.foundId());
    }
    picker.setFocus(Qt::OtherFocusReason);
    return true;
}

QPushButton* AddFindButton(RecordPicker& picker, ProjectTables& tables, Prompter& prompter,
                           const QString& text)
{
    auto* button = new QPushButton(text, picker.parentWidget());
    QObject::connect(button, &QPushButton::clicked, &picker,
                     [&picker, &tables, &prompter] { FindIntoPicker(picker, tables, prompter); });
    return button;
}
