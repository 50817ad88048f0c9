#pragma once

#include <memory>

#include "editors/ObjectEditor.h"

// The editor of a kind code, not yet opened; nullptr for a code outside 0..15.
std::unique_ptr<CObjectEditor> CreateEditor(int kind);
