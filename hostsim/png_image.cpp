#include "hostsim/png_image.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace kx::hostsim {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kColourTypeRgb = 2;
constexpr uint8_t kFilterNone = 0;
// A zlib header for deflate with a 32 KiB window and no preset dictionary; its check
// bits make 0x7801 a multiple of 31.
constexpr uint8_t kZlibHeader[] = {0x78, 0x01};
// A stored deflate block holds at most 65535 bytes.
constexpr size_t kStoredBlockLimit = 0xffff;
constexpr uint32_t kAdlerModulus = 65521;

void PutBigEndian(std::vector<uint8_t>* out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>* out, const char (&type)[5], std::span<const uint8_t> data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t typeStart = out->size();
  out->insert(out->end(), type, type + 4);
  out->insert(out->end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(std::span(out->data() + typeStart, out->size() - typeStart)));
}

// Each row starts with its filter byte.
std::vector<uint8_t> FilteredRows(const RgbImage& image) {
  const size_t rowBytes = size_t{image.width} * 3;
  std::vector<uint8_t> rows;
  rows.reserve((rowBytes + 1) * image.height);
  for (uint32_t row = 0; row < image.height; ++row) {
    rows.push_back(kFilterNone);
    const auto start = image.pixels.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
    rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
  }
  return rows;
}

std::vector<uint8_t> StoredZlibStream(std::span<const uint8_t> data) {
  std::vector<uint8_t> stream(std::begin(kZlibHeader), std::end(kZlibHeader));
  size_t offset = 0;
  do {
    const size_t length = std::min(kStoredBlockLimit, data.size() - offset);
    const bool last = offset + length == data.size();
    stream.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    const auto size = static_cast<uint16_t>(length);
    const auto complement = static_cast<uint16_t>(~size);
    for (const uint16_t value : {size, complement}) {
      stream.push_back(static_cast<uint8_t>(value & 0xff));
      stream.push_back(static_cast<uint8_t>(value >> 8));
    }
    stream.insert(stream.end(), data.begin() + static_cast<std::ptrdiff_t>(offset),
                  data.begin() + static_cast<std::ptrdiff_t>(offset + length));
    offset += length;
  } while (offset < data.size());
  PutBigEndian(&stream, Adler32(data));
  return stream;
}

}  // namespace

size_t RgbImage::ColourCount() const {
  std::unordered_set<uint32_t> colours;
  for (size_t at = 0; at + 2 < pixels.size(); at += 3) {
    colours.insert(uint32_t{pixels[at]} << 16 | uint32_t{pixels[at + 1]} << 8 | pixels[at + 2]);
  }
  return colours.size();
}

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t n = 0; n < entries.size(); ++n) {
      uint32_t value = n;
      for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? 0xedb88320u ^ (value >> 1) : value >> 1;
      entries[n] = value;
    }
    return entries;
  }();
  crc = ~crc;
  for (const uint8_t byte : bytes) crc = table[(crc ^ byte) & 0xff] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(std::span<const uint8_t> bytes) {
  uint32_t low = 1;
  uint32_t high = 0;
  for (const uint8_t byte : bytes) {
    low = (low + byte) % kAdlerModulus;
    high = (high + low) % kAdlerModulus;
  }
  return high << 16 | low;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  if (!image.valid()) return {};
  std::vector<uint8_t> file(std::begin(kSignature), std::end(kSignature));
  std::vector<uint8_t> header;
  PutBigEndian(&header, image.width);
  PutBigEndian(&header, image.height);
  header.insert(header.end(), {kBitDepth, kColourTypeRgb, 0, 0, 0});  // deflate, filters, no interlace
  PutChunk(&file, "IHDR", header);
  PutChunk(&file, "IDAT", StoredZlibStream(FilteredRows(image)));
  PutChunk(&file, "IEND", {});
  return file;
}

}  // namespace kx::hostsim
