#include <QDateTime>
#include <QStringList>

#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

QDateTime LocalNow(const CKyvDoc& doc) {
  const CClock* clock = doc.Platform().m_pClock;
  return clock ? clock->Now() : QDateTime::currentDateTime();
}

void ObjLines(const CCodeObject& object, QString& out) {
  out += u"  "_s + object.m_sName + u" : \"rtc_DS1339\"  'DS1339 real-time clock on I2C bus "_s + object[RtcSlots::Bus] + u"\n"_s;
}

void Setup(const CKyvDoc& doc, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const QString& bus = object[RtcSlots::Bus];
  out += u"\n'Start the real-time clock "_s + name + u" on I2C bus "_s + bus + u" and enable its trickle charger\n"_s;
  out += u"  "_s + name + u".Init("_s + bus + u"_SCL, "_s + bus + u"_SDA, "_s + bus + u"_SPEED, "_s + bus + u"_PULLUP, true)\n"_s;
  if (object[RtcSlots::SetTime]) {
    const QDateTime now = LocalNow(doc);
    const QDate date = now.date();
    const QTime time = now.time();
    const int dayOfWeek = date.dayOfWeek() % 7 + 1;  // 1 Sunday .. 7 Saturday
    const QString numbers = QStringList{Dec(date.year()), Dec(date.month()), Dec(date.day()), Dec(dayOfWeek),
                                        Dec(time.hour()), Dec(time.minute()), Dec(time.second())}.join(u", "_s);
    out += u"  "_s + name + u".SetTime("_s + numbers + u")  'year, month, date, day of week (1 = Sunday), hours, minutes, seconds\n"_s;
  }
  out += u"  ser.str(string(\"RTC Started.\",13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Show the time of "_s + name + u"\n"_s;
  out += u"  ser.tx(\" \")\n"_s;
  out += u"  ser.str("_s + name + u".TimeText())  'for example Sun Mar 03 14:05:09 2024\n"_s;
  out += u"  ser.tx(13)\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"I2C Bus:"_s, object[RtcSlots::Bus]});
}

}  // namespace

extern const CKindBlocks kRtcBlocks = {.m_pObjLines = ObjLines, .m_pSetup = Setup, .m_pLoop = Loop,
                                       .m_pCopiedTexts = CopiedTexts};
// clang-format on
