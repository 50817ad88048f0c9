#pragma once

#include <memory>

#include "model/KyvDoc.h"

// Records filled the way the editors fill them, for tests and benchmarks that need projects with
// real content before the editors exist.

// An object of the given kind numbered `number` ("SimpleVGA3"): name, pins and some slots of
// every bank set, non-ASCII text included.
std::unique_ptr<CCodeObject> SampleObject(int kind, int number);

// Appends `count` sample objects whose kinds cycle through all sixteen, counting each kind and
// claiming a pin with a role and a note for each.
void AddSampleObjects(CKyvDoc& doc, int count);

// An object that holds pins basePin..basePin+count-1 under its name, each with the role
// "Role<pin>", as an accepted editor leaves it (an invalid one claims nothing); added to the
// document, which is not refreshed.
CCodeObject* AddHeldObject(CKyvDoc& doc, int kind, const QString& name, int basePin, int count,
                           bool valid = true);
