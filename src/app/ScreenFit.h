#pragma once

#include <QSize>

class QDialog;
class QLayout;
class QWidget;

// Keeps windows within the screen they open on, whatever its size and scale factor.

// The wanted size bounded by the available geometry of the window's screen (its parent's,
// else the primary one), less room for the frame the window manager draws.
QSize SizeWithinScreen(const QWidget& window, QSize wanted);

// Lays a dialog out as its body in a scroll area above its buttons, and sizes it to the body's
// full size when the screen has room for that; else the body scrolls and the buttons stay in
// sight.
void SetScrollingBody(QDialog& dialog, QLayout* body, QWidget* buttons);
