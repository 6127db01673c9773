#pragma once

#include "core/reports/ReportDefinition.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Clock;
class Prompter;

// The project's report definition file (name.irp beside the database): records
// one after another, no header and no count. Every call opens the file itself;
// a file that cannot be opened holds no records. Every change writes the whole
// new file beside the old one (name.tmp) and puts it in the old one's place in
// a single rename, so a failure at any point leaves the old file as it was.
//
// A file cut short ends with its last complete record, and a change drops the
// incomplete rest. A file damaged anywhere else is never rewritten without
// asking: a change first offers to keep the whole file as a dated copy beside
// it, since the records after the damage cannot be read and would be lost.
class ReportFile
{
public:
    // The record Quick Report Settings keeps its fonts in; the report
    // dialogs keep custom reports off its name.
    static QString reservedName() { return QStringLiteral("PURCHASE_ORDER"); }

    // The database's path without its extension, plus ".irp".
    static QString pathForDatabase(const QString& databasePath);
    // The report file's path with ".tmp" in place of its extension.
    static QString temporaryPath(const QString& reportPath);

    explicit ReportFile(QString path);

    QString path() const { return m_path; }

    // How a read of the whole file ended.
    enum class ReadEnd
    {
        Clean,      // every byte belonged to a complete record (or no file)
        CutShort,   // the file ends inside its last record, which is dropped
        Damaged,    // a record holds a value no definition holds: the records
                    // before it are all that can be read
        Unreadable, // the file could not be read to its end
    };

    // Everything the file holds, with where each record lies in it.
    struct Contents
    {
        QByteArray bytes;
        QList<CReportDefinition> records;
        QList<qint64> starts; // offset of each record; the next start (or `end`) ends it
        qint64 end = 0;       // end of the last complete record
        ReadEnd readEnd = ReadEnd::Clean;
        bool opened = false;
    };
    Contents read() const;
    // The records in the bytes of a report file.
    static Contents parse(QByteArray bytes);

    int count() const;
    // Reads the record at `index` into the read buffer; false when the file
    // ends first.
    bool getByIndex(int index);
    // Reads the first record of that name into the read buffer.
    bool getByName(const QString& name);
    const CReportDefinition& readBuffer() const { return m_readBuffer; }
    // Copies the read buffer into `target`, fonts and all.
    void apply(CReportDefinition& target) const { target = m_readBuffer.clone(); }

    bool exists(const QString& name) const;
    // The names of the records of one table, in file order.
    QStringList names(const QString& table) const;

    enum class SaveStatus
    {
        Saved,
        NameTaken,
        Failed,
        Cancelled, // the file is damaged and the user kept it as it is
    };
    // Every change below asks through `prompter` before it rewrites a damaged
    // file; the dated copy takes its date from `clock`. Cancelled and Failed
    // leave every file as it was (Failed after a kept copy: the copy stays).

    // Names `definition` and appends it, unless a record of that name exists.
    SaveStatus saveAsNew(CReportDefinition& definition, const QString& name, Prompter& prompter,
                         const Clock& clock);
    // Removes the records named `oldName` and appends `definition` under `name`
    // in one change, so a modified report moves to the end of the file. The
    // name is refused when another record holds it; an empty `oldName` makes
    // this a plain save as new.
    SaveStatus replace(const QString& oldName, CReportDefinition& definition, const QString& name,
                       Prompter& prompter, const Clock& clock);
    // Removes every record of that name. Failed when the file cannot be opened
    // or the new file cannot be written; the old file then stays untouched.
    SaveStatus remove(const QString& name, Prompter& prompter, const Clock& clock);

    // Where a damaged report file is kept on `date`: "name-damaged-2026-12-07.irp"
    // beside it, or with "-2", "-3"... added when that name is taken.
    QString damagedCopyPath(const QDate& date) const;

private:
    // The kept records of `contents` then `appended`, through the temporary
    // file. Bytes after the last readable record are not carried over: nothing
    // can read them, and keeping them would hide everything appended later.
    // A damaged file is first kept as a copy, if the user agrees.
    SaveStatus rewrite(const Contents& contents, const QList<int>& keep, const CReportDefinition* appended,
                       Prompter& prompter, const Clock& clock) const;
    // Asks whether to keep a damaged file as a copy and go on; writes the copy.
    SaveStatus keepDamagedCopy(const Contents& contents, Prompter& prompter, const Clock& clock) const;
    bool isTaken(const Contents& contents, const QString& name, const QString& exceptName) const;

    QString m_path;
    CReportDefinition m_readBuffer;
};
