#include "platform/dialog_template.h"

#include <cstring>

#include "platform/dialogs.h"
#include "platform/text.h"

namespace kx::platform {
namespace {

using host::DWORD;
using host::WORD;

constexpr WORD kTemplateVersion = 1;
constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kOrdinalMarker = 0xFFFF;
constexpr WORD kFontWeightNormal = 400;
constexpr uint8_t kDefaultCharset = 1;

const char16_t* ClassNameOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::UpDown:
      return u"msctls_updown32";
    case ControlKind::Progress:
      return u"msctls_progress32";
    default:
      return nullptr;  // a predefined class, named by its ordinal
  }
}

// Appends the template's fields in order; items start on DWORD boundaries.
class TemplateWriter {
 public:
  void Word(WORD value) { Raw(&value, sizeof value); }
  void Dword(DWORD value) { Raw(&value, sizeof value); }
  void Short(int16_t value) { Raw(&value, sizeof value); }
  void Byte(uint8_t value) { Raw(&value, sizeof value); }
  void Text(std::u16string_view text) {
    for (char16_t unit : text) Word(unit);
    Word(0);
  }
  void AlignToDword() {
    while (bytes_.size() % sizeof(DWORD) != 0) bytes_.push_back(0);
  }
  std::vector<uint32_t> Finish() {
    AlignToDword();
    std::vector<uint32_t> words(bytes_.size() / sizeof(uint32_t));
    std::memcpy(words.data(), bytes_.data(), bytes_.size());
    return words;
  }

 private:
  void Raw(const void* data, size_t size) {
    const auto* first = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + size);
  }
  std::vector<uint8_t> bytes_;
};

void WriteControl(TemplateWriter& out, const ControlSpec& control) {
  out.AlignToDword();
  const DWORD style = control.style | host::WS_CHILD | (control.hidden ? 0 : host::WS_VISIBLE);
  out.Dword(0);  // help id
  out.Dword(control.exStyle);
  out.Dword(style);
  out.Short(control.x);
  out.Short(control.y);
  out.Short(control.width);
  out.Short(control.height);
  out.Dword(static_cast<DWORD>(control.id));
  if (const char16_t* name = ClassNameOf(control.kind)) {
    out.Text(name);
  } else {
    out.Word(kOrdinalMarker);
    out.Word(static_cast<WORD>(control.kind));
  }
  out.Text(Utf8ToUtf16(control.caption));
  out.Word(0);  // no creation data
}

}  // namespace

std::vector<uint32_t> BuildDialogTemplate(const DialogSpec& spec) {
  TemplateWriter out;
  out.Word(kTemplateVersion);
  out.Word(kExtendedSignature);
  out.Dword(0);  // help id
  out.Dword(spec.exStyle);
  out.Dword(spec.style | host::DS_SETFONT | host::DS_SHELLFONT);
  out.Word(static_cast<WORD>(spec.controls.size()));
  out.Short(0);
  out.Short(0);
  out.Short(spec.width);
  out.Short(spec.height);
  out.Word(0);  // no menu
  out.Word(0);  // the system's dialog class
  out.Text(Utf8ToUtf16(spec.caption));
  out.Word(kDialogFontPointSize);
  out.Word(kFontWeightNormal);
  out.Byte(0);  // not italic
  out.Byte(kDefaultCharset);
  out.Text(kDialogFontName);
  for (const ControlSpec& control : spec.controls) WriteControl(out, control);
  return out.Finish();
}

void ApplyControlLimits(host::HWND dialog, const DialogSpec& spec) {
  for (const ControlSpec& control : spec.controls) {
    if (control.limit > 0 && control.kind == ControlKind::Edit) {
      SendDlgItemMessage(dialog, control.id, host::EM_LIMITTEXT,
                         static_cast<host::WPARAM>(control.limit), 0);
    } else if (control.limit > 0 && control.kind == ControlKind::ComboBox) {
      SendDlgItemMessage(dialog, control.id, host::CB_LIMITTEXT,
                         static_cast<host::WPARAM>(control.limit), 0);
    } else if (control.kind == ControlKind::UpDown && control.spinMin < control.spinMax) {
      SendDlgItemMessage(dialog, control.id, host::UDM_SETRANGE, 0,
                         host::MakeLParam(static_cast<host::WORD>(control.spinMax),
                                          static_cast<host::WORD>(control.spinMin)));
    }
  }
}

}  // namespace kx::platform
