#pragma once

#include <QString>

class CKyvDoc;

// The project's base name: the title (the project file's name, "Demo.KYV") without its extension,
// the part from its last dot on; a name without one ("plain", ".KYV") is kept whole.
QString ProjectBaseName(const CKyvDoc& doc);

// The per-user setting naming the serial port the loader uses ("-p PORT"); empty or absent:
// automatic, loadp2 finds the P2 itself. Not part of the project file.
inline const QString kSerialPortSetting = QStringLiteral("SerialPort");
// The port the load scripts give the loader; empty for automatic.
QString ChosenSerialPort(const CKyvDoc& doc);

// build.bat and load.bat: three lines each for cmd.exe, "\n" to be written as CR LF.
QString BuildBatText(const CKyvDoc& doc);
QString LoadBatText(const CKyvDoc& doc);

// build.sh and load.sh: the same command lines for the POSIX flexspin and loadp2, written in
// UTF-8 with LF line ends and made executable. Every name and path is one single-quoted shell
// word, option fields are split into words as a shell would split them and each word is quoted.
// build.sh passes the include folder beside flexspin only when that folder exists.
QString BuildShText(const CKyvDoc& doc);
QString LoadShText(const CKyvDoc& doc);
