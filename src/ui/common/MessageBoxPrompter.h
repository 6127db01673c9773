#pragma once

#include "core/common/Prompter.h"

class QWidget;

// The application's prompter: every message and question as a message box over
// the main window, with the title and icon the caller gives.
class MessageBoxPrompter final : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& title, Icon icon) override;
    bool askYesNo(const QString& text, const QString& title, Icon icon) override;

private:
    QWidget* m_parent;
};
