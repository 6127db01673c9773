#pragma once

#include "core/common/ChangeList.h"
#include "core/common/RecordIds.h"
#include "core/purchasing/AutoOrderModel.h"

struct DesktopServices;
class ProjectTables;
class QWidget;
class UserSettings;

// The windows that work on a whole purchase order or one of its lines and open
// the single-line windows from there: Manage Purchase Orders, Edit Order Entry
// and Automated Order Recording. Each runs its window and answers every record
// written, by itself or by the windows it opened; the caller suspends the
// filters before and has the lists follow the answer after.

// Manage Purchase Orders, with the purchase order of record ID `poID` selected
// (the newest one when none is given or it is gone). Its line list's column
// widths are read from `settings` on opening and written back on closing.
ChangeList RunManagePurchaseOrders(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                                   UserSettings& settings, qint32 poID = NoSelection);

// Edit Order Entry for one order line.
ChangeList RunEditOrderEntry(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                             qint32 orderID);

// Automated Order Recording: the purchase order is chosen (`poID` preselected
// when given), the window closes, and then Record Order or Record Received
// Order opens once per proposal, each confirmed or cancelled on its own.
ChangeList RunAutoOrder(QWidget* parent, ProjectTables& tables, const DesktopServices& services,
                        AutoOrderModel::Mode mode, qint32 poID = NoID);
