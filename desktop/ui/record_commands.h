#pragma once

#include <QString>

// The record dialogs as the card view, the cards and the list open them: each command runs a
// fresh dialog modally and ignores its result. A dialog that changes the database sets the
// data-changed flag itself, and the view on show reloads once the dialog has closed.

void OpenAddDialog();
// `id` is the record's ID as text, `name` its SIM_Name.
void OpenModifyDialog(const QString& id, const QString& name);
void OpenDeleteDialog(const QString& id, const QString& name);
