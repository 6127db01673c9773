#pragma once

#include <QDialog>

class CustomerDetailsModel;
class ItemDetailsModel;
class VendorDetailsModel;

// The read-only windows that show one record: "Vendor Details", "Item Details"
// and "Customer Details". Each shows what its model read and closes with its
// one button.

class VendorDetailsDialog final : public QDialog
{
public:
    VendorDetailsDialog(const VendorDetailsModel& model, QWidget* parent = nullptr);
};

class ItemDetailsDialog final : public QDialog
{
public:
    ItemDetailsDialog(const ItemDetailsModel& model, QWidget* parent = nullptr);
};

class CustomerDetailsDialog final : public QDialog
{
public:
    CustomerDetailsDialog(const CustomerDetailsModel& model, QWidget* parent = nullptr);
};
