#pragma once

#include <QString>

#include "model/KyvDoc.h"

// Object names become Spin2 identifiers in the generated program and are read back from the
// object list up to the first blank, and pins are held by name. A new object's name must
// therefore be an identifier, and unique ignoring case (Spin2 names are case-insensitive)
// among the project's objects, the serial pins' holder "Serial", the names the generated
// program uses itself and Spin2's reserved words.
//
// Returns the message that says what is wrong with the name, or "" when it may be used.
QString ObjectNameProblem(const CKyvDoc& doc, const QString& name);

// What is wrong with the name on its own, whatever the other objects are called: not an
// identifier, the serial pins' holder, a name of the generated program or a reserved word.
// "" when it may be used.
QString NameFormProblem(const QString& name);
