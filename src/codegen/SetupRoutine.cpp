#include "codegen/MainFileSections.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

void WriteSetupRoutine(const CKyvDoc& doc, QString& out) {
  out += u"Pub Setup()|i\n"_s;
  out += u"'Setup - Things to do once at start \n\n"_s;
  out += u"'start serial\n"_s;
  if (doc.m_bUseBaud)
    out += u"  ser.start("_s + doc.m_sBaud + u")\n"_s;
  else
    out += u"  ser.start(230400)\n"_s;
  out += u"  repeat i from 5 to 0 'wait up to 5 seconds\n"_s;
  out += u"    ser.str(string(\"Press any key to skip count down : \")) 'tell user to press a key to avoid waiting\n"_s;
  out += u"    ser.dec(i) 'show count down\n"_s;
  out += u"    ser.str(string(\" seconds until starting.\", 13))\n"_s;
  out += u"    waitms(1000) 'wait a second\n"_s;
  out += u"    if ser.rxcheck() >= 0 'any key pressed\n"_s;
  out += u"      ser.rxflush() 'remove all key presses from input buffer\n"_s;
  out += u"      quit      'continue\n\n"_s;
  // Once, after the count-down loop.
  if (doc.m_bUseBaud) {
    out += u"  'Set custom Baud for stdio\n"_s;
    out += u"  _setbaud("_s + doc.m_sBaud + u")\n\n"_s;
  }
  if (doc.m_bUsePlan9) {
    out += u"  'Mount the Plan9 file system for access to host's files\n"_s;
    out += u"  'Files on the host PC may be accessed via names like \"/host/foo.txt\"\n"_s;
    out += u"  libc.mount(@\"/host\", libc._vfs_open_host())\n\n"_s;
  }

  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    if (blocks.m_pSetup) blocks.m_pSetup(doc, object, out);
  });

  out += u"\n'End of Setup\n\n"_s;
}

void WriteHelperRoutines(const CKyvDoc& doc, QString& out) {
  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    if (blocks.m_pHelperRoutines && IsFirstOfItsKind(doc, object)) blocks.m_pHelperRoutines(out);
  });
}
// clang-format on
