#include "codegen/MainFileSections.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

void WriteMainRoutine(const CKyvDoc& doc, QString& out) {
  out += u"\n\nPub Main()|n\n"_s;
  out += u"'Main Routine - Note: First PUB routine is main routine in Spin, regardless of name\n"_s;
  out += u"  Setup()  'Do any required initialization\n"_s;
  out += u"  repeat\n"_s;
  out += u"    ser.str(string(13,\"Loop #\"))\n"_s;
  out += u"    ser.dec(n++)\n"_s;
  out += u"    ser.tx(13) 'send carriage return\n"_s;
  out += u"    Loop()  'Exercise project objects\n"_s;
  if (doc.m_bHasSound) {
    out += u"    repeat 100\n"_s;
    out += u"      'inter-loop delay of 1 second\n"_s;
    out += u"      waitms(10)\n"_s;
    out += u"      'Need to call pollTick at least 50 times per second\n"_s;
    out += u"      sound.pollTick()\n"_s;
  } else {
    out += u"    waitms(1000)  'Wait a second before looping\n"_s;
  }
  out += u"\n'End of Main Routine\n"_s;
  out += u"\n\n"_s;
}

namespace {

void WriteFsrwLoop(QString& out) {
  out += u"\n'Mount uSD and list some files using FSRW\n"_s;
  out += u"  ser.str(string(\"Mount file system with FSRW for access to uSD files\",13))\n"_s;
  out += u"  'Try to mount a few times then give up if not successful\n"_s;
  out += u"  repeat 10\n"_s;
  out += u"    waitms(500)\n"_s;
  out += u"    r:= sd.mount_explicit(uSD_MISO, uSD_CLK , uSD_MOSI, uSD_CS)\n"_s;
  out += u"    if r < 0\n"_s;
  out += u"      ser.str(string(\"Mount Error #\"))\n"_s;
  out += u"      ser.dec(r)\n"_s;
  out += u"      ser.tx(13)\n"_s;
  out += u"      sd.release() 'see if this helps next attempt\n"_s;
  out += u"    else\n"_s;
  out += u"      quit\n"_s;
  out += u"  if r < 0\n"_s;
  out += u"    ser.str(string(\"Unable to mount after several tries.Giving up.Try removing card for a second. Check boot switches.\", 13))\n"_s;
  out += u"    repeat 'give up and stop here.\n"_s;
  out += u"  ser.str(string(\"SD Mounted.\", 13))\n\n"_s;
  out += u"  'Show first few files in root directory\n"_s;
  out += u"  ser.str(string(\"First files in SD Root Directory: \",13))\n"_s;
  out += u"  sd.opendir()\n"_s;
  out += u"  r:=0 'file count\n"_s;
  out += u"  repeat while 0 == sd.nextfile(@tbuf) and 5 > r++\n"_s;
  out += u"    ser.str(@tbuf)\n"_s;
  out += u"    ser.tx(13)\n"_s;
  out += u"  ser.str(string(13,\"End of first files list.\", 13))\n"_s;
}

void WriteFat32Loop(QString& out) {
  out += u"\n'Mount uSD and list some files using FAT32\n"_s;
  out += u"  ser.str(string(\"Mount file system with FAT32 for access to uSD files\",13))\n"_s;
  out += u"  'Start the Engine.  This seems to either work, or hang\n"_s;
  out += u"  'Starting with readOnly=true can cause serious issues, not recommended\n"_s;
  out += u"  r:= sd.FATEngineStart(uSD_MISO, uSD_CLK, uSD_MOSI, uSD_CS, false) \n"_s;
  out += u"  'Try to mount a few times then give up if not successful\n"_s;
  out += u"  repeat 20\n"_s;
  out += u"    r:= \\sd.mountPartition(0)\n"_s;
  out += u"    if r<>0\n"_s;
  out += u"      ser.str(string(13, \"Partition Mount Error : \"))\n"_s;
  out += u"      ser.str(r)\n"_s;
  out += u"      ser.tx(13)\n"_s;
  out += u"    else\n"_s;
  out += u"      quit\n"_s;
  out += u"    waitms(200)\n"_s;
  out += u"  if r<>0\n"_s;
  out += u"    ser.str(string(\"uSD Failed to mount.\"))\n"_s;
  out += u"    repeat 'give up on uSD and stop here\n"_s;
  out += u"  ser.str(string(13,\"SD Partition Mounted.\",13))\n\n"_s;
  out += u"  'Show first few files in root directory\n"_s;
  out += u"  ser.str(string(\"First files in SD Root Directory: \",13))\n"_s;
  out += u"  sd.listEntries(\"W\") 'With \"W\" argument, resets us to top of directory list, just in case not there already\n"_s;
  out += u"  repeat 5 'just showing first 5 files\n"_s;
  out += u"    r:= sd.listEntries(\"N\") 'With \"N\" argument, loads info on next file in directory list and returns filename or 0 if end of list\n"_s;
  out += u"    if byte[r] == 0   'listEntries(\"N\") returns 0 when end of directory list is reached\n"_s;
  out += u"      quit\n"_s;
  out += u"    else\n"_s;
  out += u"      ser.str(r)\n"_s;
  out += u"      ser.tx(13)\n"_s;
  out += u"  ser.str(string(13,\"End of first files list.\", 13))\n"_s;
}

}  // namespace

void WriteLoopRoutine(const CKyvDoc& doc, QString& out) {
  // The SD card block assigns r.
  out += doc.m_bMountSd ? u"Pub Loop()|i, r\n"_s : u"Pub Loop()|i\n"_s;
  out += u"'Loop - Things to do over and over again\n"_s;

  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    if (blocks.m_pLoop) blocks.m_pLoop(object, out);
  });

  if (doc.m_bMountSd) {
    if (doc.m_nSdDriver == 0)
      WriteFsrwLoop(out);
    else
      WriteFat32Loop(out);
  }

  out += u"\n'End of Loop \n"_s;
  out += u"\n\n"_s;
}
// clang-format on
