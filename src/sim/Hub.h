#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

// The hub: 512 KB of RAM shared by all cogs, the 16 locks and the system clock setting.
// Hub RAM is byte addressed and little-endian; the 20-bit address space wraps onto the 512 KB,
// and the last 16 KB also appear at the top of the 1 MB map.
class CHub {
 public:
  static constexpr uint32_t kRamSize = 512 * 1024;
  static constexpr uint32_t kRamMask = kRamSize - 1;
  static constexpr int kLockCount = 16;
  // The internal RC oscillator the chip starts from, nominally 24 MHz.
  static constexpr uint64_t kRcFastHz = 24'000'000;
  // The internal slow RC oscillator, about 20 kHz.
  static constexpr uint64_t kRcSlowHz = 20'000;

  CHub();

  uint8_t ReadByte(uint32_t address) const { return m_vRam[address & kRamMask]; }
  uint32_t ReadWord(uint32_t address) const {
    return ReadByte(address) | (static_cast<uint32_t>(ReadByte(address + 1)) << 8);
  }
  uint32_t ReadLong(uint32_t address) const {
    const uint32_t a = address & kRamMask;
    if (a <= kRamSize - 4) {
      uint32_t value;
      std::memcpy(&value, &m_vRam[a], 4);
      return value;
    }
    return ReadWord(address) | (ReadWord(address + 2) << 16);
  }
  void WriteByte(uint32_t address, uint32_t value) {
    m_vRam[address & kRamMask] = static_cast<uint8_t>(value);
  }
  void WriteWord(uint32_t address, uint32_t value) {
    WriteByte(address, value);
    WriteByte(address + 1, value >> 8);
  }
  void WriteLong(uint32_t address, uint32_t value) {
    const uint32_t a = address & kRamMask;
    if (a <= kRamSize - 4) {
      std::memcpy(&m_vRam[a], &value, 4);
      return;
    }
    WriteWord(address, value);
    WriteWord(address + 2, value >> 16);
  }
  // Copies a program image to hub address 0; false when it does not fit.
  bool Load(const std::vector<uint8_t>& image);

  // Locks: allocation (LOCKNEW/LOCKRET) and ownership (LOCKTRY/LOCKREL).
  int NewLock();  // -1 when all are allocated
  void ReturnLock(int lock) { m_aLockAllocated[lock & 15] = false; }
  bool TryLock(int lock, int cog);
  void ReleaseLock(int lock, int cog);
  // The owner of a taken lock, or the last owner of a free one.
  int LockOwner(int lock) const { return m_aLockOwner[lock & 15]; }
  bool LockTaken(int lock) const { return m_aLockTaken[lock & 15]; }
  void ReleaseLocksOf(int cog);

  // HUBSET clock configuration: %0000_000E_DDDD_DDMM_MMMM_MMMM_PPPP_CCSS.
  void SetClockMode(uint32_t mode);
  uint32_t ClockMode() const { return m_uClockMode; }
  uint64_t ClockHz() const { return m_uClockHz; }
  void SetCrystalHz(uint64_t hz) { m_uCrystalHz = hz; }

 private:
  std::vector<uint8_t> m_vRam;
  std::array<bool, kLockCount> m_aLockAllocated{};
  std::array<bool, kLockCount> m_aLockTaken{};
  std::array<int, kLockCount> m_aLockOwner{};
  uint32_t m_uClockMode = 0;
  uint64_t m_uClockHz = kRcFastHz;
  uint64_t m_uCrystalHz = 20'000'000;
};
