#include "ui/common/DialogButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

QPushButton* AddOkCancel(QDialog& dialog, QBoxLayout& layout, std::function<void()> confirm, bool withCancel)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    buttons->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, std::move(confirm));
    if (withCancel) {
        auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
        buttons->addWidget(cancel);
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    }
    layout.addLayout(buttons);
    return ok;
}
