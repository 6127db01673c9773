#pragma once

class QWidget;

// After a dialog refused its input: the field to blame takes the focus with its
// whole text selected, so that typing replaces it. Line edits, editable combo
// boxes (pickers included), spin boxes and text edits; any other widget only
// takes the focus. Nothing happens for a null field.
void FocusRefused(QWidget* field);
