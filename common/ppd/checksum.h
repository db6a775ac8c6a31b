// The running checksum of a PPD file: CRC-16 with polynomial 0x1021, most significant
// bit first, initial value 0, no final inversion (CRC-16/XMODEM).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kx::ppd {

namespace detail {

constexpr std::array<uint16_t, 256> MakeCrcTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned i = 0; i < table.size(); ++i) {
    unsigned crc = i << 8;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1;
    table[i] = static_cast<uint16_t>(crc);
  }
  return table;
}

}  // namespace detail

inline constexpr std::array<uint16_t, 256> kCrcTable = detail::MakeCrcTable();

inline uint16_t UpdateChecksum(uint16_t crc, uint8_t byte) {
  return static_cast<uint16_t>(kCrcTable[(crc >> 8) ^ byte] ^ ((crc << 8) & 0xFFFF));
}

// The checksum extended over `count` bytes; the same as one UpdateChecksum a byte, but
// sixteen bytes a step (checksum.cpp), so it is fastest over long runs.
uint16_t UpdateChecksum(uint16_t crc, const uint8_t* bytes, size_t count);

}  // namespace kx::ppd
