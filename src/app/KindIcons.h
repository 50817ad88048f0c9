#pragma once

#include <QIcon>
#include <QString>

// The drawings of the sixteen object kinds (picker buttons, editor dialogs) and of Kyv itself
// ("kyv"), SVG files carried in the program's resources under :/icons/.

// An icon of the resources by file name without ".svg" ("vga", "kyv"); null when there is none.
QIcon ResourceIcon(const QString& name);
// The kind's icon; a null icon for codes outside 0..15.
QIcon KindIcon(int kind);
