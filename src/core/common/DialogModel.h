#pragma once

#include "core/common/ChangeList.h"
#include "core/common/SaveResult.h"

#include <QString>

#include <concepts>
#include <type_traits>

// The one contract of every dialog model, so that one runner in the desktop can open,
// run and follow any dialog, and one test can hold every model to it.
//
// - caption(): the window title; it may follow the model's state ("Modify Item #000012").
// - helpLine(): the line of guidance the dialog shows above its fields; empty when none.
// - checkPrerequisites(): runs once after construction, before the window opens. False
//   when the dialog must not open; the user has been told through the Prompter (or the
//   dialog closes silently, as cancelled, where that is its rule). A constructor that
//   cannot read its record keeps that as state for this check; it never asks or tells
//   the user anything itself.
// - save(): the one final step (OK, Finish, Delete, Import...). It validates, writes in one
//   database transaction and answers SaveResult<Field>: saved, or refused with the field
//   that takes the focus (Field::None when no field is to blame). A refusal writes
//   nothing. Dialogs with "Next >>" also have saveAndNext(): save() and then clear.
// - changes(): every record the final steps created, changed or deleted, by list kind
//   or, for tables no list shows, by UnlistedKind; the records changed in consequence
//   included (a sale's new receivable); within a kind the last ID is the record to
//   select afterwards. Queries, reports and statistics are kept by name in files and
//   settings, not as records, so their dialogs leave it empty. A dialog that only chooses a record
//   (Find, Search, Selection) writes nothing and leaves it empty; read-only dialogs
//   answer save() with ok.
// - Warnings go through warn() (common/StatusCodes.h).
// - Inputs that name records are record IDs, never a number the user sees. Questions and
//   messages go through the Prompter given to the constructor; "today" comes from an
//   injected Clock.
class DialogModel
{
public:
    virtual ~DialogModel() = default;

    virtual QString caption() const = 0;
    virtual QString helpLine() const { return QString(); }
    virtual bool checkPrerequisites() { return true; }

    const ChangeList& changes() const { return m_changes; }

protected:
    DialogModel() = default;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    ChangeList m_changes;
};

// A model keeps the contract when it derives from DialogModel, names its fields in an
// enum `Field` that starts with `None`, and has the one final step `save()`.
template <typename Model>
concept DialogModelContract =
    std::derived_from<Model, DialogModel> && std::is_enum_v<typename Model::Field> &&
    requires(Model& model) {
        { model.save() } -> std::same_as<SaveResult<typename Model::Field>>;
        { Model::Field::None };
    };
