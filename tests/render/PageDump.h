#pragma once

// Expected-output checks of printouts: every page drawn onto a recording device
// at 1440 dots an inch, written as text (each string with its position in
// twips and its font, each rule and frame) and compared with a checked-in file
// under tests/render/expected/. After a deliberate change of a printout,
//     QM_UPDATE_EXPECTED=1 ./qm test -R <test name>
// rewrites the files, and the reviewer reads their diff.

#include "render/print/PrintStatus.h"
#include "render/print/Printout.h"

#include "RecordingPaintDevice.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cmath>

// One printout's pages as text, laid out on paper of `paperInches`.
inline QString DumpPrintout(Printout& printout, QSizeF paperInches = QSizeF(8.5, 11))
{
    constexpr int kTwipDpi = 1440;
    RecordingPaintDevice measure(kTwipDpi);
    const int status = printout.layOut(paperInches, measure);
    QString dump;
    QTextStream out(&dump);
    if (status != PrintStatus::Ok) {
        out << "not laid out: status " << status << '\n';
        return dump;
    }
    const auto twips = [](double value) { return qlonglong(std::lround(value)); };
    for (int page = 1; page <= printout.pageCount(); ++page) {
        RecordingPaintDevice device(kTwipDpi, QSize(int(paperInches.width() * kTwipDpi),
                                                    int(paperInches.height() * kTwipDpi)));
        QPainter painter(&device);
        printout.drawPage(painter, page, PrintLayout::Target::Printer);
        painter.end();
        out << "page " << page << " of " << printout.pageCount() << '\n';
        for (const RecordingPaintDevice::Text& text : device.recorded.texts) {
            out << "  text " << twips(text.position.x()) << ' ' << twips(text.position.y()) << " ["
                << text.font.family() << ' ' << text.font.pointSizeF() << (text.font.bold() ? " bold" : "")
                << (text.font.italic() ? " italic" : "") << "] " << text.text << '\n';
        }
        for (const QLineF& line : device.recorded.lines) {
            out << "  line " << twips(line.x1()) << ' ' << twips(line.y1()) << ' ' << twips(line.x2()) << ' '
                << twips(line.y2()) << '\n';
        }
        for (const QRectF& rect : device.recorded.rects) {
            out << "  rect " << twips(rect.left()) << ' ' << twips(rect.top()) << ' ' << twips(rect.width()) << ' '
                << twips(rect.height()) << '\n';
        }
    }
    return dump;
}

// Compares `dump` with tests/render/expected/`name`.txt; with QM_UPDATE_EXPECTED
// set, writes it there instead.
inline void ExpectDumpMatches(const QString& dump, const QString& name)
{
    const QString path = QStringLiteral(QM_EXPECTED_DIR "/") + name + QStringLiteral(".txt");
    if (qEnvironmentVariableIsSet("QM_UPDATE_EXPECTED")) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        file.write(dump.toUtf8());
        return;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text))
        << path.toStdString() << " is missing: QM_UPDATE_EXPECTED=1 writes it";
    const QString expected = QString::fromUtf8(file.readAll());
    // Line by line, so a failure names the first line that differs.
    const QStringList want = expected.split(QLatin1Char('\n'));
    const QStringList got = dump.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(got.at(i).toStdString(), want.at(i).toStdString()) << name.toStdString() << " line " << i + 1;
    EXPECT_EQ(got.size(), want.size()) << name.toStdString();
}
