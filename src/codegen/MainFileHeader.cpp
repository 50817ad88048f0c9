#include "codegen/MainFileSections.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

void WriteMainFileHeader(const CKyvDoc& doc, QString& out) {
  out += u"''Kyv Generated Spin2 main file\n"_s;
  if (doc.m_bUseBaud)
    out += u"'Use serial terminal with baud of "_s + doc.m_sBaud + u" To see diagnostic output\n"_s;
  else
    out += u"'Use serial terminal with baud of 230400 To see diagnostic output\n"_s;

  out += u"\n\nCON 'P2 clock setting\n"_s;
  out += u"  _clkfreq = "_s + doc.m_sClockFreq + u"\n\n"_s;

  if (doc.m_bMountSd) {
    out += u"\n\nCON 'uSD Pin Settings\n"_s;
    out += u"  uSD_MISO = "_s + doc.m_sSdMiso + u"\n"_s;
    out += u"  uSD_MOSI = "_s + doc.m_sSdMosi + u"\n"_s;
    out += u"  uSD_CS = "_s + doc.m_sSdCs + u"\n"_s;
    out += u"  uSD_CLK = "_s + doc.m_sSdClk + u"\n\n"_s;
  }

  out += u"\n\nCON 'Object Settings\n"_s;
}

void WriteObjBlock(const CKyvDoc& doc, QString& out) {
  out += u"OBJ 'Required Objects\n"_s;
  out += u"  ser : \"SimplerSerial\"  'For sending diagnostic output to serial terminal\n"_s;
  if (doc.m_bUsePlan9)
    out += u"  libc : \"libc.a\"  'FlexSpin C library, for mounting the host file system\n"_s;
  if (doc.m_bMountSd) {
    if (doc.m_nSdDriver == 0)
      out += u"  sd:  \"fsrw\"   'basic SD driver, has three different version of low level driver to choose from   \n"_s;
    else
      out += u"  sd:  \"FAT32\"   'advanced SD driver, has three different version of low level driver to choose from   \n"_s;
  }

  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    if (blocks.m_pSharedObjLines && IsFirstOfItsKind(doc, object)) blocks.m_pSharedObjLines(out);
    if (blocks.m_pObjLines) blocks.m_pObjLines(object, out);
  });
}

void WriteVarBlock(const CKyvDoc& doc, QString& out) {
  out += u"\n\nVAR 'place for any needed variables\n"_s;
  if (doc.m_bMountSd && doc.m_nSdDriver == 0)
    out += u"  byte tbuf[20]   'FSRW needs string storage space for filename\n"_s;
  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    if (blocks.m_pVarLines) blocks.m_pVarLines(object, out);
  });
}
// clang-format on
