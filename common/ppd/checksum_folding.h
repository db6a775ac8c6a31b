// The ways the checksum of a long run is computed: table lookups, sixteen bytes a step,
// everywhere; and, on x86 processors that multiply without carries, folding the run
// sixteen bytes at a time into a 128-bit remainder, which is several times faster (and
// twice that again where the multiplication takes 256-bit registers, and again where it
// takes 512-bit ones).
// UpdateChecksum (checksum.h) picks between them; they are declared here so that tests
// can hold each against the bit-by-bit definition.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kx::ppd::detail {

// Folding pays off from this many bytes on.
inline constexpr size_t kFoldMinimum = 64;

uint16_t TableChecksum(uint16_t crc, const uint8_t* bytes, size_t count);

// Whether FoldChecksum may be called on this processor.
bool FoldingAvailable();

// The checksum over `count` bytes, a multiple of 16 of at least kFoldMinimum.
uint16_t FoldChecksum(uint16_t crc, const uint8_t* bytes, size_t count);

// The same two blocks per multiplication, on processors that multiply without carries
// across 256-bit registers: twice the bytes a step, for runs of at least kWideFoldMinimum.
inline constexpr size_t kWideFoldMinimum = 128;
bool WideFoldingAvailable();
uint16_t FoldChecksumWide(uint16_t crc, const uint8_t* bytes, size_t count);

// Four blocks per multiplication, on processors that multiply without carries across
// 512-bit registers: twice the bytes a step again (the checksum of a 4 KB file takes some
// 30 % less time than with the above, of 64 KB 45 % less), for runs of at least
// kWidestFoldMinimum.
inline constexpr size_t kWidestFoldMinimum = 256;
bool WidestFoldingAvailable();
uint16_t FoldChecksumWidest(uint16_t crc, const uint8_t* bytes, size_t count);

}  // namespace kx::ppd::detail
