#pragma once

#include <QString>
#include <QStringView>

// What "3: Load P2" reads back from loadp2's output. When no P2 answers, loadp2 prints "Could not
// find a P2" (naming the port it tried in some versions) and, with -k, waits for Enter.

// The line says that no P2 answered.
bool IsNoP2Line(QStringView line);

// What to do about it; port is the port the load script names, empty for automatic.
QString NoP2AnsweredText(const QString& port);
