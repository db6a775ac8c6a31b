// Folding a long run into the checksum with carry-less multiplication.
//
// Read as a polynomial over GF(2), sixteen bytes of text are a 128-bit value B whose top
// bit is the first bit of the text. Moving a remainder V forward by d bits of text means
// multiplying it by x^d; split into halves, V x^d = hi x^(d+64) + lo x^d, and both
// powers may be replaced by their remainders modulo the checksum polynomial, which are
// only 16 bits wide. So each step costs two carry-less multiplications and keeps the
// remainder within 128 bits. Four remainders run side by side, 64 bytes apart, so that
// the multiplications overlap; at the end they are moved to the same place and added,
// and the last 128 bits go through the byte table, which gives the checksum proper.
// Where the processor multiplies two pairs of halves in one instruction, each lane holds
// two neighbouring blocks, so that a step takes 128 bytes for the same instructions; where
// it multiplies four pairs at once, four blocks and 256 bytes.
#include "ppd/checksum_folding.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KX_PPD_CAN_FOLD 1
// Windows does not keep the stack aligned for 256-bit spills the compiler may make.
#ifndef _WIN32
#define KX_PPD_CAN_FOLD_WIDE 1
#endif
#endif

namespace kx::ppd::detail {

#ifdef KX_PPD_CAN_FOLD

namespace {

constexpr uint32_t kPolynomial = 0x11021;  // x^16 + x^12 + x^5 + 1

// x^power modulo the checksum polynomial.
constexpr uint64_t PowerOfX(unsigned power) {
  uint32_t remainder = 1;
  for (unsigned i = 0; i < power; ++i) {
    remainder <<= 1;
    if (remainder & 0x10000) remainder ^= kPolynomial;
  }
  return remainder;
}

#define KX_PPD_FOLDING_TARGET __attribute__((target("pclmul,ssse3")))

// The multipliers that move a remainder forward by `Bits` bits of text: for the high
// half, then for the low half.
template <unsigned Bits>
KX_PPD_FOLDING_TARGET inline __m128i Multipliers() {
  constexpr uint64_t kHigh = PowerOfX(Bits + 64);
  constexpr uint64_t kLow = PowerOfX(Bits);
  return _mm_set_epi64x(static_cast<int64_t>(kHigh), static_cast<int64_t>(kLow));
}

KX_PPD_FOLDING_TARGET inline __m128i Fold(__m128i remainder, __m128i multipliers) {
  return _mm_xor_si128(_mm_clmulepi64_si128(remainder, multipliers, 0x11),
                       _mm_clmulepi64_si128(remainder, multipliers, 0x00));
}

// Sixteen bytes of text with the first byte in the top bits.
KX_PPD_FOLDING_TARGET inline __m128i LoadBlock(const uint8_t* bytes) {
  const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)), reverse);
}

// The remainder written back as sixteen bytes of text.
KX_PPD_FOLDING_TARGET inline void StoreBlock(__m128i block, uint8_t* bytes) {
  const __m128i reverse = _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), _mm_shuffle_epi8(block, reverse));
}

// A running checksum enters as if XOR-ed into the text's first two bytes: the top bits of
// the first block's high half.
inline int64_t Entering(uint16_t crc) { return static_cast<int64_t>(uint64_t{crc} << 48); }

// The checksum from the remainder of every lane joined at the place of the last block
// folded: the blocks from `bytes` to `end` that no step took are folded in one by one, and
// the last 128 bits go through the byte table.
KX_PPD_FOLDING_TARGET inline uint16_t Finish(__m128i remainder, const uint8_t* bytes,
                                             const uint8_t* end) {
  const __m128i byOne = Multipliers<128>();
  for (; bytes != end; bytes += 16) {
    remainder = _mm_xor_si128(Fold(remainder, byOne), LoadBlock(bytes));
  }
  uint8_t last[16];
  StoreBlock(remainder, last);
  return TableChecksum(0, last, sizeof last);
}

}  // namespace

bool FoldingAvailable() {
  return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("ssse3");
}

KX_PPD_FOLDING_TARGET uint16_t FoldChecksum(uint16_t crc, const uint8_t* bytes, size_t count) {
  const uint8_t* end = bytes + count;
  __m128i lanes[4];
  for (int lane = 0; lane < 4; ++lane) lanes[lane] = LoadBlock(bytes + 16 * lane);
  lanes[0] = _mm_xor_si128(lanes[0], _mm_set_epi64x(Entering(crc), 0));
  bytes += 64;

  const __m128i byFour = Multipliers<512>();
  for (; end - bytes >= 64; bytes += 64) {
    for (int lane = 0; lane < 4; ++lane) {
      lanes[lane] = _mm_xor_si128(Fold(lanes[lane], byFour), LoadBlock(bytes + 16 * lane));
    }
  }

  const __m128i joined =
      _mm_xor_si128(_mm_xor_si128(Fold(lanes[0], Multipliers<384>()),
                                  Fold(lanes[1], Multipliers<256>())),
                    _mm_xor_si128(Fold(lanes[2], Multipliers<128>()), lanes[3]));
  return Finish(joined, bytes, end);
}

#else  // no carry-less multiplication: the table does all the work

bool FoldingAvailable() { return false; }

uint16_t FoldChecksum(uint16_t crc, const uint8_t* bytes, size_t count) {
  return TableChecksum(crc, bytes, count);
}

#endif

#ifdef KX_PPD_CAN_FOLD_WIDE

namespace {

#define KX_PPD_WIDE_FOLDING_TARGET __attribute__((target("pclmul,ssse3,avx2,vpclmulqdq")))

constexpr size_t kWideStep = 128;  // four lanes of two blocks

// The two blocks of a wide lane: the first in the low half, the next in the high half.
KX_PPD_WIDE_FOLDING_TARGET inline __m256i LoadPair(const uint8_t* bytes) {
  const __m256i reverse = _mm256_broadcastsi128_si256(
      _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
  return _mm256_shuffle_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes)),
                             reverse);
}

template <unsigned Bits>
KX_PPD_WIDE_FOLDING_TARGET inline __m256i PairMultipliers() {
  return _mm256_broadcastsi128_si256(Multipliers<Bits>());
}

KX_PPD_WIDE_FOLDING_TARGET inline __m256i FoldPair(__m256i remainders, __m256i multipliers) {
  return _mm256_xor_si256(_mm256_clmulepi64_epi128(remainders, multipliers, 0x11),
                          _mm256_clmulepi64_epi128(remainders, multipliers, 0x00));
}

// The eight remainders of the last wide step, 16 bytes apart, folded into one at the
// place of the last of them.
KX_PPD_WIDE_FOLDING_TARGET inline __m128i JoinPairs(const __m256i (&lanes)[4]) {
  const __m256i firstHalf = _mm256_xor_si256(FoldPair(lanes[0], PairMultipliers<768>()),
                                             FoldPair(lanes[1], PairMultipliers<512>()));
  const __m256i secondHalf =
      _mm256_xor_si256(FoldPair(lanes[2], PairMultipliers<256>()), lanes[3]);
  const __m256i both = _mm256_xor_si256(firstHalf, secondHalf);
  // Each low half now stands one block before its high half.
  return _mm_xor_si128(Fold(_mm256_castsi256_si128(both), Multipliers<128>()),
                       _mm256_extracti128_si256(both, 1));
}

}  // namespace

KX_PPD_WIDE_FOLDING_TARGET uint16_t FoldChecksumWide(uint16_t crc, const uint8_t* bytes,
                                                     size_t count) {
  const uint8_t* end = bytes + count;
  __m256i lanes[4];
  for (int lane = 0; lane < 4; ++lane) lanes[lane] = LoadPair(bytes + 32 * lane);
  lanes[0] = _mm256_xor_si256(lanes[0], _mm256_set_epi64x(0, 0, Entering(crc), 0));
  bytes += kWideStep;

  const __m256i byEight = PairMultipliers<1024>();
  for (; end - bytes >= static_cast<ptrdiff_t>(kWideStep); bytes += kWideStep) {
    for (int lane = 0; lane < 4; ++lane) {
      lanes[lane] = _mm256_xor_si256(FoldPair(lanes[lane], byEight), LoadPair(bytes + 32 * lane));
    }
  }

  return Finish(JoinPairs(lanes), bytes, end);
}

bool WideFoldingAvailable() {
  return FoldingAvailable() && __builtin_cpu_supports("avx2") &&
         __builtin_cpu_supports("vpclmulqdq");
}

namespace {

#define KX_PPD_WIDEST_FOLDING_TARGET \
  __attribute__((target("pclmul,ssse3,avx2,avx512f,avx512bw,vpclmulqdq")))

constexpr size_t kWidestStep = 256;  // four lanes of four blocks

// The intrinsics that broadcast a block or extract one take an undefined register that
// GCC 12 reports as used uninitialised; the constants are set whole instead, and the
// blocks of a result read back from memory.

// The four blocks of a widest lane, the first in the lowest quarter.
KX_PPD_WIDEST_FOLDING_TARGET inline __m512i LoadQuad(const uint8_t* bytes) {
  constexpr auto kReverseLow = static_cast<int64_t>(0x08090A0B0C0D0E0F);
  constexpr auto kReverseHigh = static_cast<int64_t>(0x0001020304050607);
  const __m512i reverse = _mm512_set_epi64(kReverseHigh, kReverseLow, kReverseHigh, kReverseLow,
                                           kReverseHigh, kReverseLow, kReverseHigh, kReverseLow);
  return _mm512_shuffle_epi8(_mm512_loadu_si512(bytes), reverse);
}

template <unsigned Bits>
KX_PPD_WIDEST_FOLDING_TARGET inline __m512i QuadMultipliers() {
  constexpr auto kHigh = static_cast<int64_t>(PowerOfX(Bits + 64));
  constexpr auto kLow = static_cast<int64_t>(PowerOfX(Bits));
  return _mm512_set_epi64(kHigh, kLow, kHigh, kLow, kHigh, kLow, kHigh, kLow);
}

KX_PPD_WIDEST_FOLDING_TARGET inline __m512i FoldQuad(__m512i remainders, __m512i multipliers) {
  return _mm512_xor_si512(_mm512_clmulepi64_epi128(remainders, multipliers, 0x11),
                          _mm512_clmulepi64_epi128(remainders, multipliers, 0x00));
}

// The sixteen remainders of the last widest step, 16 bytes apart, folded into one at the
// place of the last of them.
KX_PPD_WIDEST_FOLDING_TARGET inline __m128i JoinQuads(const __m512i (&lanes)[4]) {
  const __m512i firstHalf = _mm512_xor_si512(FoldQuad(lanes[0], QuadMultipliers<1536>()),
                                             FoldQuad(lanes[1], QuadMultipliers<1024>()));
  const __m512i secondHalf =
      _mm512_xor_si512(FoldQuad(lanes[2], QuadMultipliers<512>()), lanes[3]);
  alignas(64) __m128i quarters[4];
  _mm512_store_si512(quarters, _mm512_xor_si512(firstHalf, secondHalf));
  // The quarters now stand three, two, one and no blocks before the last.
  const __m128i early = _mm_xor_si128(Fold(quarters[0], Multipliers<384>()),
                                      Fold(quarters[1], Multipliers<256>()));
  const __m128i late = _mm_xor_si128(Fold(quarters[2], Multipliers<128>()), quarters[3]);
  return _mm_xor_si128(early, late);
}

}  // namespace

KX_PPD_WIDEST_FOLDING_TARGET uint16_t FoldChecksumWidest(uint16_t crc, const uint8_t* bytes,
                                                         size_t count) {
  const uint8_t* end = bytes + count;
  __m512i lanes[4];
  for (int lane = 0; lane < 4; ++lane) lanes[lane] = LoadQuad(bytes + 64 * lane);
  lanes[0] = _mm512_xor_si512(lanes[0], _mm512_set_epi64(0, 0, 0, 0, 0, 0, Entering(crc), 0));
  bytes += kWidestStep;

  const __m512i bySixteen = QuadMultipliers<2048>();
  for (; end - bytes >= static_cast<ptrdiff_t>(kWidestStep); bytes += kWidestStep) {
    for (int lane = 0; lane < 4; ++lane) {
      lanes[lane] = _mm512_xor_si512(FoldQuad(lanes[lane], bySixteen), LoadQuad(bytes + 64 * lane));
    }
  }

  return Finish(JoinQuads(lanes), bytes, end);
}

bool WidestFoldingAvailable() {
  return WideFoldingAvailable() && __builtin_cpu_supports("avx512f") &&
         __builtin_cpu_supports("avx512bw");
}

#else  // one block a lane at most

bool WideFoldingAvailable() { return false; }

uint16_t FoldChecksumWide(uint16_t crc, const uint8_t* bytes, size_t count) {
  return FoldChecksum(crc, bytes, count);
}

bool WidestFoldingAvailable() { return false; }

uint16_t FoldChecksumWidest(uint16_t crc, const uint8_t* bytes, size_t count) {
  return FoldChecksum(crc, bytes, count);
}

#endif

}  // namespace kx::ppd::detail
