#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "model/KyvDoc.h"

// A pin an object is to hold and the signal it carries there ("HSync", "SCL", ...).
struct CPinRole {
  int m_nPin = 0;
  QString m_sRole;
};

// The pin bookkeeping every editor's OK ends with, for one holder name. Range checks are the
// editor's: every pin handed to this class must already be known to lie in 0..63 (a pin outside
// the table throws std::out_of_range).
//
// Order of use: FirstConflict (stop with InUseMessage on a hit), then Commit, which releases
// everything the name held (notes kept) and claims the new pins with their roles.
class CPinClaim {
 public:
  // Decides, for a pin taken by another holder, whether it may be taken over anyway (the I2C
  // bus lets pins held by a camera pass).
  using HolderFilter = std::function<bool(const QString& holder)>;

  CPinClaim(CKyvDoc& doc, QString holderName);

  // True when the pin is taken and its holder text differs from this claim's name.
  bool IsHeldByOther(int pin) const;
  const QString& Holder(int pin) const { return m_doc.m_sPinUsedBy.at(pin); }

  // The first pin, in the order given, held by another name that the filter does not let pass.
  std::optional<int> FirstConflict(const QList<int>& pins,
                                   const HolderFilter& mayTakeOver = {}) const;
  // "Pin #<pin> is already in use by <holder>."
  QString InUseMessage(int pin) const;

  // Frees every pin held under this name: used flag, holder and role cleared, the note kept.
  void ReleaseAll();
  // Claims one pin under this name with its role.
  void Claim(int pin, const QString& role);
  // ReleaseAll, then claim each pin in order (a pin listed twice ends with its last role).
  void Commit(const QList<CPinRole>& pins);

  static QList<int> PinsOf(const QList<CPinRole>& pins);

 private:
  CKyvDoc& m_doc;
  QString m_sName;
};
