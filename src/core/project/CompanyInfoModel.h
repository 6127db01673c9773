#pragma once

#include "common/UserSettings.h"

#include <QString>

class Prompter;

// The Company Information dialog's eight fields over the user's settings.
class CompanyInfoModel
{
public:
    // The fields in the order they are shown and stored.
    enum Field
    {
        Company,
        Address1,
        Address2,
        Address3,
        Phone,
        Fax,
        EMail,
        Web,
        FieldCount
    };

    explicit CompanyInfoModel(UserSettings& settings);

    static QString label(Field field);
    QString text(Field field) const;
    void setText(Field field, const QString& text);

    // Writes the fields; tells the user when the settings cannot be written.
    bool accept(Prompter& prompter);

private:
    UserSettings& m_settings;
    CompanyInfo m_info;
};
