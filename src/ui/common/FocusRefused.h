#pragma once

class QDialog;
class QWidget;

// After a dialog refused its input: the field to blame takes the focus with its
// whole text selected, so that typing replaces it. Line edits, editable combo
// boxes (pickers included), spin boxes and text edits; any other widget only
// takes the focus. Nothing happens for a null field.
void FocusRefused(QWidget* field);

// A dialog's answer to its model's final step: closed as accepted when the model
// saved, else `refused` takes the focus as above.
void AcceptOrFocusRefused(QDialog& dialog, bool saved, QWidget* refused);
