#include "TortureCheck.h"

#include "TortureWorkload.h"

#include "core/common/StatusCodes.h"
#include "core/db/ProjectDatabase.h"
#include "core/project/Project.h"
#include "core/project/ProjectSettings.h"
#include "core/reports/ReportFile.h"
#include "core/sales/ProjectConsistency.h"
#include "core/session/ProjectOpening.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

// One value with its type, so that 1, 1.0 and "1" differ.
void AddValue(QCryptographicHash& hash, const QVariant& value)
{
    QByteArray text = QByteArray::number(value.metaType().id()) + ':';
    if (value.isNull())
        text += "NULL";
    else if (value.metaType().id() == QMetaType::Double)
        text += QByteArray::number(value.toDouble(), 'g', 17);
    else if (value.metaType().id() == QMetaType::QByteArray)
        text += value.toByteArray().toHex();
    else
        text += value.toString().toUtf8();
    text += '\x1f';
    hash.addData(text);
}

// Every row of the statement, in the order it returns them.
QByteArray RowsHash(const QSqlDatabase& connection, const QString& sql, QString& error)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(sql)) {
        error = sql + QStringLiteral(": ") + query.lastError().text();
        return {};
    }
    while (query.next()) {
        const int columns = query.record().count();
        for (int c = 0; c < columns; ++c)
            AddValue(hash, query.value(c));
        hash.addData("\x1e");
    }
    return hash.result();
}

// The file's bytes with the folder it was written in replaced.
QByteArray FileHash(const QString& path, const QString& writtenIn)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("absent");
    QByteArray bytes = file.readAll();
    bytes.replace(writtenIn.toLatin1(), QByteArrayLiteral("<folder>"));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

QString CheckProject(Project& project, ProjectDigest& digest)
{
    const QSqlDatabase connection = project.database()->connection();
    QSqlQuery integrity(connection);
    if (!integrity.exec(QStringLiteral("PRAGMA integrity_check")) || !integrity.next())
        return QStringLiteral("integrity_check did not run: ") + integrity.lastError().text();
    if (integrity.value(0).toString() != QStringLiteral("ok"))
        return QStringLiteral("integrity_check: ") + integrity.value(0).toString();
    integrity.finish();

    const ConsistencyReport report = CheckProjectConsistency(*project.tables());
    if (!report.isConsistent())
        return QStringLiteral("inconsistent: ") + report.all().mid(0, 3).join(QStringLiteral("; "));

    QString error;
    digest.parts[QStringLiteral("schema")] =
        RowsHash(connection,
                 QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name"), error);
    QStringList tables;
    QSqlQuery names(connection);
    names.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (names.next())
        tables.append(names.value(0).toString());
    names.finish();
    for (const QString& table : tables) {
        digest.parts[QStringLiteral("table ") + table] =
            RowsHash(connection, QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table), error);
    }
    if (!error.isEmpty())
        return error;

    const ReportFile::Contents reports = ReportFile(project.settings()->reportPath()).read();
    if (reports.readEnd != ReportFile::ReadEnd::Clean)
        return QStringLiteral("the report file does not read cleanly");
    return QString();
}

} // namespace

QStringList ProjectDigest::differences(const ProjectDigest& other) const
{
    QStringList names;
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        if (other.parts.value(it.key()) != it.value())
            names.append(it.key());
    }
    for (auto it = other.parts.cbegin(); it != other.parts.cend(); ++it) {
        if (!parts.contains(it.key()))
            names.append(it.key());
    }
    return names;
}

ProjectDigest InspectProject(const QString& databasePath, const QString& writtenIn)
{
    ProjectDigest digest;
    TorturePrompter prompter;
    Project project;
    const int status = OpenProjectFromPath(project, databasePath, prompter);
    if (status != Status::Success) {
        digest.problem = QStringLiteral("the project did not open (status %1): %2")
                             .arg(status)
                             .arg(prompter.lastMessage());
        return digest;
    }
    if (prompter.messageCount() > 0)
        digest.problem = QStringLiteral("opening said: ") + prompter.lastMessage();
    else
        digest.problem = CheckProject(project, digest);
    const CProjectSettings& settings = *project.settings();
    digest.parts[QStringLiteral("settings file")] = FileHash(settings.settingsPath(), writtenIn);
    digest.parts[QStringLiteral("report file")] = FileHash(settings.reportPath(), writtenIn);
    project.close();
    return digest;
}
