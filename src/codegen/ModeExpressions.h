#pragma once

#include <QString>

class CCodeObject;

// The pin mode of a digital I/O object as an OR-expression of the P2's mode constants, for the
// second argument of its pinstart call. An index outside its list contributes nothing.
QString DigitalIoModeExpression(const CCodeObject& object);

// The P2 DAC mode constant of a DAC object's drive index; empty for an index without one.
QString DacModeName(const CCodeObject& object);
