#pragma once

#include "platform/Platform.h"

class CSystemClock : public CClock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

// A clock that always answers the same moment (kyv-cli generate --time, tests).
class CFixedClock : public CClock {
 public:
  explicit CFixedClock(QDateTime moment) : m_moment(std::move(moment)) {}
  QDateTime Now() const override { return m_moment; }

 private:
  QDateTime m_moment;
};
