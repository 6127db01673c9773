#include "ui/purchasing/ManagePODialog.h"

#include "ui/common/DesktopServices.h"
#include "ui/common/RecordPicker.h"
#include "ui/purchasing/POLineListModel.h"
#include "ui/purchasing/PurchasingCommands.h"
#include "ui/purchasing/PurchasingHub.h"
#include "ui/records/FormFields.h"

#include "core/common/UserSettings.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

ManagePODialog::ManagePODialog(ManagePOModel& model, ProjectTables& tables, const DesktopServices& services,
                               UserSettings& settings, QWidget* parent)
    : QDialog(parent), m_model(model), m_tables(tables), m_services(services), m_settings(settings)
{
    setObjectName(QStringLiteral("managePODialog"));
    setWindowTitle(m_model.caption());
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    top->addLayout(left);
    top->addLayout(right);
    m_po = new RecordPicker(RecordPicker::Kind::PurchaseOrder, this);
    m_po->setObjectName(QStringLiteral("poBox"));
    left->addRow(QStringLiteral("&PO #:"), m_po);
    m_vendor = AddFormText(this, *left, QStringLiteral("Vendor:"), QStringLiteral("vendorText"));
    m_poDate = AddFormText(this, *left, QStringLiteral("PO Date:"), QStringLiteral("poDateText"));
    m_filled = AddFormText(this, *left, QStringLiteral("PO Filled:"), QStringLiteral("filledText"));
    m_requiredDate =
        AddFormText(this, *right, QStringLiteral("Required Date:"), QStringLiteral("requiredDateText"));
    m_taxRate = AddFormText(this, *right, QStringLiteral("PO Tax Rate:"), QStringLiteral("taxRateText"));
    m_notes = AddFormText(this, *right, QStringLiteral("Notes:"), QStringLiteral("notesText"));
    m_notes->setWordWrap(true);

    auto* poButtons = new QHBoxLayout;
    layout->addLayout(poButtons);
    QPushButton* newPO =
        AddButton(this, *poButtons, QStringLiteral("&New PO"), QStringLiteral("newPOButton"));
    QPushButton* modifyPO =
        AddButton(this, *poButtons, QStringLiteral("&Modify PO"), QStringLiteral("modifyPOButton"));
    m_fill = AddButton(this, *poButtons, m_model.fillButtonCaption(), QStringLiteral("fillButton"));
    poButtons->addStretch();

    m_lines = new QTreeView(this);
    m_lines->setObjectName(QStringLiteral("lineList"));
    m_lines->setRootIsDecorated(false);
    m_lines->setItemsExpandable(false);
    m_lines->setUniformRowHeights(true);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lineModel = new POLineListModel(m_lines);
    m_lines->setModel(m_lineModel);
    QHeaderView* header = m_lines->header();
    header->setStretchLastSection(false);
    const auto widths = ManagePOModel::loadColumnWidths(m_settings);
    for (int column = 0; column < ManagePOModel::kColumnCount; ++column)
        header->resizeSection(column, widths[static_cast<size_t>(column)]);
    layout->addWidget(m_lines, 1);

    auto* lineButtons = new QHBoxLayout;
    layout->addLayout(lineButtons);
    QPushButton* add = AddButton(this, *lineButtons, QStringLiteral("&Add"), QStringLiteral("addButton"));
    QPushButton* edit = AddButton(this, *lineButtons, QStringLiteral("&Edit"), QStringLiteral("editButton"));
    QPushButton* del = AddButton(this, *lineButtons, QStringLiteral("&Del"), QStringLiteral("deleteButton"));
    QPushButton* autoOrder =
        AddButton(this, *lineButtons, QStringLiteral("Auto &Order"), QStringLiteral("autoOrderButton"));
    QPushButton* autoReceive =
        AddButton(this, *lineButtons, QStringLiteral("Auto &Receive"), QStringLiteral("autoReceiveButton"));
    lineButtons->addStretch();

    auto* closing = new QHBoxLayout;
    layout->addLayout(closing);
    // The printout and the history of a purchase order show in the main
    // window's right pane, which this modal window would hide: both close it.
    m_viewPO = AddButton(this, *closing, QStringLiteral("&View PO"), QStringLiteral("viewPOButton"));
    m_viewDetails =
        AddButton(this, *closing, QStringLiteral("View De&tails"), QStringLiteral("viewDetailsButton"));
    closing->addStretch();
    QPushButton* close = AddButton(this, *closing, QStringLiteral("&Close"), QStringLiteral("closeButton"));
    close->setDefault(true);

    QWidget::setTabOrder(m_po, newPO);
    QWidget::setTabOrder(newPO, modifyPO);
    QWidget::setTabOrder(modifyPO, m_fill);
    QWidget::setTabOrder(m_fill, m_lines);
    QWidget::setTabOrder(m_lines, add);
    QWidget::setTabOrder(add, edit);
    QWidget::setTabOrder(edit, del);
    QWidget::setTabOrder(del, autoOrder);
    QWidget::setTabOrder(autoOrder, autoReceive);
    QWidget::setTabOrder(autoReceive, m_viewPO);
    QWidget::setTabOrder(m_viewPO, m_viewDetails);
    QWidget::setTabOrder(m_viewDetails, close);

    connect(m_po, &RecordPicker::selectionChanged, this, [this](qint32 id) {
        m_model.selectPO(id);
        showPO();
    });
    connect(m_lines->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { lineChosen(); });
    connect(newPO, &QPushButton::clicked, this, [this] { run(m_model.newPO()); });
    connect(modifyPO, &QPushButton::clicked, this, [this] { run(m_model.modifyPO()); });
    connect(m_fill, &QPushButton::clicked, this, [this] { run(m_model.toggleFilled()); });
    connect(add, &QPushButton::clicked, this, [this] { run(m_model.addOrder()); });
    connect(edit, &QPushButton::clicked, this, [this] { run(m_model.editLine()); });
    connect(del, &QPushButton::clicked, this, [this] {
        if (m_model.deleteLine())
            showModel();
    });
    connect(autoOrder, &QPushButton::clicked, this, [this] { run(m_model.autoOrder()); });
    connect(autoReceive, &QPushButton::clicked, this, [this] { run(m_model.autoReceive()); });
    connect(m_viewPO, &QPushButton::clicked, this, [this] { run(m_model.viewPO()); });
    connect(m_viewDetails, &QPushButton::clicked, this, [this] { run(m_model.viewDetails()); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    showModel();
    resize(720, 480);
}

void ManagePODialog::done(int result)
{
    std::array<int, ManagePOModel::kColumnCount> widths{};
    for (int column = 0; column < ManagePOModel::kColumnCount; ++column)
        widths[static_cast<size_t>(column)] = m_lines->header()->sectionSize(column);
    ManagePOModel::saveColumnWidths(m_settings, widths);
    m_settings.sync();
    QDialog::done(result);
}

void ManagePODialog::showModel()
{
    m_po->setEntries(m_model.poEntries(), m_model.poID());
    showPO();
}

void ManagePODialog::showPO()
{
    m_vendor->setText(m_model.vendorName());
    m_poDate->setText(m_model.poDateText());
    m_filled->setText(m_model.filledText());
    m_requiredDate->setText(m_model.requiredDateText());
    m_taxRate->setText(m_model.taxRateText());
    m_notes->setText(m_model.notes());
    m_fill->setText(m_model.fillButtonCaption());
    const bool chosen = m_model.poID() != NoSelection;
    m_viewPO->setEnabled(chosen);
    m_viewDetails->setEnabled(chosen);
    showLines();
}

void ManagePODialog::showLines()
{
    m_filling = true;
    m_lineModel->setLines(m_model.lines());
    const int selected =
        m_model.selectedOrderID() == NoSelection ? -1 : m_lineModel->rowOfOrder(m_model.selectedOrderID());
    if (selected >= 0)
        m_lines->setCurrentIndex(m_lineModel->index(selected, 0));
    m_filling = false;
}

void ManagePODialog::lineChosen()
{
    if (m_filling)
        return;
    const QModelIndex current = m_lines->currentIndex();
    m_model.selectLine(current.isValid() ? m_lineModel->orderIdAt(current.row()) : NoSelection);
}

void ManagePODialog::run(const ManagePOAction& action)
{
    using Kind = ManagePOAction::Kind;
    switch (action.kind) {
    case Kind::None:
        // Handled by the model (reopening a filled purchase order), or refused.
        break;
    case Kind::NewPO: {
        qint32 created = NoID;
        const ChangeList changes = RunNewPO(this, m_tables, m_services, NoID, &created);
        if (created != NoID)
            m_model.poCreated(created);
        else
            m_model.childClosed(changes);
        break;
    }
    case Kind::ModifyPO:
        m_model.childClosed(RunNewPO(this, m_tables, m_services, action.poID));
        break;
    case Kind::MarkFillDate:
        m_model.childClosed(RunMarkPOFillDate(this, m_tables, m_services, action.poID));
        break;
    case Kind::RecordOrder:
        m_model.childClosed(RunRecordOrder(this, m_tables, m_services, NoID, action.poID));
        break;
    case Kind::EditOrderEntry:
        m_model.childClosed(RunEditOrderEntry(this, m_tables, m_services, action.orderID));
        break;
    case Kind::AutoOrder:
        m_model.childClosed(
            RunAutoOrder(this, m_tables, m_services, AutoOrderModel::Mode::Order, action.poID));
        break;
    case Kind::AutoReceive:
        m_model.childClosed(
            RunAutoOrder(this, m_tables, m_services, AutoOrderModel::Mode::Receive, action.poID));
        break;
    case Kind::ViewPO:
    case Kind::ViewDetails:
        m_view = action;
        accept();
        return;
    }
    showModel();
}

ChangeList RunManagePurchaseOrders(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                   UserSettings& settings, qint32 poID)
{
    PurchaseOrderViewRequest view;
    return RunManagePurchaseOrders(parent, tables, services, settings, poID, view);
}

ChangeList RunManagePurchaseOrders(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                   UserSettings& settings, qint32 poID, PurchaseOrderViewRequest& view)
{
    ManagePOModel model(tables, services.prompter, poID);
    view = {};
    if (!model.checkPrerequisites())
        return {};
    ManagePODialog window(model, tables, services, settings, parent);
    window.exec();
    view = window.viewRequest();
    return model.changes();
}
