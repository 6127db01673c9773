#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// What a project holds, part by part: a hash of every table's rows in ID order
// (the engine's own bookkeeping tables and the schema included), and of the
// settings and report files' bytes.
struct ProjectDigest
{
    QMap<QString, QByteArray> parts;
    // Why the project is not sound; empty when it opened, passed the engine's
    // integrity check and the consistency check, and its files read cleanly.
    QString problem;

    // The parts in which the two differ.
    QStringList differences(const ProjectDigest& other) const;
};

// Opens the project whose database is at `databasePath` as the application
// opens it (lock takeover, settings read, invoice balances brought up to
// date), checks it and takes its digest, then closes it. The settings file
// names the folder it was written in: `writtenIn` is that folder, which the
// digest reads as a placeholder, so that copies of one project made in two
// folders of the same length digest alike.
ProjectDigest InspectProject(const QString& databasePath, const QString& writtenIn);
