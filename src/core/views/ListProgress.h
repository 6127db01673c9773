#pragma once

#include <QString>

// Where a long list operation shows its progress: the desktop puts up a small
// progress window, tests count the steps.
class ListProgress
{
public:
    virtual ~ListProgress() = default;

    // A window with `text` (none: a bar only) for `total` steps.
    virtual void start(const QString& text, qsizetype total) = 0;
    virtual void step(qsizetype done) = 0;
    virtual void finish() = 0;
};
