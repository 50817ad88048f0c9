#include "editors/ObjectNameRules.h"

#include <QStringList>

namespace {

bool IsLetterOrUnderscore(QChar c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool IsIdentifierChar(QChar c) { return IsLetterOrUnderscore(c) || (c >= u'0' && c <= u'9'); }

// Instance, variable and routine names the generated main file declares itself.
const QStringList& GeneratedNames() {
  static const QStringList names =
      QStringLiteral(
          "ser sd vga neopixel sound adc libc pixbuf1 tbuf i n r Main Loop Setup "
          "SetDacModeAndLevel")
          .split(u' ');
  return names;
}

// Spin2 keywords and the built-in names a program is most likely to collide with.
const QStringList& ReservedWords() {
  static const QStringList words =
      QStringLiteral(
          // block and flow keywords
          "CON VAR OBJ PUB PRI DAT IF IFNOT ELSEIF ELSEIFNOT ELSE CASE CASE_FAST OTHER REPEAT FROM "
          "TO STEP WHILE UNTIL NEXT QUIT RETURN ABORT RESULT WITH "
          // operators written as words
          "AND OR NOT XOR ABS SQRT SAR ROR ROL REV ZEROX SIGNX FRAC "
          // data and memory
          "BYTE WORD LONG STRING STRSIZE STRCOMP LOOKUP LOOKUPZ LOOKDOWN LOOKDOWNZ BYTEFILL "
          "WORDFILL LONGFILL BYTEMOVE WORDMOVE LONGMOVE FIELD FILE ORG ORGH END FIT RES "
          // constants and registers
          "TRUE FALSE POSX NEGX PI CLKMODE CLKFREQ _CLKFREQ _XTLFREQ _XINFREQ INA INB OUTA OUTB "
          "DIRA DIRB "
          // built-in methods
          "PINWRITE PINREAD PINLOW PINHIGH PINTOGGLE PINFLOAT PINSTART PINCLEAR WRPIN WXPIN WYPIN "
          "AKPIN RDPIN RQPIN GETCT WAITCT WAITMS WAITUS GETMS GETSEC COGINIT COGSPIN COGSTOP COGID "
          "COGCHK NEWCOG LOCKNEW LOCKRET HUBSET CLKSET GETRND SEND RECV DEBUG FLOAT ROUND TRUNC "
          "NAN "
          // FlexSpin's C-syntax lines in the same file
          "struct __using printf")
          .split(u' ');
  return words;
}

bool ContainsIgnoringCase(const QStringList& list, const QString& name) {
  return list.contains(name, Qt::CaseInsensitive);
}

QString IdentifierProblem(const QString& name) {
  if (name.isEmpty()) return QStringLiteral("Please enter an object name.");
  if (!IsLetterOrUnderscore(name.front()))
    return QStringLiteral(
               "The object name \"%1\" must start with a letter (A to Z) or an underscore.")
        .arg(name);
  for (const QChar c : name) {
    if (IsIdentifierChar(c)) continue;
    const QString shown = c == u' ' ? QStringLiteral("a blank") : QStringLiteral("\"%1\"").arg(c);
    return QStringLiteral(
               "The object name \"%1\" may hold only letters (A to Z), digits and underscores, not "
               "%2.")
        .arg(name, shown);
  }
  return QString();
}

QString ReservedNameProblem(const QString& name) {
  if (name.compare(u"Serial", Qt::CaseInsensitive) == 0)
    return QStringLiteral("The name \"%1\" is reserved for the serial pins 62 and 63.").arg(name);
  if (ContainsIgnoringCase(GeneratedNames(), name))
    return QStringLiteral(
               "The name \"%1\" is used by the generated program itself.  "
               "Please choose another name.")
        .arg(name);
  if (ContainsIgnoringCase(ReservedWords(), name))
    return QStringLiteral("The name \"%1\" is a Spin2 reserved word.  Please choose another name.")
        .arg(name);
  return QString();
}

}  // namespace

QString NameFormProblem(const QString& name) {
  const QString problem = IdentifierProblem(name);
  return problem.isEmpty() ? ReservedNameProblem(name) : problem;
}

QString ObjectNameProblem(const CKyvDoc& doc, const QString& name) {
  if (const QString problem = IdentifierProblem(name); !problem.isEmpty()) return problem;
  for (const auto& object : doc.m_ObjectList) {
    if (object->m_sName.compare(name, Qt::CaseInsensitive) == 0)
      return QStringLiteral(
                 "The name \"%1\" is already used by the object %2.  "
                 "Names must differ in more than upper and lower case.")
          .arg(name, object->m_sName);
  }
  return ReservedNameProblem(name);
}
