#include "preview_png.h"

#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kx::preview::png {
namespace {

constexpr size_t kSignatureSize = 8;
constexpr size_t kBytesPerPixel = 3;
constexpr uint8_t kBitDepth = 8;
constexpr uint8_t kTrueColour = 2;

enum Filter : uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

uint32_t BigEndian(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3]));
}

uint8_t PaethPredictor(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left);
  const int toUp = std::abs(estimate - up);
  const int toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<uint8_t>(left);
  return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Undoes each row's filter in place; false for an unknown filter.
bool Unfilter(const std::vector<uint8_t>& data, size_t rowBytes, uint32_t height,
              std::vector<uint8_t>* rows) {
  rows->assign(rowBytes * height, 0);
  for (size_t row = 0; row < height; ++row) {
    const uint8_t filter = data[row * (rowBytes + 1)];
    const uint8_t* in = &data[row * (rowBytes + 1) + 1];
    uint8_t* out = &(*rows)[row * rowBytes];
    const uint8_t* above = row > 0 ? out - rowBytes : nullptr;
    for (size_t i = 0; i < rowBytes; ++i) {
      const int left = i >= kBytesPerPixel ? out[i - kBytesPerPixel] : 0;
      const int up = above != nullptr ? above[i] : 0;
      const int upLeft = above != nullptr && i >= kBytesPerPixel ? above[i - kBytesPerPixel] : 0;
      int predicted;
      switch (filter) {
        case kNone: predicted = 0; break;
        case kSub: predicted = left; break;
        case kUp: predicted = up; break;
        case kAverage: predicted = (left + up) / 2; break;
        case kPaeth: predicted = PaethPredictor(left, up, upLeft); break;
        default: return false;
      }
      out[i] = static_cast<uint8_t>(in[i] + predicted);
    }
  }
  return true;
}

}  // namespace

bool Picture::AllWhite() const {
  for (const Rgb& pixel : pixels) {
    if (pixel.red != 255 || pixel.green != 255 || pixel.blue != 255) return false;
  }
  return true;
}

bool Picture::Has(Rgb colour, int tolerance) const {
  for (const Rgb& pixel : pixels) {
    if (std::abs(pixel.red - colour.red) <= tolerance &&
        std::abs(pixel.green - colour.green) <= tolerance &&
        std::abs(pixel.blue - colour.blue) <= tolerance) {
      return true;
    }
  }
  return false;
}

bool ReadPng(const std::string& path, Picture* picture) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < kSignatureSize || bytes.compare(1, 3, "PNG") != 0) return false;
  std::string compressed;
  bool header = false;
  for (size_t at = kSignatureSize; at + 12 <= bytes.size();) {
    const uint32_t length = BigEndian(bytes, at);
    const std::string type = bytes.substr(at + 4, 4);
    if (at + 12 + length > bytes.size()) return false;
    if (type == "IHDR") {
      picture->width = BigEndian(bytes, at + 8);
      picture->height = BigEndian(bytes, at + 12);
      header = static_cast<uint8_t>(bytes[at + 16]) == kBitDepth &&
               static_cast<uint8_t>(bytes[at + 17]) == kTrueColour &&
               bytes[at + 20] == 0;  // not interlaced
    } else if (type == "IDAT") {
      compressed += bytes.substr(at + 8, length);
    }
    at += 12 + length;
  }
  if (!header || picture->width == 0 || picture->height == 0) return false;
  const size_t rowBytes = size_t{picture->width} * kBytesPerPixel;
  std::vector<uint8_t> data((rowBytes + 1) * picture->height);
  uLongf size = static_cast<uLongf>(data.size());
  if (uncompress(data.data(), &size, reinterpret_cast<const Bytef*>(compressed.data()),
                 static_cast<uLong>(compressed.size())) != Z_OK ||
      size != data.size()) {
    return false;
  }
  std::vector<uint8_t> rows;
  if (!Unfilter(data, rowBytes, picture->height, &rows)) return false;
  picture->pixels.resize(size_t{picture->width} * picture->height);
  for (size_t i = 0; i < picture->pixels.size(); ++i) {
    picture->pixels[i] = {rows[i * 3], rows[i * 3 + 1], rows[i * 3 + 2]};
  }
  return true;
}

}  // namespace kx::preview::png
