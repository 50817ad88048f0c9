#include "sim/Hub.h"

CHub::CHub() : m_vRam(kRamSize, 0) {}

bool CHub::Load(const std::vector<uint8_t>& image) {
  if (image.size() > kRamSize) return false;
  std::fill(m_vRam.begin(), m_vRam.end(), 0);
  std::copy(image.begin(), image.end(), m_vRam.begin());
  return true;
}

int CHub::NewLock() {
  for (int lock = 0; lock < kLockCount; ++lock) {
    if (!m_aLockAllocated[lock]) {
      m_aLockAllocated[lock] = true;
      return lock;
    }
  }
  return -1;
}

bool CHub::TryLock(int lock, int cog) {
  lock &= 15;
  if (m_aLockTaken[lock]) return false;
  m_aLockTaken[lock] = true;
  m_aLockOwner[lock] = cog;
  return true;
}

void CHub::ReleaseLock(int lock, int cog) {
  lock &= 15;
  // Only the owner can release a lock.
  if (m_aLockTaken[lock] && m_aLockOwner[lock] == cog) m_aLockTaken[lock] = false;
}

void CHub::ReleaseLocksOf(int cog) {
  for (int lock = 0; lock < kLockCount; ++lock)
    if (m_aLockTaken[lock] && m_aLockOwner[lock] == cog) m_aLockTaken[lock] = false;
}

void CHub::SetClockMode(uint32_t mode) {
  m_uClockMode = mode & 0x01FF'FFFF;
  const uint32_t source = mode & 3;
  const uint64_t divider = ((mode >> 18) & 0x3F) + 1;
  const uint64_t multiplier = ((mode >> 8) & 0x3FF) + 1;
  const uint32_t post = (mode >> 4) & 0xF;
  const bool pllOn = (mode >> 24) & 1;
  switch (source) {
    case 0:
      m_uClockHz = kRcFastHz;
      break;
    case 1:
      m_uClockHz = kRcSlowHz;
      break;
    case 2:
      m_uClockHz = m_uCrystalHz;
      break;
    default:
      if (pllOn) {
        // The VCO post-divider: %0000 = /2 ... %1110 = /30, %1111 = /1.
        const uint64_t postDivider = post == 15 ? 1 : 2 * (post + 1);
        m_uClockHz = m_uCrystalHz * multiplier / divider / postDivider;
      } else {
        m_uClockHz = m_uCrystalHz;
      }
      break;
  }
}
