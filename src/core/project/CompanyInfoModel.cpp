#include "project/CompanyInfoModel.h"

#include "common/Prompter.h"
#include "common/StatusCodes.h"

#include <array>

namespace {

const std::array<QString CompanyInfo::*, CompanyInfoModel::FieldCount> kMembers = {
    &CompanyInfo::company, &CompanyInfo::address1, &CompanyInfo::address2, &CompanyInfo::address3,
    &CompanyInfo::phone,   &CompanyInfo::fax,      &CompanyInfo::email,    &CompanyInfo::web,
};

bool isListed(int index)
{
    return index >= 0 && index < CompanyInfoModel::FieldCount;
}

} // namespace

CompanyInfoModel::CompanyInfoModel(UserSettings& settings)
    : m_settings(settings), m_info(CompanyInfo::load(settings))
{
}

QString CompanyInfoModel::label(Field field)
{
    switch (field) {
    case Company:
        return QStringLiteral("Company Name:");
    case Address1:
        return QStringLiteral("Address Line 1:");
    case Address2:
        return QStringLiteral("Address Line 2:");
    case Address3:
        return QStringLiteral("Address Line 3:");
    case Phone:
        return QStringLiteral("Phone:");
    case Fax:
        return QStringLiteral("Fax:");
    case EMail:
        return QStringLiteral("E-Mail");
    case Web:
        return QStringLiteral("Web-Site URL:");
    case FieldCount:
        break;
    }
    return QString();
}

QString CompanyInfoModel::text(Field field) const
{
    return isListed(field) ? m_info.*kMembers[field] : QString();
}

void CompanyInfoModel::setText(Field field, const QString& text)
{
    if (isListed(field))
        m_info.*kMembers[field] = text;
}

bool CompanyInfoModel::accept(Prompter& prompter)
{
    if (!m_info.save(m_settings)) {
        prompter.message(StatusMessage(Status::FileNotAccessible), AppTitle(), Prompter::Icon::Exclamation);
        return false;
    }
    return true;
}
