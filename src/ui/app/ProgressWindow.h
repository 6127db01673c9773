#pragma once

#include "core/views/ListProgress.h"

#include <memory>

class QProgressDialog;
class QWidget;

// The small window with a bar shown while a long list is read.
class ProgressWindow final : public ListProgress
{
public:
    explicit ProgressWindow(QWidget* parent);
    ~ProgressWindow() override;

    void start(const QString& text, qsizetype total) override;
    void step(qsizetype done) override;
    void finish() override;

private:
    QWidget* m_parent;
    std::unique_ptr<QProgressDialog> m_dialog;
};
