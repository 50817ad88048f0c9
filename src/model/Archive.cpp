#include "model/Archive.h"

#include <QtEndian>

CArchive::CArchive() : m_bLoading(false) {}

CArchive::CArchive(const QByteArray& data) : m_bLoading(true), m_buffer(data) {}

void CArchive::Require(uint64_t bytes) const {
  if (bytes > static_cast<uint64_t>(Remaining())) throw CArchiveEndOfData();
}

const uchar* CArchive::Take(uint64_t bytes) {
  Require(bytes);
  const uchar* data = reinterpret_cast<const uchar*>(m_buffer.constData()) + m_position;
  m_position += static_cast<qsizetype>(bytes);
  return data;
}

uint8_t CArchive::ReadU8() { return *Take(1); }

uint16_t CArchive::ReadU16() { return qFromLittleEndian<uint16_t>(Take(2)); }

uint32_t CArchive::ReadU32() { return qFromLittleEndian<uint32_t>(Take(4)); }

uint64_t CArchive::ReadU64() { return qFromLittleEndian<uint64_t>(Take(8)); }

template <typename T>
void CArchive::Append(T value) {
  char bytes[sizeof(T)];
  qToLittleEndian(value, bytes);
  m_buffer.append(bytes, sizeof(T));
}

void CArchive::Int32(int32_t& value) {
  if (m_bLoading)
    value = static_cast<int32_t>(ReadU32());
  else
    Append(static_cast<uint32_t>(value));
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
  if (length == 0) return QString();
  // The length is checked against what is left before anything is allocated.
  if (wide) {
    if (length > static_cast<uint64_t>(Remaining()) / 2) throw CArchiveEndOfData();
    const qsizetype units = static_cast<qsizetype>(length);
    const uchar* data = Take(2 * length);
    QString text(units, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(data, units, text.data());
    return text;
  }
  const uchar* data = Take(length);
  // The 8-bit form is read as Latin-1, the single-byte encoding Kyv uses throughout.
  return QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void CArchive::WriteString(const QString& value) {
  m_buffer.append("\xFF\xFE\xFF", 3);
  const uint64_t length = static_cast<uint64_t>(value.size());
  if (length < 0xFF) {
    Append(static_cast<uint8_t>(length));
  } else if (length < 0xFFFE) {
    m_buffer.append('\xFF');
    Append(static_cast<uint16_t>(length));
  } else if (length < 0xFFFFFFFFu) {
    m_buffer.append("\xFF\xFF\xFF", 3);
    Append(static_cast<uint32_t>(length));
  } else {
    m_buffer.append("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
    Append(length);
  }
  const qsizetype at = m_buffer.size();
  m_buffer.resize(at + 2 * value.size());
  qToLittleEndian<char16_t>(value.utf16(), value.size(), m_buffer.data() + at);
}
