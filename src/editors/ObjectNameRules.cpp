#include "editors/ObjectNameRules.h"

#include <QStringList>

namespace {

bool IsLetterOrUnderscore(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool IsIdentifierChar(QChar c) { return IsLetterOrUnderscore(c) || (c >= u'0' && c <= u'9'); }

// Instance, variable and routine names the generated main file declares itself.
const QStringList& GeneratedNames() {
  static const QStringList names = {
      QStringLiteral("ser"),     QStringLiteral("sd"),    QStringLiteral("vga"),
      QStringLiteral("neopixel"), QStringLiteral("sound"), QStringLiteral("adc"),
      QStringLiteral("libc"),    QStringLiteral("pixbuf1"), QStringLiteral("tbuf"),
      QStringLiteral("i"),       QStringLiteral("n"),     QStringLiteral("r"),
      QStringLiteral("Main"),    QStringLiteral("Loop"),  QStringLiteral("Setup"),
      QStringLiteral("SetDacModeAndLevel"),
  };
  return names;
}

// Spin2 keywords and the built-in names a program is most likely to collide with.
const QStringList& ReservedWords() {
  static const QStringList words = {
      // block and flow keywords
      QStringLiteral("CON"), QStringLiteral("VAR"), QStringLiteral("OBJ"), QStringLiteral("PUB"),
      QStringLiteral("PRI"), QStringLiteral("DAT"), QStringLiteral("IF"), QStringLiteral("IFNOT"),
      QStringLiteral("ELSEIF"), QStringLiteral("ELSEIFNOT"), QStringLiteral("ELSE"),
      QStringLiteral("CASE"), QStringLiteral("CASE_FAST"), QStringLiteral("OTHER"),
      QStringLiteral("REPEAT"), QStringLiteral("FROM"), QStringLiteral("TO"),
      QStringLiteral("STEP"), QStringLiteral("WHILE"), QStringLiteral("UNTIL"),
      QStringLiteral("NEXT"), QStringLiteral("QUIT"), QStringLiteral("RETURN"),
      QStringLiteral("ABORT"), QStringLiteral("RESULT"), QStringLiteral("WITH"),
      // operators written as words
      QStringLiteral("AND"), QStringLiteral("OR"), QStringLiteral("NOT"), QStringLiteral("XOR"),
      QStringLiteral("ABS"), QStringLiteral("SQRT"), QStringLiteral("SAR"), QStringLiteral("ROR"),
      QStringLiteral("ROL"), QStringLiteral("REV"), QStringLiteral("ZEROX"),
      QStringLiteral("SIGNX"), QStringLiteral("FRAC"),
      // data and memory
      QStringLiteral("BYTE"), QStringLiteral("WORD"), QStringLiteral("LONG"),
      QStringLiteral("STRING"), QStringLiteral("STRSIZE"), QStringLiteral("STRCOMP"),
      QStringLiteral("LOOKUP"), QStringLiteral("LOOKUPZ"), QStringLiteral("LOOKDOWN"),
      QStringLiteral("LOOKDOWNZ"), QStringLiteral("BYTEFILL"), QStringLiteral("WORDFILL"),
      QStringLiteral("LONGFILL"), QStringLiteral("BYTEMOVE"), QStringLiteral("WORDMOVE"),
      QStringLiteral("LONGMOVE"), QStringLiteral("FIELD"), QStringLiteral("FILE"),
      QStringLiteral("ORG"), QStringLiteral("ORGH"), QStringLiteral("END"), QStringLiteral("FIT"),
      QStringLiteral("RES"),
      // constants and registers
      QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("POSX"),
      QStringLiteral("NEGX"), QStringLiteral("PI"), QStringLiteral("CLKMODE"),
      QStringLiteral("CLKFREQ"), QStringLiteral("_CLKFREQ"), QStringLiteral("_XTLFREQ"),
      QStringLiteral("_XINFREQ"), QStringLiteral("INA"), QStringLiteral("INB"),
      QStringLiteral("OUTA"), QStringLiteral("OUTB"), QStringLiteral("DIRA"),
      QStringLiteral("DIRB"),
      // built-in methods
      QStringLiteral("PINWRITE"), QStringLiteral("PINREAD"), QStringLiteral("PINLOW"),
      QStringLiteral("PINHIGH"), QStringLiteral("PINTOGGLE"), QStringLiteral("PINFLOAT"),
      QStringLiteral("PINSTART"), QStringLiteral("PINCLEAR"), QStringLiteral("WRPIN"),
      QStringLiteral("WXPIN"), QStringLiteral("WYPIN"), QStringLiteral("AKPIN"),
      QStringLiteral("RDPIN"), QStringLiteral("RQPIN"), QStringLiteral("GETCT"),
      QStringLiteral("WAITCT"), QStringLiteral("WAITMS"), QStringLiteral("WAITUS"),
      QStringLiteral("GETMS"), QStringLiteral("GETSEC"), QStringLiteral("COGINIT"),
      QStringLiteral("COGSPIN"), QStringLiteral("COGSTOP"), QStringLiteral("COGID"),
      QStringLiteral("COGCHK"), QStringLiteral("NEWCOG"), QStringLiteral("LOCKNEW"),
      QStringLiteral("LOCKRET"), QStringLiteral("HUBSET"), QStringLiteral("CLKSET"),
      QStringLiteral("GETRND"), QStringLiteral("SEND"), QStringLiteral("RECV"),
      QStringLiteral("DEBUG"), QStringLiteral("FLOAT"), QStringLiteral("ROUND"),
      QStringLiteral("TRUNC"), QStringLiteral("NAN"),
      // FlexSpin's C-syntax lines in the same file
      QStringLiteral("struct"), QStringLiteral("__using"), QStringLiteral("printf"),
  };
  return words;
}

bool ContainsIgnoringCase(const QStringList& list, const QString& name) {
  return list.contains(name, Qt::CaseInsensitive);
}

}  // namespace

QString ObjectNameProblem(const CKyvDoc& doc, const QString& name) {
  if (name.isEmpty()) return QStringLiteral("Please enter an object name.");
  if (!IsLetterOrUnderscore(name.front()))
    return QStringLiteral("The object name \"%1\" must start with a letter (A to Z) or an underscore.")
        .arg(name);
  for (const QChar c : name) {
    if (IsIdentifierChar(c)) continue;
    const QString shown = c == u' ' ? QStringLiteral("a blank") : QStringLiteral("\"%1\"").arg(c);
    return QStringLiteral(
               "The object name \"%1\" may hold only letters (A to Z), digits and underscores, not %2.")
        .arg(name, shown);
  }
  for (const auto& object : doc.m_ObjectList) {
    if (object->m_sName.compare(name, Qt::CaseInsensitive) == 0)
      return QStringLiteral("The name \"%1\" is already used by the object %2.  "
                            "Names must differ in more than upper and lower case.")
          .arg(name, object->m_sName);
  }
  if (name.compare(u"Serial", Qt::CaseInsensitive) == 0)
    return QStringLiteral("The name \"%1\" is reserved for the serial pins 62 and 63.").arg(name);
  if (ContainsIgnoringCase(GeneratedNames(), name))
    return QStringLiteral("The name \"%1\" is used by the generated program itself.  "
                          "Please choose another name.")
        .arg(name);
  if (ContainsIgnoringCase(ReservedWords(), name))
    return QStringLiteral("The name \"%1\" is a Spin2 reserved word.  Please choose another name.")
        .arg(name);
  return QString();
}
