#pragma once

#include "FieldTypes.h"
#include "core/common/RecordIds.h"

// In-memory records of the ten project tables, one member per column in column
// order. Each record's `fields` visits its columns in that order with their names
// (and text sizes): the one place that says what a table holds. A new record has
// ID 0, every reference to another record NoID, empty texts, zero amounts and
// unset dates.

struct CVendorsRec
{
    static constexpr const char* kTable = "Vendors";
    qint32 ID = 0;
    QString Name, Number, Contact, Street, City, State, Zip, Phone, Fax;
    QString Contact2, Street2, City2, State2, Zip2, Phone2, Fax2;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("Name", r.Name, 128);
        f("Number", r.Number, 128);
        f("Contact", r.Contact, 128);
        f("Street", r.Street, 128);
        f("City", r.City, 128);
        f("State", r.State, 128);
        f("Zip", r.Zip, 30);
        f("Phone", r.Phone, 30);
        f("Fax", r.Fax, 30);
        f("Contact2", r.Contact2, 128);
        f("Street2", r.Street2, 128);
        f("City2", r.City2, 128);
        f("State2", r.State2, 128);
        f("Zip2", r.Zip2, 30);
        f("Phone2", r.Phone2, 30);
        f("Fax2", r.Fax2, 30);
    }
};

struct CItemsRec
{
    static constexpr const char* kTable = "Items";
    qint32 ID = 0;
    QString Name, Number, Description;
    qint32 VendorID1 = NoID;
    qint32 VendorID2 = NoID;
    qint32 CategoryID = NoID;
    Money Cost, SellingPrice;
    qint32 Stocked = 0;
    qint32 Ordered = 0;
    qint32 ReorderQuanity = 0;
    qint32 ReorderLevel = 0;
    bool Taxable = false;
    float TaxRate = 0.0f;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("Name", r.Name, 128);
        f("Number", r.Number, 128);
        f("Description", r.Description, 200);
        f("VendorID1", r.VendorID1);
        f("VendorID2", r.VendorID2);
        f("CategoryID", r.CategoryID);
        f("Cost", r.Cost);
        f("SellingPrice", r.SellingPrice);
        f("Stocked", r.Stocked);
        f("Ordered", r.Ordered);
        f("ReorderQuanity", r.ReorderQuanity);
        f("ReorderLevel", r.ReorderLevel);
        f("Taxable", r.Taxable);
        f("TaxRate", r.TaxRate);
    }
};

struct COrderRec
{
    static constexpr const char* kTable = "Order";
    qint32 ID = 0;
    qint32 ItemID = NoID;
    qint32 VendorID = NoID;
    qint32 Quanity = 0;
    DateTime Date = DateTime::null();
    bool BackOrder = false;
    qint32 BackOrderID = NoID;
    qint32 POID = NoID;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("ItemID", r.ItemID);
        f("VendorID", r.VendorID);
        f("Quanity", r.Quanity);
        f("Date", r.Date);
        f("BackOrder", r.BackOrder);
        f("BackOrderID", r.BackOrderID);
        f("POID", r.POID);
    }
};

struct CStockRec
{
    static constexpr const char* kTable = "Stock";
    qint32 ID = 0;
    qint32 ItemID = NoID;
    qint32 VendorID = NoID;
    qint32 OrderID = NoID;
    qint32 POID = NoID;
    qint32 Quanity = 0;
    Money Cost;
    DateTime Date = DateTime::null();

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("ItemID", r.ItemID);
        f("VendorID", r.VendorID);
        f("OrderID", r.OrderID);
        f("POID", r.POID);
        f("Quanity", r.Quanity);
        f("Cost", r.Cost);
        f("Date", r.Date);
    }
};

struct CSalesRec
{
    static constexpr const char* kTable = "Sales";
    qint32 ID = 0;
    qint32 ItemID = NoID;
    qint32 Quanity = 0;
    Money SellingPrice;
    DateTime Date = DateTime::null();
    Money Cost;
    qint32 SIID = NoID;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("ItemID", r.ItemID);
        f("Quanity", r.Quanity);
        f("SellingPrice", r.SellingPrice);
        f("Date", r.Date);
        f("Cost", r.Cost);
        f("SIID", r.SIID);
    }
};

struct CCustomersRec
{
    static constexpr const char* kTable = "Customers";
    qint32 ID = 0;
    QString Company, Last, First, Address, City, State, Zip, Phone, EMail, Notes;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("Company", r.Company, 128);
        f("Last", r.Last, 128);
        f("First", r.First, 128);
        f("Address", r.Address, 128);
        f("City", r.City, 128);
        f("State", r.State, 128);
        f("Zip", r.Zip, 30);
        f("Phone", r.Phone, 30);
        f("EMail", r.EMail, 128);
        f("Notes", r.Notes, 200);
    }
};

struct CReceivedRec
{
    static constexpr const char* kTable = "Received";
    qint32 ID = 0;
    qint32 ItemID = NoID;
    qint32 VendorID = NoID;
    qint32 OrderID = NoID;
    qint32 StockID = NoID;
    qint32 OrderQuantity = 0;
    DateTime OrderDate = DateTime::null();
    qint32 ReceiveQuantity = 0;
    DateTime ReceiveDate = DateTime::null();
    qint32 POID = NoID;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("ItemID", r.ItemID);
        f("VendorID", r.VendorID);
        f("OrderID", r.OrderID);
        f("StockID", r.StockID);
        f("OrderQuantity", r.OrderQuantity);
        f("OrderDate", r.OrderDate);
        f("ReceiveQuantity", r.ReceiveQuantity);
        f("ReceiveDate", r.ReceiveDate);
        f("POID", r.POID);
    }
};

struct CPORec
{
    static constexpr const char* kTable = "PO";
    qint32 ID = 0;
    qint32 VendorID = NoID;
    qint32 Number = 0;
    DateTime Date = DateTime::null();
    QString Notes;
    DateTime RequiredDate = DateTime::null();
    double TaxRate = 0.0;
    bool Filled = false;
    DateTime FilledDate = DateTime::null();

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("VendorID", r.VendorID);
        f("Number", r.Number);
        f("Date", r.Date);
        f("Notes", r.Notes, 200);
        f("RequiredDate", r.RequiredDate);
        f("TaxRate", r.TaxRate);
        f("Filled", r.Filled);
        f("FilledDate", r.FilledDate);
    }
};

struct CSIRec
{
    static constexpr const char* kTable = "SI";
    qint32 ID = 0;
    qint32 CustomerID = NoID;
    qint32 Number = 0;
    DateTime Date = DateTime::null();
    qint16 PayMethod = 0;
    QString Notes;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("CustomerID", r.CustomerID);
        f("Number", r.Number);
        f("Date", r.Date);
        f("PayMethod", r.PayMethod);
        f("Notes", r.Notes, 200);
    }
};

struct CARRec
{
    static constexpr const char* kTable = "AR";
    qint32 ID = 0;
    qint32 CustomerID = NoID;
    Money Paid;
    Money Due;
    DateTime Date = DateTime::null();
    qint32 SIID = NoID;

    static void fields(auto& r, auto&& f)
    {
        f("ID", r.ID);
        f("CustomerID", r.CustomerID);
        f("Paid", r.Paid);
        f("Due", r.Due);
        f("Date", r.Date);
        f("SIID", r.SIID);
    }
};

// List rows: the record plus the texts the lists show for the records it refers to.

struct CVendorsRow : CVendorsRec
{
};

struct CItemsRow : CItemsRec
{
    QString VendorName1; // name of VendorID1
    QString VendorName2; // name of VendorID2
};

struct COrderRow : COrderRec
{
    QString VendorName, ItemName, ItemNumber;
};

// A stock row's origin when its purchase order is gone.
inline constexpr qint32 kStockOriginPurged = -10;

struct CStockRow : CStockRec
{
    QString VendorName, ItemName, ItemNumber;
    // The purchase order's number, or an origin code: -1, -2, -3, or -10 when the
    // lot came from a purchase order that no longer exists.
    qint32 Origin = 0;
};

struct CSalesRow : CSalesRec
{
    QString ItemName, ItemNumber;
};

struct CCustomersRow : CCustomersRec
{
};

struct CReceivedRow : CReceivedRec
{
    QString VendorName, ItemName, ItemNumber;
};

struct CPORow : CPORec
{
    QString VendorName;
};

struct CSIRow : CSIRec
{
    QString Company, Last, First; // of CustomerID
};

struct CARRow : CARRec
{
};

// Rows hold only Qt's implicitly shared strings and plain values: safe to move
// in memory, which makes reading a long list into an array cheaper.
Q_DECLARE_TYPEINFO(CVendorsRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CItemsRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(COrderRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CStockRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CSalesRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CCustomersRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CReceivedRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CPORow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CSIRow, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(CARRow, Q_RELOCATABLE_TYPE);
