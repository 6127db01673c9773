#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// A project as the previous version left it, for conversion tests: a database
// without purchase orders, invoices and receivables or the fields that refer to
// them, and a settings file beside it.
class PreviousVersionProject
{
public:
    // Writes dir/name.qmp and dir/name.qms (making the folder), leaving out
    // `omittedTables`.
    PreviousVersionProject(const QString& dir, const QString& name, const QStringList& omittedTables = {});

    bool isValid() const { return m_valid; }
    QString path() const { return m_path; }

    // Appends a row; its ID, or 0 when the insert failed.
    qint32 insert(const QString& table, const QVariantMap& values);
    // Runs engine text on the database.
    bool exec(const QString& sql);

private:
    QString m_path;
    bool m_valid = false;
};
