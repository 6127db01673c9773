#pragma once

#include "core/common/DialogModel.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Clock;
class ProjectTables;
class Prompter;

// Vendors, items or customers from a comma-separated file (see Csv.h) whose
// first record names its columns. Each column is mapped to a field of the
// record, guessed from its name and changed by the user. Every row is checked
// as the record dialogs check what is typed (a name, text that fits its field,
// amounts and counts that can be read, an item's vendor) before anything is
// written; the rows that pass are added in one transaction, and the ones
// refused are listed with their line and the reason. The file is read as a
// stream, a row at a time, both for the check and for the import.
class CsvImportModel final : public DialogModel
{
public:
    enum class Kind
    {
        Vendors,
        Items,
        Customers
    };
    enum class Field
    {
        None,
        Mapping
    };
    using Result = SaveResult<Field>;

    // How many rows the preview shows; how many refused rows the report names.
    static constexpr int kPreviewRows = 20;
    static constexpr int kListedRefusals = 200;
    // How many refused rows a question or a warning names.
    static constexpr int kRefusalsAsked = 10;

    struct Refusal
    {
        qint64 line = 0;
        QString reason;
    };
    struct CheckReport
    {
        qint64 rows = 0;         // data rows read, blank lines not counted
        qint64 accepted = 0;     // rows that would be imported
        qint64 refused = 0;      // rows that would not
        QList<Refusal> refusals; // the first kListedRefusals of them
        QString failure;         // why the file could not be read; empty when it was
    };

    CsvImportModel(ProjectTables& tables, Prompter& prompter, const Clock& clock, Kind kind,
                   const QString& path);

    QString caption() const override;
    QString helpLine() const override;
    // Reads the header and the first rows and guesses the mapping. False, after
    // telling the user, when the file cannot be read, is not CSV or is empty.
    bool checkPrerequisites() override;

    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    const QStringList& header() const { return m_header; }
    const QList<QStringList>& previewRows() const { return m_preview; }

    // The choices for a column: "(Not imported)" first, then the fields.
    QStringList fieldChoices() const;
    // A column's choice, an index into fieldChoices(); 0 when it is not imported.
    int mapping(int column) const;
    // A field takes one column: choosing it for a column frees the column
    // that had it.
    void setMapping(int column, int choice);

    // Reads every row and checks it; writes nothing.
    CheckReport check() const;
    // The report's text: how many rows pass and the refused rows by line, at
    // most `listed` of them.
    static QString reportText(const CheckReport& report, int listed = kListedRefusals);

    // Checks every row, asks before importing when some are refused, then adds
    // the rows that pass in one transaction and tells how many were added.
    // Refused when no row passes, the user declines, or the file changed since
    // it was checked; nothing is written then.
    Result save();

    struct Target; // a field a column can be mapped to
    struct Row;    // one data row made a record

private:
    // Why the mapping cannot give sound records (no name column, an item
    // without a vendor column); empty when it can.
    QString mappingProblem() const;
    // Reads the file from the top, checking each data row; `accepted` gets
    // each row that passes and answers false to stop the read (a failed
    // write, with the report's failure set).
    void readRows(CheckReport& report, const std::function<bool(const Row&)>& accepted) const;

    ProjectTables& m_tables;
    Prompter& m_prompter;
    const Clock& m_clock;
    Kind m_kind;
    QString m_path;
    QStringList m_header;
    QList<QStringList> m_preview;
    QList<int> m_mapping; // per column: index into targets(), -1 when not imported
};
