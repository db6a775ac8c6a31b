#include "watermarks/watermark_store.h"

#include <iterator>

#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "user_store.h"

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

constexpr uint32_t kRecordSize = sizeof(settings::WatermarkRecord);
// The longest name the record's name field holds with its terminator.
constexpr size_t kMaxNameLength = std::size(settings::WatermarkRecord{}.name) - 1;

void AddName(host::HWND combo, const std::u16string& name) {
  platform::SendMessage(combo, host::CB_ADDSTRING, 0, reinterpret_cast<host::LPARAM>(name.c_str()));
}

// The list's own search: the whole text, case ignored.
host::LRESULT FindName(host::HWND combo, const std::u16string& name) {
  return platform::SendMessage(combo, host::CB_FINDSTRINGEXACT, static_cast<host::WPARAM>(-1),
                               reinterpret_cast<host::LPARAM>(name.c_str()));
}

// The printer's library, opened for one operation (and created when missing, so that
// showing the library once leaves an empty one behind).
PrinterRecordStore Library(std::u16string_view printer) {
  return PrinterRecordStore(printer, kWatermarkStore, kRecordSize, kMaxNameLength);
}

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

uint32_t StoreWatermark(const settings::WatermarkRecord& record, std::u16string_view printer) {
  // A nameless value could never be listed or chosen again: the store refuses it.
  return Library(printer).Write(settings::FieldText(record.name), &record);
}

settings::WatermarkRecord LoadWatermark(std::u16string_view name, std::u16string_view printer) {
  settings::WatermarkRecord stored{};
  if (Library(printer).Read(name, &stored)) return stored;
  settings::WatermarkRecord record = NewWatermarkRecord();
  settings::StoreText(record.name, name);
  settings::StoreText(record.text, name);
  return record;
}

void ListWatermarks(host::HWND combo, std::u16string_view printer) {
  platform::SendMessage(combo, host::CB_RESETCONTENT, 0, 0);
  for (const TextRow& row : kPredefinedWatermarks) AddName(combo, ToUtf16(row.text));
  for (const std::u16string& name : Library(printer).Names()) {
    if (FindName(combo, name) < 0) AddName(combo, name);
  }
}

bool RemoveWatermark(std::u16string_view name, std::u16string_view printer) {
  return Library(printer).Delete(name);
}

}  // namespace kx::ui
