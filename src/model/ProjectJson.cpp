#include "model/ProjectJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <cmath>
#include <limits>
#include <utility>
#include <variant>

#include "model/ProjectSettings.h"

namespace {

const QString kPins = QStringLiteral("pins");
const QString kTypeCount = QStringLiteral("typeCount");
const QString kObjects = QStringLiteral("objects");
const QString kUsed = QStringLiteral("used");
const QString kUsedBy = QStringLiteral("usedBy");
const QString kUsedFor = QStringLiteral("usedFor");
const QString kNotes = QStringLiteral("notes");
const QString kType = QStringLiteral("type");
const QString kKind = QStringLiteral("kind");
const QString kName = QStringLiteral("name");
const QString kFlag = QStringLiteral("flag");
const QString kBasePin = QStringLiteral("basePin");
const QString kPinCount = QStringLiteral("pinCount");
const QString kText = QStringLiteral("text");
const QString kNumber = QStringLiteral("number");
const QString kString = QStringLiteral("string");
const QString kSParam = QStringLiteral("sParam");
const QString kNParam = QStringLiteral("nParam");
const QString kBParam = QStringLiteral("bParam");
const QString kValid = QStringLiteral("valid");
const QString kFlag2 = QStringLiteral("flag2");

// ---- export ----

// The entries of an indexed slot bank that differ from the default, keyed by index.
template <typename Bank, typename Value>
QJsonObject NonDefaultEntries(const Bank& bank, const Value& defaultValue) {
  QJsonObject entries;
  for (size_t i = 0; i < bank.size(); ++i)
    if (bank[i] != defaultValue) entries.insert(QString::number(i), bank[i]);
  return entries;
}

QJsonObject ObjectToJson(const CCodeObject& object) {
  QJsonObject json;
  json.insert(kType, object.m_nType);
  json.insert(kKind, object.GetKindName());
  json.insert(kName, object.m_sName);
  json.insert(kFlag, object.m_bFlag);
  json.insert(kBasePin, object.m_sBasePin);
  json.insert(kPinCount, object.m_nPinCount);
  json.insert(kText, NonDefaultEntries(object.m_sText, QString()));
  json.insert(kNumber, object.m_nNumber);
  json.insert(kString, object.m_sString);
  json.insert(kSParam, NonDefaultEntries(object.m_sParam, QString()));
  json.insert(kNParam, NonDefaultEntries(object.m_nParam, int32_t{0}));
  json.insert(kBParam, NonDefaultEntries(object.m_bParam, false));
  json.insert(kValid, object.m_bValid);
  json.insert(kFlag2, object.m_bFlag2);
  return json;
}

// ---- import ----

// Thrown with "<key path>: <what is wrong>" while a JSON text is read.
struct CJsonError {
  QString m_sText;
};

[[noreturn]] void Fail(const QString& path, const QString& problem) {
  throw CJsonError{path + QStringLiteral(": ") + problem};
}

QString Member(const QString& path, const QString& key) {
  return path.isEmpty() ? key : path + u'.' + key;
}

int32_t ToInt32(const QJsonValue& value, const QString& path) {
  const double number = value.toDouble();
  if (!value.isDouble() || !std::isfinite(number) || std::floor(number) != number)
    Fail(path, QStringLiteral("expected an integer"));
  if (number < std::numeric_limits<int32_t>::min() || number > std::numeric_limits<int32_t>::max())
    Fail(path,
         QStringLiteral("%1 is out of range -2147483648..2147483647").arg(number, 0, 'g', 17));
  return static_cast<int32_t>(number);
}

QString ToString(const QJsonValue& value, const QString& path) {
  if (!value.isString()) Fail(path, QStringLiteral("expected a string"));
  return value.toString();
}

bool ToBool(const QJsonValue& value, const QString& path) {
  if (!value.isBool()) Fail(path, QStringLiteral("expected true or false"));
  return value.toBool();
}

QJsonObject ToObject(const QJsonValue& value, const QString& path) {
  if (!value.isObject()) Fail(path, QStringLiteral("expected an object"));
  return value.toObject();
}

void RejectUnknownKeys(const QJsonObject& json, const QString& path, const QStringList& known) {
  for (auto it = json.begin(); it != json.end(); ++it)
    if (!known.contains(it.key())) Fail(Member(path, it.key()), QStringLiteral("unknown key"));
}

// Reads an indexed bank of `count` slots, given either as an object keyed by decimal index or as
// an array of at most `count` entries. readEntry(index, value, entryPath) stores one entry.
template <typename ReadEntry>
void ReadIndexed(const QJsonValue& value, int count, const QString& path, ReadEntry readEntry) {
  const QString range = QStringLiteral("0..%1").arg(count - 1);
  if (value.isArray()) {
    const QJsonArray entries = value.toArray();
    if (entries.size() > count)
      Fail(path, QStringLiteral("%1 entries, at most %2 allowed").arg(entries.size()).arg(count));
    for (qsizetype i = 0; i < entries.size(); ++i)
      readEntry(static_cast<int>(i), entries[i],
                QStringLiteral("%1[%2]").arg(path, QString::number(i)));
    return;
  }
  if (!value.isObject())
    Fail(path, QStringLiteral("expected an object keyed by index %1 or an array").arg(range));
  const QJsonObject entries = value.toObject();
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    const QString& key = it.key();
    const QString entryPath = Member(path, key);
    // Plain decimal only, so that two spellings of one index cannot both appear.
    bool isDecimal = !key.isEmpty() && key.size() <= 9 && (key == u"0" || key[0] != u'0');
    for (const QChar c : key) isDecimal = isDecimal && c >= u'0' && c <= u'9';
    const int index = isDecimal ? key.toInt() : -1;
    if (index < 0 || index >= count)
      Fail(entryPath, QStringLiteral("index out of range %1").arg(range));
    readEntry(index, it.value(), entryPath);
  }
}

void Assign(const QJsonValue& value, const QString& path, int32_t& target) {
  target = ToInt32(value, path);
}

void Assign(const QJsonValue& value, const QString& path, QString& target) {
  target = ToString(value, path);
}

void Assign(const QJsonValue& value, const QString& path, bool& target) {
  target = ToBool(value, path);
}

template <typename T, size_t N>
void Assign(const QJsonValue& value, const QString& path, std::array<T, N>& bank) {
  ReadIndexed(value, static_cast<int>(N), path,
              [&](int i, const QJsonValue& entry, const QString& entryPath) {
                Assign(entry, entryPath, bank[i]);
              });
}

// Reads json[key] into target when the key is present.
template <typename T>
void ReadKey(const QJsonObject& json, const QString& path, const QString& key, T& target) {
  if (json.contains(key)) Assign(json[key], Member(path, key), target);
}

void ReadPin(CKyvDoc& doc, int pin, const QJsonValue& value, const QString& path) {
  const QJsonObject json = ToObject(value, path);
  RejectUnknownKeys(json, path, {kUsed, kUsedBy, kUsedFor, kNotes});
  ReadKey(json, path, kUsed, doc.m_bPinUsed[pin]);
  ReadKey(json, path, kUsedBy, doc.m_sPinUsedBy[pin]);
  ReadKey(json, path, kUsedFor, doc.m_sPinUsedFor[pin]);
  ReadKey(json, path, kNotes, doc.m_sPinNotes[pin]);
}

std::unique_ptr<CCodeObject> ReadObject(const QJsonValue& value, const QString& path) {
  const QJsonObject json = ToObject(value, path);
  // "kind" is the display name of "type", written for the reader's benefit and ignored here.
  RejectUnknownKeys(json, path,
                    {kType, kKind, kName, kFlag, kBasePin, kPinCount, kText, kNumber, kString,
                     kSParam, kNParam, kBParam, kValid, kFlag2});
  auto object = std::make_unique<CCodeObject>();
  ReadKey(json, path, kType, object->m_nType);
  ReadKey(json, path, kName, object->m_sName);
  ReadKey(json, path, kFlag, object->m_bFlag);
  ReadKey(json, path, kBasePin, object->m_sBasePin);
  ReadKey(json, path, kPinCount, object->m_nPinCount);
  ReadKey(json, path, kText, object->m_sText);
  ReadKey(json, path, kNumber, object->m_nNumber);
  ReadKey(json, path, kString, object->m_sString);
  ReadKey(json, path, kSParam, object->m_sParam);
  ReadKey(json, path, kNParam, object->m_nParam);
  ReadKey(json, path, kBParam, object->m_bParam);
  ReadKey(json, path, kValid, object->m_bValid);
  ReadKey(json, path, kFlag2, object->m_bFlag2);
  return object;
}

void ReadDocument(CKyvDoc& doc, const QJsonObject& json) {
  QStringList known = {kPins, kTypeCount, kObjects};
  for (const CProjectSetting& setting : ProjectSettings()) known.append(setting.m_sKey);
  RejectUnknownKeys(json, QString(), known);

  for (const CProjectSetting& setting : ProjectSettings())
    std::visit([&](auto member) { ReadKey(json, QString(), setting.m_sKey, doc.*member); },
               setting.m_member);
  if (doc.m_nSdDriver != 0 && doc.m_nSdDriver != 1)
    Fail(QStringLiteral("sdDriver"), QStringLiteral("expected 0 (FSRW) or 1 (FAT32)"));

  if (json.contains(kPins)) {
    doc.m_bPinUsed.fill(false);
    for (QString& text : doc.m_sPinUsedBy) text.clear();
    for (QString& text : doc.m_sPinUsedFor) text.clear();
    for (QString& text : doc.m_sPinNotes) text.clear();
    ReadIndexed(json[kPins], CKyvDoc::kPinCount, kPins,
                [&](int pin, const QJsonValue& v, const QString& p) { ReadPin(doc, pin, v, p); });
  }
  if (json.contains(kTypeCount)) {
    doc.m_nTypeCount.fill(0);
    ReadKey(json, QString(), kTypeCount, doc.m_nTypeCount);
  }
  if (json.contains(kObjects)) {
    const QJsonValue objects = json[kObjects];
    if (!objects.isArray()) Fail(kObjects, QStringLiteral("expected an array"));
    const QJsonArray list = objects.toArray();
    for (qsizetype i = 0; i < list.size(); ++i)
      doc.m_ObjectList.push_back(ReadObject(list[i], QStringLiteral("objects[%1]").arg(i)));
  }
}

// "line L, column C" of a byte offset into the text, for parse errors.
QString TextPosition(const QByteArray& text, int offset) {
  const QByteArray before = text.left(offset);
  const qsizetype line = before.count('\n') + 1;
  const qsizetype column = before.size() - (before.lastIndexOf('\n') + 1) + 1;
  return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

}  // namespace

QByteArray ProjectToJson(const CKyvDoc& doc) {
  QJsonObject json;
  for (const CProjectSetting& setting : ProjectSettings())
    std::visit([&](auto member) { json.insert(setting.m_sKey, doc.*member); }, setting.m_member);

  // Always present, even when empty: an absent "pins" would mean a new project's table.
  QJsonObject pins;
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    if (doc.IsPinBlank(pin)) continue;
    pins.insert(QString::number(pin), QJsonObject{{kUsed, doc.m_bPinUsed[pin]},
                                                  {kUsedBy, doc.m_sPinUsedBy[pin]},
                                                  {kUsedFor, doc.m_sPinUsedFor[pin]},
                                                  {kNotes, doc.m_sPinNotes[pin]}});
  }
  json.insert(kPins, pins);
  json.insert(kTypeCount, NonDefaultEntries(doc.m_nTypeCount, int32_t{0}));

  QJsonArray objects;
  for (const auto& object : doc.m_ObjectList) objects.append(ObjectToJson(*object));
  json.insert(kObjects, objects);
  // Qt's reader drops U+FEFF at the start of a string when it comes as raw UTF-8, so that one
  // character is written as an escape. Its three bytes stand for nothing else in UTF-8.
  return QJsonDocument(json).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

std::unique_ptr<CKyvDoc> ProjectFromJson(const QByteArray& json, const CPlatform& platform,
                                         QString* error) {
  QJsonParseError parseError;
  const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    if (error)
      *error = QStringLiteral("Not valid JSON at %1: %2.")
                   .arg(TextPosition(json, parseError.offset), parseError.errorString());
    return nullptr;
  }
  if (!parsed.isObject()) {
    if (error) *error = QStringLiteral("The JSON text must hold one project object.");
    return nullptr;
  }
  auto doc = std::make_unique<CKyvDoc>(platform);
  doc->OnNewDocument();
  try {
    ReadDocument(*doc, parsed.object());
  } catch (const CJsonError& failure) {
    if (error) *error = failure.m_sText;
    return nullptr;
  }
  doc->SetModifiedFlag(false);
  return doc;
}
