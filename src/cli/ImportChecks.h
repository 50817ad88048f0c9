#pragma once

#include <QString>

class CKyvDoc;

// What the editors and the generator would refuse in an imported project: an object name the
// editors' OK refuses (checked in list order, each against the objects before it), and a control
// character in a text that reaches a generated file, a character cmd.exe cannot take in a text
// the scripts hold, and a pin table that does not match the objects. Returns the first problem,
// naming the object or the field, or "" when the project may be saved.
QString ImportedProjectProblem(CKyvDoc& doc);
