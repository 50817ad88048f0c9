#pragma once

#include <QIcon>

// Drawn icons for the ribbon commands that the platform's style has no picture for.
enum class CommandIcon { Paste, Cut, Copy, SelectAll, StatusBar, Windows, Compile, Undo, Redo };

QIcon DrawnIcon(CommandIcon icon);
