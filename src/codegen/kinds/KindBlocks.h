#pragma once

#include <QList>
#include <QString>
#include <cstdint>

#include "model/KyvDoc.h"

// A text of one object that its blocks copy into the main file, with the label of its editor
// field, for the single-byte check.
struct CCopiedText {
  QString m_sLabel;
  QString m_sValue;
};

// A number as the blocks write it: in decimal.
inline QString Dec(qint64 value) { return QString::number(value); }

using ObjectBlock = void (*)(const CCodeObject& object, QString& out);
using ProjectBlock = void (*)(QString& out);

// What one kind writes into the main file, section by section; a kind leaves out what it does
// not write. The section writers keep the shared text and the order; they call an object's
// blocks in list order, and a kind's once-per-project blocks at its first object.
struct CKindBlocks {
  ObjectBlock m_pConstants = nullptr;        // lines of the Object Settings CON block
  ObjectBlock m_pObjLines = nullptr;         // the object's driver instance in the OBJ block
  ProjectBlock m_pSharedObjLines = nullptr;  // an instance every object of the kind shares
  ObjectBlock m_pVarLines = nullptr;         // its variables in the VAR block
  // Its start-up lines in Setup; the document gives the platform's clock.
  void (*m_pSetup)(const CKyvDoc& doc, const CCodeObject& object, QString& out) = nullptr;
  ObjectBlock m_pLoop = nullptr;             // its exercise lines in Loop
  ProjectBlock m_pHelperRoutines = nullptr;  // PUB routines after Setup, once per project
  // The texts the blocks above copy from the record.
  void (*m_pCopiedTexts)(const CCodeObject& object, QList<CCopiedText>& texts) = nullptr;
  // Main calls the sound driver's pollTick between loops instead of waiting a second.
  bool m_bPollsSound = false;
};

// The blocks of a kind code; nullptr for a code that names no kind.
const CKindBlocks* FindKindBlocks(int32_t kind);
// Calls visit(blocks, object) for every object of the project whose kind has blocks, in list
// order.
template <typename Visit>
void ForEachObjectBlocks(const CKyvDoc& doc, Visit visit) {
  for (const auto& object : doc.m_ObjectList)
    if (const CKindBlocks* blocks = FindKindBlocks(object->m_nType)) visit(*blocks, *object);
}
// Whether no object before this one in the project's list is of its kind: where the kind's
// once-per-project blocks go.
bool IsFirstOfItsKind(const CKyvDoc& doc, const CCodeObject& object);

// Each kind's blocks, in kinds/<Kind>Blocks.cpp.
extern const CKindBlocks kSimpleVgaBlocks;
extern const CKindBlocks kSimpleQvgaBlocks;
extern const CKindBlocks kSimpleHdmiBlocks;
extern const CKindBlocks kTiled1080pBlocks;
extern const CKindBlocks kI2cBusBlocks;
extern const CKindBlocks kNeopixelBlocks;
extern const CKindBlocks kNcoBlocks;
extern const CKindBlocks kRtcBlocks;
extern const CKindBlocks kSoundBlocks;
extern const CKindBlocks kServoBlocks;
extern const CKindBlocks kDigitalIoBlocks;
extern const CKindBlocks kFiltersBlocks;
extern const CKindBlocks kDacBlocks;
extern const CKindBlocks kAdcBlocks;
extern const CKindBlocks kUsbKbmBlocks;
extern const CKindBlocks kCameraBlocks;
