// Pictures of windows as PNG files: 8-bit RGB, no interlace, the image data in stored
// (uncompressed) deflate blocks. A window's picture is a few hundred kilobytes that way,
// and the encoder needs no compression library on any system.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kx::hostsim {

struct RgbImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // row after row, three bytes (red, green, blue) a pixel

  bool valid() const {
    return width > 0 && height > 0 && pixels.size() == size_t{width} * height * 3;
  }
  // How many different colours the picture has; a blank picture has one.
  size_t ColourCount() const;
};

// The PNG file of `image`; empty when the image is not valid.
std::vector<uint8_t> EncodePng(const RgbImage& image);

// The checksums the format uses: CRC-32 of chunks, Adler-32 of the zlib stream.
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);
uint32_t Adler32(std::span<const uint8_t> bytes);

}  // namespace kx::hostsim
