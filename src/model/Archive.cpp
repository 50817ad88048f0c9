#include "model/Archive.h"

CArchive::CArchive() : m_bLoading(false) {}

CArchive::CArchive(const QByteArray& data) : m_bLoading(true), m_buffer(data) {}

void CArchive::Require(uint64_t bytes) const {
  if (bytes > static_cast<uint64_t>(Remaining())) throw CArchiveEndOfData();
}

uint8_t CArchive::ReadU8() {
  Require(1);
  return static_cast<uint8_t>(m_buffer[m_position++]);
}

uint16_t CArchive::ReadU16() {
  const uint16_t low = ReadU8();
  return static_cast<uint16_t>(low | (ReadU8() << 8));
}

uint32_t CArchive::ReadU32() {
  const uint32_t low = ReadU16();
  return low | (static_cast<uint32_t>(ReadU16()) << 16);
}

uint64_t CArchive::ReadU64() {
  const uint64_t low = ReadU32();
  return low | (static_cast<uint64_t>(ReadU32()) << 32);
}

void CArchive::AppendLittleEndian(uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) m_buffer.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void CArchive::Int32(int32_t& value) {
  if (m_bLoading)
    value = static_cast<int32_t>(ReadU32());
  else
    AppendLittleEndian(static_cast<uint32_t>(value), 4);
}

void CArchive::Bool(bool& value) {
  if (m_bLoading)
    value = ReadU8() != 0;
  else
    m_buffer.append(value ? '\x01' : '\x00');
}

void CArchive::String(QString& value) {
  if (m_bLoading)
    value = ReadString();
  else
    WriteString(value);
}

QString CArchive::ReadString() {
  bool wide = false;
  uint64_t length = ReadU8();
  if (length == 0xFF) {
    uint16_t word = ReadU16();
    if (word == 0xFFFE) {
      wide = true;
      length = ReadU8();
      if (length == 0xFF) word = ReadU16();
    }
    if (length == 0xFF) {
      length = word;
      if (word == 0xFFFF) {
        length = ReadU32();
        if (length == 0xFFFFFFFFu) length = ReadU64();
      }
    }
  }
  // Check the length against what is left before allocating anything.
  if (wide) {
    if (length > static_cast<uint64_t>(Remaining()) / 2) throw CArchiveEndOfData();
    const qsizetype units = static_cast<qsizetype>(length);
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i) text[i] = QChar(ReadU16());
    return text;
  }
  Require(length);
  const QByteArray bytes = m_buffer.mid(m_position, static_cast<qsizetype>(length));
  m_position += static_cast<qsizetype>(length);
  // The 8-bit form is read as Latin-1, the single-byte encoding Kyv uses throughout.
  return QString::fromLatin1(bytes);
}

void CArchive::WriteString(const QString& value) {
  m_buffer.append("\xFF\xFE\xFF", 3);
  const uint64_t length = static_cast<uint64_t>(value.size());
  if (length < 0xFF) {
    AppendLittleEndian(length, 1);
  } else if (length < 0xFFFE) {
    m_buffer.append('\xFF');
    AppendLittleEndian(length, 2);
  } else if (length < 0xFFFFFFFFu) {
    m_buffer.append("\xFF\xFF\xFF", 3);
    AppendLittleEndian(length, 4);
  } else {
    m_buffer.append("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
    AppendLittleEndian(length, 8);
  }
  for (const QChar unit : value) AppendLittleEndian(unit.unicode(), 2);
}
