#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

// Thrown when a read needs more bytes than the data holds.
class CArchiveEndOfData : public std::runtime_error {
 public:
  CArchiveEndOfData() : std::runtime_error("unexpected end of project data") {}
};

// The element coder of the project file: little-endian int32, one-byte bool, and strings with
// the length-prefixed form (UTF-16 with the FF FE FF marker when written; the 8-bit form is
// accepted when read). Each element method reads into or writes from its argument, so one
// Serialize function serves both directions.
class CArchive {
 public:
  // A storing archive that appends to an internal buffer.
  CArchive();
  // A loading archive over the given bytes; every read is bounds-checked.
  explicit CArchive(const QByteArray& data);

  bool IsLoading() const { return m_bLoading; }
  bool IsStoring() const { return !m_bLoading; }

  void Int32(int32_t& value);
  void Bool(bool& value);
  void String(QString& value);

  // Bytes written so far (storing).
  const QByteArray& Buffer() const { return m_buffer; }
  // Bytes not yet read (loading).
  qsizetype Remaining() const { return m_buffer.size() - m_position; }

 private:
  uint8_t ReadU8();
  uint16_t ReadU16();
  uint32_t ReadU32();
  uint64_t ReadU64();
  void Require(uint64_t bytes) const;
  // The next `bytes` bytes, after checking they are there.
  const uchar* Take(uint64_t bytes);
  QString ReadString();
  void WriteString(const QString& value);
  template <typename T>
  void Append(T value);

  bool m_bLoading;
  QByteArray m_buffer;
  qsizetype m_position = 0;
};
