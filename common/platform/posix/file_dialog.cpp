// The open-file dialog without a desktop: only the thread's responder can choose a file;
// without one the dialog counts as cancelled.
#include "platform/file_dialog.h"

namespace kx::platform {
namespace {

struct Responder {
  OpenFileResponder function = nullptr;
  void* context = nullptr;
};
thread_local Responder responder;

// The system the headless services stand in for: a current one, which knows the extended
// open-file structure.
constexpr int kStandInMajorVersion = 10;

}  // namespace

std::optional<std::u16string> GetOpenFileName(const OpenFileRequest& request) {
  if (responder.function == nullptr) return std::nullopt;
  return responder.function(responder.context, request);
}

void SetOpenFileResponder(OpenFileResponder function, void* context) {
  responder = {function, function != nullptr ? context : nullptr};
}

std::optional<int> SystemMajorVersion() { return kStandInMajorVersion; }

}  // namespace kx::platform
