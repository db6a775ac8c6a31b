// Opens the About box of the built UI plug-in as a user would see it, for a picture of it
// taken from the display: the box reads the version resource of KX48T7UI.DLL itself, so
// the picture shows what that file says, in the system's own controls and fonts.
//
// Usage: kx48t7-screenshot <geometry file> <done file>. Once the box is drawn, its place
// on the screen is written to the geometry file ("WxH+X+Y"); the box stays open until the
// done file exists (at most a minute), then it is closed with its OK button. Exits with 0
// when all of that happened.
#include <cstdio>
#include <memory>
#include <string>

#include "about_box.h"
#include "platform/dialogs.h"
#include "platform/module.h"
#include "platform/text.h"
#include "platform/version_resource.h"
#include "window_on_screen.h"

namespace {

using namespace kx;

constexpr unsigned kPictureTimeoutMs = 60'000;

struct Picture {
  std::string geometryPath;
  std::u16string donePath;
  std::u16string title;
  bool taken = false;
};

bool WriteText(const std::string& path, const std::string& text) {
  FILE* out = std::fopen(path.c_str(), "w");
  if (out == nullptr) return false;
  const bool written = std::fputs(text.c_str(), out) >= 0;
  return std::fclose(out) == 0 && written;
}

// Runs once the box is open: shows it for its picture, then presses OK as a user would.
void ShowForPictureThenClose(void* context, host::HWND dialog) {
  auto* picture = static_cast<Picture*>(context);
  picture->title = platform::GetWindowText(dialog);
  test::DrawOnScreen(dialog);
  picture->taken = WriteText(picture->geometryPath, test::ScreenGeometry(dialog) + "\n") &&
                   test::WaitForFile(picture->donePath, kPictureTimeoutMs);
  platform::SendDlgItemMessage(dialog, host::IDOK, host::BM_CLICK, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kx48t7-screenshot <geometry file> <done file>\n");
    return 2;
  }
  std::string error;
  platform::ModuleHandle module = platform::LoadModule(KX48T7UI_MODULE_PATH, &error);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load the UI plug-in: %s\n", error.c_str());
    return 1;
  }
  const std::unique_ptr<platform::VersionResource> version =
      platform::VersionResource::Read(platform::Utf8ToUtf16(KX48T7UI_MODULE_PATH));
  if (version == nullptr) {
    std::fprintf(stderr, "the UI plug-in has no version resource\n");
    return 1;
  }
  Picture picture;
  picture.geometryPath = argv[1];
  picture.donePath = platform::Utf8ToUtf16(argv[2]);
  platform::SetModalDialogResponder(&ShowForPictureThenClose, &picture);
  const host::INT_PTR result = ui::ShowAboutBox(nullptr, version.get());
  platform::SetModalDialogResponder(nullptr, nullptr);
  platform::UnloadModule(module);
  std::printf("About box \"%s\": %s, closed with %lld\n",
              platform::Utf16ToUtf8(picture.title).c_str(),
              picture.taken ? "picture taken" : "NO PICTURE", static_cast<long long>(result));
  return picture.taken && result == 1 ? 0 : 1;
}
