#pragma once

#include "core/common/DialogModel.h"
#include "core/common/UserSettings.h"

#include <QString>

class Prompter;

// The Company Information dialog's eight fields over the user's settings.
class CompanyInfoModel : public DialogModel
{
public:
    // Nothing is validated: only a failed write refuses.
    enum class Field
    {
        None
    };
    using Result = SaveResult<Field>;

    // The lines in the order they are shown and stored.
    enum Line
    {
        Company,
        Address1,
        Address2,
        Address3,
        Phone,
        Fax,
        EMail,
        Web,
        LineCount
    };

    CompanyInfoModel(UserSettings& settings, Prompter& prompter);

    QString caption() const override { return QStringLiteral("Company Information"); }
    QString helpLine() const override;

    static QString label(Line line);
    QString text(Line line) const;
    void setText(Line line, const QString& text);

    // OK: writes the lines to the user's settings (no record changes); tells the
    // user when they cannot be written.
    Result save();

private:
    UserSettings& m_settings;
    Prompter& m_prompter;
    CompanyInfo m_info;
};
