#pragma once

#include <QIcon>
#include <QString>

// The drawings of the sixteen object kinds (picker buttons, editor dialogs) and of Kyv itself,
// carried in the program's resources.

// Resource path of a kind's icon; empty for codes outside 0..15.
QString KindIconPath(int kind);
// The kind's icon; a null icon for codes outside 0..15.
QIcon KindIcon(int kind);
// The application's icon (main window, About box).
QIcon AppIcon();
