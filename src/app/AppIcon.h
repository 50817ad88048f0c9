#pragma once

#include <QIcon>

// The application's icon: a P2 chip, drawn rather than loaded.
QIcon AppIcon();
