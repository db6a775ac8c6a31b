// The pictures' PNG files, read back with zlib (an independent inflate and CRC-32).
#include "hostsim/png_image.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace kx::hostsim {
namespace {

uint32_t BigEndianAt(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 | uint32_t{bytes[at + 2]} << 8 |
         bytes[at + 3];
}

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
};

// The file's chunks, each checked against its CRC.
std::vector<Chunk> ReadChunks(const std::vector<uint8_t>& file) {
  std::vector<Chunk> chunks;
  size_t at = 8;
  while (at + 12 <= file.size()) {
    const uint32_t length = BigEndianAt(file, at);
    if (at + 12 + length > file.size()) break;
    Chunk chunk{.type = std::string(file.begin() + static_cast<long>(at + 4),
                                    file.begin() + static_cast<long>(at + 8)),
                .data = std::vector<uint8_t>(file.begin() + static_cast<long>(at + 8),
                                             file.begin() + static_cast<long>(at + 8 + length))};
    const uLong crc = crc32(0, file.data() + at + 4, length + 4);
    EXPECT_EQ(BigEndianAt(file, at + 8 + length), crc) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  EXPECT_EQ(at, file.size());
  return chunks;
}

RgbImage Gradient(uint32_t width, uint32_t height) {
  RgbImage image{.width = width, .height = height, .pixels = {}};
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      image.pixels.insert(image.pixels.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                               static_cast<uint8_t>(x ^ y)});
    }
  }
  return image;
}

// Small pictures and one whose data needs several stored blocks (more than 64 KiB).
TEST(PngImageTest, ZlibReadsBackEveryPixel) {
  for (const auto& [width, height] : {std::pair{1u, 1u}, {3u, 2u}, {300u, 200u}}) {
    SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
    const RgbImage image = Gradient(width, height);
    const std::vector<uint8_t> file = EncodePng(image);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(std::string(file.begin() + 1, file.begin() + 4), "PNG");
    const std::vector<Chunk> chunks = ReadChunks(file);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(BigEndianAt(chunks[0].data, 0), width);
    EXPECT_EQ(BigEndianAt(chunks[0].data, 4), height);
    EXPECT_EQ(chunks[2].type, "IEND");
    ASSERT_EQ(chunks[1].type, "IDAT");

    const size_t rowBytes = size_t{width} * 3;
    std::vector<uint8_t> rows((rowBytes + 1) * height + 1);  // one more: nothing may follow
    uLongf rowsSize = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &rowsSize, chunks[1].data.data(), chunks[1].data.size()),
              Z_OK);
    ASSERT_EQ(rowsSize, (rowBytes + 1) * height);
    for (uint32_t y = 0; y < height; ++y) {
      const uint8_t* row = rows.data() + y * (rowBytes + 1);
      EXPECT_EQ(row[0], 0) << "filter of row " << y;
      EXPECT_EQ(std::vector<uint8_t>(row + 1, row + 1 + rowBytes),
                std::vector<uint8_t>(image.pixels.begin() + static_cast<long>(y * rowBytes),
                                     image.pixels.begin() + static_cast<long>((y + 1) * rowBytes)));
    }
  }
}

TEST(PngImageTest, InvalidImagesGiveNoFileAndBlankOnesOneColour) {
  EXPECT_TRUE(EncodePng(RgbImage{}).empty());
  EXPECT_TRUE(EncodePng(RgbImage{.width = 2, .height = 2, .pixels = std::vector<uint8_t>(11)}).empty());
  EXPECT_EQ((RgbImage{.width = 2, .height = 1, .pixels = {9, 9, 9, 9, 9, 9}}).ColourCount(), 1u);
  EXPECT_EQ(Gradient(4, 1).ColourCount(), 4u);
}

}  // namespace
}  // namespace kx::hostsim
