#pragma once

#include <QString>

#include <functional>

// Every message the program shows goes through this service: the program installs the handler
// that puts the tips box on screen, tests install one that records or answers. Code below the
// user interface (database, import and export) reports through it without knowing any widget.

using TipsHandler = std::function<void(int iconId, const QString& text)>;

// Installs the handler for tips boxes and returns the one it replaces.
TipsHandler SetTipsHandler(TipsHandler handler);

// Shows the tips box with the icon (a resource id) and the text; returns once it is closed.
void ShowTips(int iconId, const QString& text);
