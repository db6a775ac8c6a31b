// Ghostscript's PNG pictures read back in the tests (8-bit RGB, any row filters), with
// zlib's own inflate.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx::preview::png {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

struct Picture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<Rgb> pixels;  // row after row

  bool AllWhite() const;
  // Whether some pixel lies within `tolerance` of `colour` in each channel.
  bool Has(Rgb colour, int tolerance) const;
};

// False when the file is no 8-bit RGB PNG or its data does not inflate.
bool ReadPng(const std::string& path, Picture* picture);

}  // namespace kx::preview::png
