#pragma once

#include <QString>
#include <optional>

class CKyvDoc;

// A text bound for a generated file that holds a character it cannot hold.
struct CUnwritableText {
  QString m_sWhere;  // "field \"SCL Pin:\" of object I2CBus1", "the setting \"...\""
  char32_t m_nCodePoint = 0;
};

// Looks through every setting and object text the scripts and the main file will hold, in the
// order they are written, for the first character above U+00FF or control character (a tab is
// allowed): a control character would break the generated line or the file itself.
std::optional<CUnwritableText> FindUnwritableText(const CKyvDoc& doc);
// The same, for control characters only.
std::optional<CUnwritableText> FindControlCharacter(const CKyvDoc& doc);

// What is wrong, naming the field and the character: "<field> holds the control character U+0000,
// which cannot be written into a generated file."
QString UnwritableTextDescription(const CUnwritableText& found);
// The message that stops Generate Files: the description and what to do.
QString UnwritableTextMessage(const CUnwritableText& found);

// The first of "%", "\"", "^", "<" and ">" in the project file name or a setting that build.bat
// and load.bat hold: cmd.exe would expand, split or redirect at it, and no quoting keeps all of
// them literal.
std::optional<CUnwritableText> FindScriptUnsafeText(const CKyvDoc& doc);
// "<field> holds the character "%", which cmd.exe would not pass on as written in build.bat and
// load.bat."
QString ScriptUnsafeTextDescription(const CUnwritableText& found);
// The message that stops Generate Files.
QString ScriptUnsafeTextMessage(const CUnwritableText& found);
