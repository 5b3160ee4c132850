#pragma once

#include <QString>

#include <optional>

#include "desktop/exchange/csv/column_config_file.h"
#include "platform/windows/combo_box.h"

// The layout box of the CSV dialogs (combo 1278 with its "Save Config" button): saving the
// dialog's 55 names under the box's title and loading a layout chosen in its list, with the
// messages both dialogs show.

// Saves `layout` under the title typed or chosen in `box`: refuses reserved and unusable titles,
// asks before overwriting, adds a new title to the box's list and reports the outcome.
void SaveLayoutFromBox(CComboBox* box, const ColumnConfigFile& layout);

// The layout saved under `title`; nothing, after telling the user, when it cannot be read.
std::optional<ColumnConfigFile> LoadLayoutForBox(const QString& title);
