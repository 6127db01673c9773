#pragma once

#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;

// "OK" (the default button) and "Cancel" at the bottom right of a dialog. OK
// runs `confirm`, which accepts the dialog once its input will do; Cancel
// rejects the dialog. Without `withCancel` only OK is there. Returns OK.
QPushButton* AddOkCancel(QDialog& dialog, QBoxLayout& layout, std::function<void()> confirm,
                         bool withCancel = true);
