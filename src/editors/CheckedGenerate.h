#pragma once

#include "codegen/GenerateFiles.h"

// "1: Generate Code": the project checks first. Errors are listed in a yes/no question and the
// files are written only on yes; warnings are listed in the closing message.
CGenerateResult GenerateCheckedFiles(CKyvDoc& doc);
