#include "core/project/CompanyInfoModel.h"

#include "core/common/Prompter.h"
#include "core/common/StatusCodes.h"

#include <array>

namespace {

const std::array<QString CompanyInfo::*, CompanyInfoModel::LineCount> kMembers = {
    &CompanyInfo::company, &CompanyInfo::address1, &CompanyInfo::address2, &CompanyInfo::address3,
    &CompanyInfo::phone,   &CompanyInfo::fax,      &CompanyInfo::email,    &CompanyInfo::web,
};

bool isListed(int index)
{
    return index >= 0 && index < CompanyInfoModel::LineCount;
}

} // namespace

CompanyInfoModel::CompanyInfoModel(UserSettings& settings, Prompter& prompter)
    : m_settings(settings), m_prompter(prompter), m_info(CompanyInfo::load(settings))
{
}

QString CompanyInfoModel::helpLine() const
{
    return QStringLiteral("Fill in the following information about your company.");
}

QString CompanyInfoModel::label(Line line)
{
    switch (line) {
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
    case LineCount:
        break;
    }
    return QString();
}

QString CompanyInfoModel::text(Line line) const
{
    return isListed(line) ? m_info.*kMembers[line] : QString();
}

void CompanyInfoModel::setText(Line line, const QString& text)
{
    if (isListed(line))
        m_info.*kMembers[line] = text;
}

CompanyInfoModel::Result CompanyInfoModel::save()
{
    if (!m_info.save(m_settings)) {
        warn(m_prompter, StatusMessage(Status::FileNotAccessible));
        return Result::refused();
    }
    return Result::ok();
}
