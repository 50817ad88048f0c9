#pragma once

#include <QString>
#include <optional>

class CKyvDoc;

// A text bound for a generated file that holds a character with no single-byte form.
struct CUnwritableText {
  QString m_sWhere;  // "field \"SCL Pin:\" of object I2CBus1", "the setting \"...\""
  char32_t m_nCodePoint = 0;
};

// Looks through every setting and object text the scripts and the main file will hold, in the
// order they are written, for the first character above U+00FF.
std::optional<CUnwritableText> FindUnwritableText(const CKyvDoc& doc);

// The message that stops Generate Files, naming the field and the character.
QString UnwritableTextMessage(const CUnwritableText& found);
