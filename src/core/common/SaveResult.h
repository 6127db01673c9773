#pragma once

// The focus type of a model whose final step has no field to blame.
enum class NoField
{
    None
};

// What a dialog model's final step answers: whether it saved, and, when it refused,
// the field that should take the focus. `Field` is the model's own enum of its
// fields; its first enumerator is `None` (no field to blame).
template <typename Field = NoField> struct [[nodiscard]] SaveResult
{
    bool saved = false;
    Field focus = Field::None;

    static SaveResult ok() { return {true, Field::None}; }
    static SaveResult refused(Field field = Field::None) { return {false, field}; }

    friend bool operator==(const SaveResult&, const SaveResult&) = default;
};
