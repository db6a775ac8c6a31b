#include "ppd/checksum.h"

#include "ppd/checksum_folding.h"

namespace kx::ppd {

namespace {

constexpr size_t kSlice = 16;
using SliceTables = std::array<std::array<uint16_t, 256>, kSlice>;

// Row k gives the checksum contribution of a byte followed by k zero bytes, so that the
// sixteen bytes of a step can be looked up independently and combined with XOR.
constexpr SliceTables MakeSliceTables() {
  SliceTables tables{};
  tables[0] = kCrcTable;
  for (size_t k = 1; k < kSlice; ++k) {
    for (unsigned v = 0; v < 256; ++v) {
      const unsigned previous = tables[k - 1][v];
      tables[k][v] = static_cast<uint16_t>(((previous << 8) & 0xFFFF) ^ kCrcTable[previous >> 8]);
    }
  }
  return tables;
}

constexpr SliceTables kSliceTables = MakeSliceTables();

// The register's high byte meets the first byte of the step and its low byte the second.
uint16_t UpdateSlice(uint16_t crc, const uint8_t* b) {
  const SliceTables& t = kSliceTables;
  const unsigned first = t[15][b[0] ^ (crc >> 8)] ^ t[14][b[1] ^ (crc & 0xFF)] ^ t[13][b[2]] ^
                         t[12][b[3]] ^ t[11][b[4]] ^ t[10][b[5]] ^ t[9][b[6]] ^ t[8][b[7]];
  const unsigned second = t[7][b[8]] ^ t[6][b[9]] ^ t[5][b[10]] ^ t[4][b[11]] ^ t[3][b[12]] ^
                          t[2][b[13]] ^ t[1][b[14]] ^ t[0][b[15]];
  return static_cast<uint16_t>(first ^ second);
}

}  // namespace

namespace detail {

uint16_t TableChecksum(uint16_t crc, const uint8_t* bytes, size_t count) {
  const uint8_t* end = bytes + count;
  for (; end - bytes >= static_cast<ptrdiff_t>(kSlice); bytes += kSlice) {
    crc = UpdateSlice(crc, bytes);
  }
  for (; bytes != end; ++bytes) crc = UpdateChecksum(crc, *bytes);
  return crc;
}

}  // namespace detail

uint16_t UpdateChecksum(uint16_t crc, const uint8_t* bytes, size_t count) {
  static const bool folding = detail::FoldingAvailable();
  static const bool wideFolding = detail::WideFoldingAvailable();
  static const bool widestFolding = detail::WidestFoldingAvailable();
  if (folding && count >= detail::kFoldMinimum) {
    const size_t folded = count / 16 * 16;
    if (widestFolding && folded >= detail::kWidestFoldMinimum) {
      crc = detail::FoldChecksumWidest(crc, bytes, folded);
    } else if (wideFolding && folded >= detail::kWideFoldMinimum) {
      crc = detail::FoldChecksumWide(crc, bytes, folded);
    } else {
      crc = detail::FoldChecksum(crc, bytes, folded);
    }
    bytes += folded;
    count -= folded;
  }
  return detail::TableChecksum(crc, bytes, count);
}

}  // namespace kx::ppd
