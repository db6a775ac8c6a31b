// Tooltip windows: tools with fixed text or text asked of their window (TTN_GETDISPINFOW),
// shown at a tracking position while track-activated.
#include <algorithm>

#include "dialogs_internal.h"
#include "platform/dialogs.h"

namespace kx::platform::detail {
namespace {

using host::TOOLINFOW;

constexpr LPARAM kNoMaxWidth = -1;
constexpr int kPadding = 4;
constexpr uintptr_t kFirstPointer = 0x10000;  // lower values name string resources

struct Tool {
  TOOLINFOW info{};
  std::u16string text;
  bool callback = false;
};

struct TooltipState : ControlState {
  std::vector<Tool> tools;
  bool active = true;
  LPARAM maxWidth = kNoMaxWidth;
  host::POINT track{};
  host::INT_PTR shown = -1;  // the index of the tool being shown
};

TooltipState& StateOf(HWND window) { return static_cast<TooltipState&>(*window->state); }

const TOOLINFOW* InfoIn(LPARAM lParam) { return reinterpret_cast<const TOOLINFOW*>(lParam); }

host::INT_PTR FindTool(const TooltipState& state, const TOOLINFOW* key) {
  if (key == nullptr) return -1;
  for (size_t i = 0; i < state.tools.size(); ++i) {
    const TOOLINFOW& info = state.tools[i].info;
    if (info.hwnd == key->hwnd && info.uId == key->uId) return static_cast<host::INT_PTR>(i);
  }
  return -1;
}

void StoreText(Tool& tool, host::LPWSTR text) {
  tool.callback = text == host::LPSTR_TEXTCALLBACKW;
  const auto value = reinterpret_cast<uintptr_t>(text);
  tool.text = (tool.callback || value < kFirstPointer) ? std::u16string() : std::u16string(text);
}

// The text of a tool: its own, or what its window answers to TTN_GETDISPINFOW.
std::u16string TextOf(HWND tooltip, const Tool& tool) {
  if (!tool.callback) return tool.text;
  host::NMTTDISPINFOW request{};
  request.hdr.hwndFrom = tooltip;
  request.hdr.idFrom = tool.info.uId;
  request.hdr.code = host::TTN_GETDISPINFOW;
  request.lpszText = request.szText;
  request.uFlags = tool.info.uFlags;
  request.lParam = tool.info.lParam;
  Dispatch(tool.info.hwnd, host::WM_NOTIFY, static_cast<WPARAM>(tool.info.uId),
           reinterpret_cast<LPARAM>(&request));
  const auto value = reinterpret_cast<uintptr_t>(request.lpszText);
  if (request.lpszText == nullptr || value < kFirstPointer ||
      request.lpszText == host::LPSTR_TEXTCALLBACKW) {
    return {};
  }
  if (request.lpszText == request.szText) {
    return std::u16string(request.szText,
                          std::find(std::begin(request.szText), std::end(request.szText), u'\0'));
  }
  return std::u16string(request.lpszText);
}

void Hide(HWND tooltip, TooltipState& state) {
  state.shown = -1;
  tooltip->style &= ~host::WS_VISIBLE;
}

// Shows a tool at the tracking position, sized for its text; a tool without text stays
// hidden, as on Windows.
void TrackShow(HWND tooltip, TooltipState& state, host::INT_PTR index) {
  const std::u16string text = TextOf(tooltip, state.tools[static_cast<size_t>(index)]);
  if (Live(tooltip) == nullptr) return;
  if (text.empty()) {
    Hide(tooltip, state);
    return;
  }
  state.shown = index;
  tooltip->text = text;
  auto width = static_cast<host::LONG>(text.size()) * kBaseUnitX + 2 * kPadding;
  if (state.maxWidth > 0) width = std::min(width, static_cast<host::LONG>(state.maxWidth));
  tooltip->rect = host::RECT{.left = state.track.x,
                             .top = state.track.y,
                             .right = state.track.x + width,
                             .bottom = state.track.y + kBaseUnitY + 2 * kPadding};
  tooltip->style |= host::WS_VISIBLE;
}

LRESULT TrackActivate(HWND tooltip, TooltipState& state, bool activate, LPARAM lParam) {
  const host::INT_PTR index = FindTool(state, InfoIn(lParam));
  if (!activate) {
    if (index < 0 || index == state.shown) Hide(tooltip, state);
    return 0;
  }
  if (index >= 0 && state.active) TrackShow(tooltip, state, index);
  return 0;
}

LRESULT GetText(HWND tooltip, const TooltipState& state, WPARAM capacity, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFOW*>(lParam);
  const host::INT_PTR index = FindTool(state, info);
  if (index < 0 || info->lpszText == nullptr) return 0;
  CopyTextOut(TextOf(tooltip, state.tools[static_cast<size_t>(index)]), capacity,
              reinterpret_cast<LPARAM>(info->lpszText));
  return 0;
}

LRESULT GetCurrentTool(const TooltipState& state, LPARAM lParam) {
  if (state.shown < 0) return 0;
  if (auto* info = reinterpret_cast<TOOLINFOW*>(lParam)) {
    const TOOLINFOW& current = state.tools[static_cast<size_t>(state.shown)].info;
    const host::UINT size = info->cbSize;
    *info = current;
    info->cbSize = size;
  }
  return 1;
}

}  // namespace

std::unique_ptr<ControlState> MakeTooltipState() { return std::make_unique<TooltipState>(); }

LRESULT TooltipProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TooltipState& state = StateOf(window);
  switch (message) {
    case host::TTM_ADDTOOLW: {
      const TOOLINFOW* info = InfoIn(lParam);
      if (info == nullptr) return 0;
      Tool tool{.info = *info, .text = {}, .callback = false};
      StoreText(tool, info->lpszText);
      tool.info.lpszText = nullptr;
      state.tools.push_back(std::move(tool));
      return 1;
    }
    case host::TTM_DELTOOLW: {
      const host::INT_PTR index = FindTool(state, InfoIn(lParam));
      if (index < 0) return 0;
      if (index == state.shown) Hide(window, state);
      if (state.shown > index) --state.shown;
      state.tools.erase(state.tools.begin() + index);
      return 0;
    }
    case host::TTM_UPDATETIPTEXTW: {
      const host::INT_PTR index = FindTool(state, InfoIn(lParam));
      if (index >= 0) StoreText(state.tools[static_cast<size_t>(index)], InfoIn(lParam)->lpszText);
      return 0;
    }
    case host::TTM_ACTIVATE:
      state.active = wParam != 0;
      if (!state.active) Hide(window, state);
      return 0;
    case host::TTM_SETMAXTIPWIDTH: {
      const LPARAM previous = state.maxWidth;
      state.maxWidth = lParam;
      return previous;
    }
    case host::TTM_TRACKPOSITION:
      state.track = host::POINT{.x = static_cast<int16_t>(host::LoWord(static_cast<uintptr_t>(lParam))),
                                .y = static_cast<int16_t>(host::HiWord(static_cast<uintptr_t>(lParam)))};
      if (state.shown >= 0) TrackShow(window, state, state.shown);
      return 0;
    case host::TTM_TRACKACTIVATE:
      return TrackActivate(window, state, wParam != 0, lParam);
    case host::TTM_GETTEXTW:
      return GetText(window, state, wParam, lParam);
    case host::TTM_GETCURRENTTOOLW:
      return GetCurrentTool(state, lParam);
    default:
      return DefaultProcedure(window, message, wParam, lParam);
  }
}

}  // namespace kx::platform::detail
