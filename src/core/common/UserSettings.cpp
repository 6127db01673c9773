#include "core/common/UserSettings.h"

#include <QSettings>

#include <array>
#include <utility>

namespace {

const QString kOrganisation = QStringLiteral("Veltrane Software");
const QString kApplication = QStringLiteral("Quillmark");

const QString kMargins = QStringLiteral("Margins");
const QString kLeft = QStringLiteral("Left");
const QString kRight = QStringLiteral("Right");
const QString kTop = QStringLiteral("Top");
const QString kBottom = QStringLiteral("Bottom");

const QString kCompanyInfo = QStringLiteral("Company Info");
const QString kCompany = QStringLiteral("Company");
const QString kAddress1 = QStringLiteral("Address1");
const QString kAddress2 = QStringLiteral("Address2");
const QString kAddress3 = QStringLiteral("Address3");
const QString kPhone = QStringLiteral("Phone");
const QString kFax = QStringLiteral("Fax");
const QString kEMail = QStringLiteral("EMail");
const QString kWeb = QStringLiteral("Web");

struct KnownValue
{
    QString section;
    QString key;
    QVariant defaultValue;
};

// Every per-user value and what it reads as before it was ever stored.
const QString kOneInch = QStringLiteral("1.0");
const std::array kKnownValues = {
    KnownValue{kMargins, kLeft, kOneInch},          KnownValue{kMargins, kRight, kOneInch},
    KnownValue{kMargins, kTop, kOneInch},           KnownValue{kMargins, kBottom, kOneInch},
    KnownValue{kCompanyInfo, kCompany, QString()},  KnownValue{kCompanyInfo, kAddress1, QString()},
    KnownValue{kCompanyInfo, kAddress2, QString()}, KnownValue{kCompanyInfo, kAddress3, QString()},
    KnownValue{kCompanyInfo, kPhone, QString()},    KnownValue{kCompanyInfo, kFax, QString()},
    KnownValue{kCompanyInfo, kEMail, QString()},    KnownValue{kCompanyInfo, kWeb, QString()},
};

QString settingsKey(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

// The struct members in the order their values are stored.
std::array<std::pair<QString, QString PrintMargins::*>, 4> marginFields()
{
    return {{{kLeft, &PrintMargins::left},
             {kRight, &PrintMargins::right},
             {kTop, &PrintMargins::top},
             {kBottom, &PrintMargins::bottom}}};
}

std::array<std::pair<QString, QString CompanyInfo::*>, 8> companyFields()
{
    return {{{kCompany, &CompanyInfo::company},
             {kAddress1, &CompanyInfo::address1},
             {kAddress2, &CompanyInfo::address2},
             {kAddress3, &CompanyInfo::address3},
             {kPhone, &CompanyInfo::phone},
             {kFax, &CompanyInfo::fax},
             {kEMail, &CompanyInfo::email},
             {kWeb, &CompanyInfo::web}}};
}

} // namespace

UserSettings::UserSettings() : m_settings(std::make_unique<QSettings>(kOrganisation, kApplication)) {}

UserSettings::UserSettings(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

UserSettings::~UserSettings() = default;

QVariant UserSettings::defaultValue(const QString& section, const QString& key)
{
    for (const KnownValue& known : kKnownValues) {
        if (known.section == section && known.key == key)
            return known.defaultValue;
    }
    return {};
}

QVariant UserSettings::value(const QString& section, const QString& key) const
{
    return value(section, key, defaultValue(section, key));
}

QVariant UserSettings::value(const QString& section, const QString& key, const QVariant& defaultValue) const
{
    return m_settings->value(settingsKey(section, key), defaultValue);
}

void UserSettings::setValue(const QString& section, const QString& key, const QVariant& value)
{
    m_settings->setValue(settingsKey(section, key), value);
}

QString UserSettings::text(const QString& section, const QString& key) const
{
    return text(section, key, defaultValue(section, key).toString());
}

QString UserSettings::text(const QString& section, const QString& key, const QString& defaultValue) const
{
    return value(section, key, defaultValue).toString();
}

int UserSettings::number(const QString& section, const QString& key) const
{
    return number(section, key, defaultValue(section, key).toInt());
}

int UserSettings::number(const QString& section, const QString& key, int defaultValue) const
{
    bool ok = false;
    const int stored = value(section, key, defaultValue).toInt(&ok);
    return ok ? stored : defaultValue;
}

bool UserSettings::sync()
{
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

PrintMargins PrintMargins::load(const UserSettings& settings)
{
    PrintMargins margins;
    for (const auto& [key, member] : marginFields())
        margins.*member = settings.text(kMargins, key);
    return margins;
}

bool PrintMargins::save(UserSettings& settings) const
{
    for (const auto& [key, member] : marginFields())
        settings.setValue(kMargins, key, this->*member);
    return settings.sync();
}

CompanyInfo CompanyInfo::load(const UserSettings& settings)
{
    CompanyInfo info;
    for (const auto& [key, member] : companyFields())
        info.*member = settings.text(kCompanyInfo, key);
    return info;
}

bool CompanyInfo::save(UserSettings& settings) const
{
    for (const auto& [key, member] : companyFields())
        settings.setValue(kCompanyInfo, key, this->*member);
    return settings.sync();
}
