#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QString>

// Whole-file reads and writes for tests that compare files byte for byte.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Every file under a folder, with a digest of its contents.
inline QMap<QString, QByteArray> FolderSnapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, QCryptographicHash::hash(FileBytes(path), QCryptographicHash::Sha256));
    }
    return files;
}

// The pages of a PDF file; -1 when it is no PDF.
inline int PdfPageCount(const QString& path)
{
    const QByteArray bytes = FileBytes(path);
    return bytes.startsWith("%PDF") ? int(QString::fromLatin1(bytes).count(
                                          QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))))
                                    : -1;
}
