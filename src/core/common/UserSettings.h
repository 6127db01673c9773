#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

// The per-user preferences (print margins, company information, colours,
// column layouts, window layout), stored apart from any project. Every value's
// default lives in one table, so a value read before it was ever written
// still means something.
class UserSettings
{
public:
    // The user's own settings.
    UserSettings();
    // Settings kept in the INI file at iniPath, for tests and portable use.
    explicit UserSettings(const QString& iniPath);
    ~UserSettings();
    UserSettings(const UserSettings&) = delete;
    UserSettings& operator=(const UserSettings&) = delete;

    // Without a default, a value never stored reads as its entry in the table
    // of defaults (an invalid QVariant for a value the table does not know).
    QVariant value(const QString& section, const QString& key) const;
    QVariant value(const QString& section, const QString& key, const QVariant& defaultValue) const;
    void setValue(const QString& section, const QString& key, const QVariant& value);

    QString text(const QString& section, const QString& key) const;
    QString text(const QString& section, const QString& key, const QString& defaultValue) const;
    // A stored value that is not a whole number reads as the default.
    int number(const QString& section, const QString& key) const;
    int number(const QString& section, const QString& key, int defaultValue) const;

    static QVariant defaultValue(const QString& section, const QString& key);

    // Writes pending changes; false when the storage cannot be written.
    bool sync();

private:
    std::unique_ptr<QSettings> m_settings;
};

// Print margins in inches, kept as the text the user typed.
struct PrintMargins
{
    QString left;
    QString right;
    QString top;
    QString bottom;

    static PrintMargins load(const UserSettings& settings);
    bool save(UserSettings& settings) const;

    friend bool operator==(const PrintMargins&, const PrintMargins&) = default;
};

// The company's name and contacts, printed on reports and purchase orders.
struct CompanyInfo
{
    QString company;
    QString address1;
    QString address2;
    QString address3;
    QString phone;
    QString fax;
    QString email;
    QString web;

    static CompanyInfo load(const UserSettings& settings);
    bool save(UserSettings& settings) const;

    friend bool operator==(const CompanyInfo&, const CompanyInfo&) = default;
};
