#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a Qt application object for the engine code
// that asks for one, and Qt's own messages kept quiet so that the fuzzer's
// output shows only its findings.
namespace fuzz {

inline void startQt()
{
    static int argc = 1;
    static char name[] = "qm-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input as text, read as UTF-8 the way a file or a typed field reaches the engine.
inline QString text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace fuzz

#define QM_FUZZ_INITIALIZE                                                                                   \
    extern "C" int LLVMFuzzerInitialize(int*, char***)                                                       \
    {                                                                                                        \
        fuzz::startQt();                                                                                     \
        return 0;                                                                                            \
    }
