#include "settings/field_table.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "platform/codepage.h"
#include "platform/text.h"
#include "settings/record_text.h"

namespace kx::settings {
namespace {

template <typename T>
constexpr FieldKind NumberKind() {
  return std::numeric_limits<T>::is_signed ? FieldKind::kSigned : FieldKind::kUnsigned;
}

class FieldListBuilder {
 public:
  template <typename T>
  void Number(std::string name, size_t offset) {
    fields_.push_back({std::move(name), offset, NumberKind<T>(), sizeof(T)});
  }
  void Text(std::string name, size_t offset, FieldKind kind, size_t size) {
    fields_.push_back({std::move(name), offset, kind, size});
  }
  void Alias(std::string name, const std::string& of) {
    for (const RecordField& field : fields_) {
      if (field.name == of) {
        RecordField alias = field;
        alias.name = std::move(name);
        alias.alias = true;
        fields_.push_back(alias);
        return;
      }
    }
  }
  std::vector<RecordField> Take() { return std::move(fields_); }

 private:
  std::vector<RecordField> fields_;
};

#define KX_NUMBER(builder, name, base, type, member) \
  builder.Number<decltype(type::member)>(name, base + offsetof(type, member))
#define KX_WIDE(builder, name, base, type, member) \
  builder.Text(name, base + offsetof(type, member), FieldKind::kWideText, sizeof(type::member) / sizeof(type::member[0]))
#define KX_BYTES(builder, name, base, type, member, kind) \
  builder.Text(name, base + offsetof(type, member), kind, sizeof(type::member) / sizeof(type::member[0]))

void AddOverlayFields(FieldListBuilder& b) {
  for (size_t i = 0; i < kOverlayCount; ++i) {
    const size_t base = offsetof(PrivateRecord, overlays) + i * sizeof(OverlayEntry);
    const std::string prefix = "overlays[" + std::to_string(i) + "].";
    KX_WIDE(b, prefix + "fileName", base, OverlayEntry, fileName);
    KX_NUMBER(b, prefix + "enabled", base, OverlayEntry, enabled);
    KX_NUMBER(b, prefix + "reserved", base, OverlayEntry, reserved);
    KX_NUMBER(b, prefix + "firstPage", base, OverlayEntry, firstPage);
    KX_NUMBER(b, prefix + "period", base, OverlayEntry, period);
  }
}

void AddWatermarkFields(FieldListBuilder& b) {
  const size_t base = offsetof(PrivateRecord, watermark);
  using W = WatermarkRecord;
  KX_WIDE(b, "watermark.name", base, W, name);
  KX_WIDE(b, "watermark.text", base, W, text);
  KX_WIDE(b, "watermark.fontName", base, W, fontName);
  KX_NUMBER(b, "watermark.enabled", base, W, enabled);
  KX_NUMBER(b, "watermark.firstPageOnly", base, W, firstPageOnly);
  KX_NUMBER(b, "watermark.colourFlag", base, W, colourFlag);
  KX_NUMBER(b, "watermark.shadeOrColour", base, W, shadeOrColour);
  KX_NUMBER(b, "watermark.fontIndex", base, W, fontIndex);
  KX_NUMBER(b, "watermark.fontSize", base, W, fontSize);
  KX_NUMBER(b, "watermark.reserved", base, W, reserved);
  KX_NUMBER(b, "watermark.offsetX", base, W, offsetX);
  KX_NUMBER(b, "watermark.offsetY", base, W, offsetY);
  KX_NUMBER(b, "watermark.angle", base, W, angle);
  KX_NUMBER(b, "watermark.background", base, W, background);
  KX_NUMBER(b, "watermark.outlineOnly", base, W, outlineOnly);
}

void AddDeviceOptionFields(FieldListBuilder& b) {
  const size_t base = offsetof(PrivateRecord, devOpts);
  using D = DeviceOptions;
  for (size_t i = 0; i < kInstalledOptionCount; ++i) {
    b.Number<uint8_t>("installedOptions[" + std::to_string(i) + "]",
                      base + offsetof(D, installedOptions) + i);
  }
  b.Alias("hasHardDisk", "installedOptions[0]");
  KX_WIDE(b, "userName", base, D, userName);
  KX_WIDE(b, "hostName", base, D, hostName);
  KX_WIDE(b, "chargeNumber", base, D, chargeNumber);
  KX_WIDE(b, "snmpCommunity", base, D, snmpCommunity);
  KX_WIDE(b, "printerAddress", base, D, printerAddress);
  KX_BYTES(b, "userNameAnsi", base, D, userNameAnsi, FieldKind::kAnsiText);
  KX_BYTES(b, "hostNameAnsi", base, D, hostNameAnsi, FieldKind::kAnsiText);
  KX_BYTES(b, "chargeNumberAnsi", base, D, chargeNumberAnsi, FieldKind::kAnsiText);
  KX_BYTES(b, "userNameUtf8", base, D, userNameUtf8, FieldKind::kUtf8Text);
  KX_BYTES(b, "hostNameUtf8", base, D, hostNameUtf8, FieldKind::kUtf8Text);
  KX_BYTES(b, "chargeNumberUtf8", base, D, chargeNumberUtf8, FieldKind::kUtf8Text);
}

void AddColourFields(FieldListBuilder& b) {
  using R = PrivateRecord;
  KX_NUMBER(b, "colorMode", 0, R, colorMode);
  KX_NUMBER(b, "quickColorSet", 0, R, quickColorSet);
  KX_NUMBER(b, "fieldAt2508", 0, R, fieldAt2508);
  KX_NUMBER(b, "useColorIntents", 0, R, useColorIntents);
  KX_NUMBER(b, "rgbSourceDefault", 0, R, rgbSourceDefault);
  KX_WIDE(b, "rgbSourceName", 0, R, rgbSourceName);
  KX_WIDE(b, "rgbSourceFile", 0, R, rgbSourceFile);
  KX_NUMBER(b, "simulationNone", 0, R, simulationNone);
  KX_WIDE(b, "simulationName", 0, R, simulationName);
  KX_WIDE(b, "simulationFile", 0, R, simulationFile);
  KX_NUMBER(b, "destinationNone", 0, R, destinationNone);
  KX_WIDE(b, "destinationName", 0, R, destinationName);
  KX_WIDE(b, "destinationFile", 0, R, destinationFile);
  KX_NUMBER(b, "graphicsHalftone", 0, R, graphicsHalftone);
  KX_NUMBER(b, "imageHalftone", 0, R, imageHalftone);
  KX_NUMBER(b, "graphicsIntent", 0, R, graphicsIntent);
  KX_NUMBER(b, "imageIntent", 0, R, imageIntent);
  KX_NUMBER(b, "graphicsProcessGray", 0, R, graphicsProcessGray);
  KX_NUMBER(b, "imageProcessGray", 0, R, imageProcessGray);
}

std::vector<RecordField> BuildFields() {
  FieldListBuilder b;
  using R = PrivateRecord;
  KX_NUMBER(b, "dwSize", 0, R, dwSize);
  KX_NUMBER(b, "dwSignature", 0, R, dwSignature);
  KX_NUMBER(b, "dwVersion", 0, R, dwVersion);
  KX_NUMBER(b, "spare", 0, R, spare);
  KX_NUMBER(b, "pageCounter", 0, R, pageCounter);
  KX_WIDE(b, "ppdFileName", 0, R, ppdFileName);
  KX_NUMBER(b, "qualityMode", 0, R, qualityMode);
  KX_NUMBER(b, "miserMode", 0, R, miserMode);
  KX_NUMBER(b, "smoothing", 0, R, smoothing);
  KX_NUMBER(b, "negativeImage", 0, R, negativeImage);
  KX_NUMBER(b, "mirrorImage", 0, R, mirrorImage);
  KX_NUMBER(b, "rotation", 0, R, rotation);
  KX_NUMBER(b, "watermarkCodePage", 0, R, watermarkCodePage);
  KX_NUMBER(b, "fieldAt560", 0, R, fieldAt560);
  KX_NUMBER(b, "singleUserMode", 0, R, singleUserMode);
  KX_NUMBER(b, "nupCode", 0, R, nupCode);
  KX_NUMBER(b, "booklet", 0, R, booklet);
  KX_NUMBER(b, "overlayPageValue", 0, R, overlayPageValue);
  AddOverlayFields(b);
  AddWatermarkFields(b);
  KX_BYTES(b, "watermarkTextAnsi", 0, R, watermarkTextAnsi, FieldKind::kAnsiText);
  AddDeviceOptionFields(b);
  AddColourFields(b);
  KX_WIDE(b, "colorSetName", 0, R, colorSetName);
  KX_NUMBER(b, "allowAppPostScript", 0, R, allowAppPostScript);
  KX_NUMBER(b, "printPsErrors", 0, R, printPsErrors);
  KX_NUMBER(b, "useExternalHeader", 0, R, useExternalHeader);
  KX_WIDE(b, "externalHeaderFile", 0, R, externalHeaderFile);
  KX_NUMBER(b, "jobTimeout", 0, R, jobTimeout);
  KX_NUMBER(b, "fieldAt4692", 0, R, fieldAt4692);
  KX_NUMBER(b, "emailNotify", 0, R, emailNotify);
  KX_WIDE(b, "emailAddress", 0, R, emailAddress);
  KX_WIDE(b, "customSettingName", 0, R, customSettingName);
  KX_NUMBER(b, "headerPage", 0, R, headerPage);
  KX_NUMBER(b, "trailerPage", 0, R, trailerPage);
  KX_NUMBER(b, "autoContinue", 0, R, autoContinue);
  KX_WIDE(b, "jobName", 0, R, jobName);
  return b.Take();
}

#undef KX_NUMBER
#undef KX_WIDE
#undef KX_BYTES

uint8_t* FieldBytes(PrivateRecord* record, const RecordField& field) {
  return reinterpret_cast<uint8_t*>(record) + field.offset;
}
const uint8_t* FieldBytes(const PrivateRecord& record, const RecordField& field) {
  return reinterpret_cast<const uint8_t*>(&record) + field.offset;
}

bool ParseNumber(std::string_view text, const RecordField& field, uint64_t* bits,
                 std::string* error) {
  const bool negative = text.starts_with('-');
  std::string_view digits = negative ? text.substr(1) : text;
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  uint64_t magnitude = 0;
  const auto [end, status] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || status != std::errc() || end != digits.data() + digits.size()) {
    *error = field.name + ": \"" + std::string(text) + "\" is not a number";
    return false;
  }
  const unsigned bitCount = static_cast<unsigned>(field.size * 8);
  bool inRange;
  if (field.kind == FieldKind::kSigned) {
    const uint64_t limit = uint64_t{1} << (bitCount - 1);
    inRange = negative ? magnitude <= limit : magnitude < limit;
  } else {
    inRange = !negative && (bitCount == 64 || magnitude < (uint64_t{1} << bitCount));
  }
  if (!inRange) {
    *error = field.name + ": " + std::string(text) + " is out of range";
    return false;
  }
  *bits = negative ? (~magnitude + 1) : magnitude;
  return true;
}

std::string TooLong(const RecordField& field) {
  return field.name + ": text too long (the field holds " + std::to_string(field.size - 1) +
         (field.kind == FieldKind::kWideText ? " UTF-16 units)" : " bytes)");
}

bool EncodeAnsi(std::u16string_view text, std::string* bytes) {
  if (text.empty()) {
    bytes->clear();
    return true;
  }
  const int length = static_cast<int>(text.size());
  const int needed = platform::WideCharToMultiByte(platform::kCpAcp, 0, text.data(), length,
                                                   nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  bytes->assign(static_cast<size_t>(needed), '\0');
  return platform::WideCharToMultiByte(platform::kCpAcp, 0, text.data(), length, bytes->data(),
                                       needed, nullptr, nullptr) == needed;
}

std::u16string DecodeAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int needed =
      platform::MultiByteToWideChar(platform::kCpAcp, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::u16string text(static_cast<size_t>(needed), u'\0');
  platform::MultiByteToWideChar(platform::kCpAcp, 0, bytes.data(), length, text.data(), needed);
  return text;
}

bool StoreBytes(uint8_t* target, const RecordField& field, std::string_view bytes,
                std::string* error) {
  if (bytes.size() >= field.size) {
    *error = TooLong(field);
    return false;
  }
  std::memset(target, 0, field.size);
  std::memcpy(target, bytes.data(), bytes.size());
  return true;
}

bool SetText(uint8_t* target, const RecordField& field, std::string_view value,
             std::string* error) {
  switch (field.kind) {
    case FieldKind::kWideText: {
      const std::u16string text = platform::Utf8ToUtf16(value);
      if (text.size() >= field.size) {
        *error = TooLong(field);
        return false;
      }
      std::memset(target, 0, field.size * sizeof(char16_t));
      std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
      return true;
    }
    case FieldKind::kAnsiText: {
      std::string bytes;
      if (!EncodeAnsi(platform::Utf8ToUtf16(value), &bytes)) {
        *error = field.name + ": text cannot be converted to the ANSI code page";
        return false;
      }
      return StoreBytes(target, field, bytes, error);
    }
    default:
      return StoreBytes(target, field, value, error);
  }
}

// Writes as many whole characters of `text` as the array holds with its NUL.
void StoreAnsiCopy(char* target, size_t capacity, std::u16string_view text) {
  std::memset(target, 0, capacity);
  std::string bytes;
  while (!text.empty() && (!EncodeAnsi(text, &bytes) || bytes.size() >= capacity)) {
    text.remove_suffix(1);
  }
  if (!text.empty()) std::memcpy(target, bytes.data(), bytes.size());
}

void StoreUtf8Copy(char* target, size_t capacity, std::u16string_view text) {
  std::memset(target, 0, capacity);
  const std::string bytes = EncodeUnitsAsUtf8(text, capacity - 1);
  std::memcpy(target, bytes.data(), bytes.size());
}

}  // namespace

const std::vector<RecordField>& RecordFields() {
  static const std::vector<RecordField> fields = BuildFields();
  return fields;
}

const RecordField* FindRecordField(std::string_view name) {
  for (const RecordField& field : RecordFields()) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

bool SetRecordField(PrivateRecord* record, const RecordField& field, std::string_view value,
                    std::string* error) {
  uint8_t* target = FieldBytes(record, field);
  if (field.kind == FieldKind::kUnsigned || field.kind == FieldKind::kSigned) {
    uint64_t bits = 0;
    if (!ParseNumber(value, field, &bits, error)) return false;
    for (size_t i = 0; i < field.size; ++i) target[i] = static_cast<uint8_t>(bits >> (8 * i));
    return true;
  }
  return SetText(target, field, value, error);
}

std::string FormatRecordField(const PrivateRecord& record, const RecordField& field) {
  const uint8_t* source = FieldBytes(record, field);
  switch (field.kind) {
    case FieldKind::kUnsigned:
    case FieldKind::kSigned: {
      uint64_t bits = 0;
      for (size_t i = 0; i < field.size; ++i) bits |= uint64_t{source[i]} << (8 * i);
      if (field.kind == FieldKind::kSigned && field.size < 8 &&
          (bits >> (field.size * 8 - 1)) != 0) {
        return std::to_string(static_cast<int64_t>(bits) -
                              static_cast<int64_t>(uint64_t{1} << (field.size * 8)));
      }
      return std::to_string(bits);
    }
    case FieldKind::kWideText: {
      std::u16string text(field.size, u'\0');
      std::memcpy(text.data(), source, field.size * sizeof(char16_t));
      return platform::Utf16ToUtf8(FieldText(text.data(), field.size));
    }
    case FieldKind::kAnsiText:
      return platform::Utf16ToUtf8(
          DecodeAnsi(FieldText(reinterpret_cast<const char*>(source), field.size)));
    case FieldKind::kUtf8Text:
      return std::string(FieldText(reinterpret_cast<const char*>(source), field.size));
  }
  return {};
}

void FillDeviceTextCopies(DeviceOptions* options, DeviceText which) {
  switch (which) {
    case DeviceText::kUserName:
      StoreAnsiCopy(options->userNameAnsi, sizeof(options->userNameAnsi),
                    FieldText(options->userName));
      StoreUtf8Copy(options->userNameUtf8, sizeof(options->userNameUtf8),
                    FieldText(options->userName));
      break;
    case DeviceText::kHostName:
      StoreAnsiCopy(options->hostNameAnsi, sizeof(options->hostNameAnsi),
                    FieldText(options->hostName));
      StoreUtf8Copy(options->hostNameUtf8, sizeof(options->hostNameUtf8),
                    FieldText(options->hostName));
      break;
    case DeviceText::kChargeNumber:
      StoreAnsiCopy(options->chargeNumberAnsi, sizeof(options->chargeNumberAnsi),
                    FieldText(options->chargeNumber));
      StoreUtf8Copy(options->chargeNumberUtf8, sizeof(options->chargeNumberUtf8),
                    FieldText(options->chargeNumber));
      break;
  }
}

}  // namespace kx::settings
