#pragma once

#include <QIcon>

// The toolbar's pictures, drawn here so they scale cleanly: keys "PCOpen", "PCSave",
// "CoreOpen", "CoreSave", "SetDefault". An unknown key gives a null icon.
QIcon toolbarIcon(const QString &key);
