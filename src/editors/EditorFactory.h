#pragma once

#include "editors/ObjectEditor.h"

#include <memory>

// The editor of a kind code, not yet opened; nullptr for a code outside 0..15 and for a kind
// whose editor this build does not have.
std::unique_ptr<CObjectEditor> CreateEditor(int kind);
