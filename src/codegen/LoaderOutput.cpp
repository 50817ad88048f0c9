#include "codegen/LoaderOutput.h"

using namespace Qt::Literals::StringLiterals;

bool IsNoP2Line(QStringView line) { return line.contains(u"Could not find a P2"_s); }

QString NoP2AnsweredText(const QString& port) {
  return u"No P2 answered on %1: connect the board, check its power, and pick its port under "
         u"Serial port on the P2 & FlexSpin tab."_s.arg(port.isEmpty() ? u"any port"_s : port);
}
