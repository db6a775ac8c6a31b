// Helpers of the PPD library's tests: PPD text written to temporary files, images that
// close themselves, and readable views of what an image holds.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ppd/ppd.h"
#include "support/temp_store.h"

namespace kx::ppd::test {

struct ImageCloser {
  void operator()(const PpdImage* image) const { PpdClose(image); }
};
using ImagePtr = std::unique_ptr<const PpdImage, ImageCloser>;

// Files in a temporary folder that disappears with the object.
class PpdFiles {
 public:
  // Writes `contents` to a new file and returns its path.
  std::u16string Write(std::string_view contents);
  ImagePtr Open(std::string_view contents) { return ImagePtr(PpdOpen(Write(contents).c_str())); }
  std::u16string PathOf(std::string_view name) const;

 private:
  kx::test::TempStore directory_;
  int files_ = 0;
};

// The text a reference resolves to; nothing for a null reference.
std::optional<std::string> Text(const PpdImage* image, Ref ref);

std::vector<std::string> FeatureKeywords(const PpdImage* image);
std::vector<const PpdOption*> Options(const PpdImage* image, const PpdFeature* feature);
std::vector<std::string> OptionKeywords(const PpdImage* image, const PpdFeature* feature);
const PpdOption* OptionNamed(const PpdImage* image, const PpdFeature* feature,
                             std::string_view keyword);

// The offset of a record inside its image.
inline Ref OffsetOf(const PpdImage* image, const void* record) {
  return static_cast<Ref>(static_cast<const uint8_t*>(record) -
                          reinterpret_cast<const uint8_t*>(image));
}

// CRC-16/XMODEM computed bit by bit, independently of the library's table.
uint16_t BitwiseCrc16(std::string_view bytes);

// The bytes of a file in this folder's data/ directory.
std::string ReadTestData(std::string_view name);

}  // namespace kx::ppd::test
