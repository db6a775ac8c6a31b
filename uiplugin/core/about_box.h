// The About box (dialog 108): the product name in its title, and the file description,
// product version and rights notice of the plug-in's version resource in its text.
#pragma once

#include "host/window.h"
#include "platform/dialog_template.h"
#include "platform/version_resource.h"

namespace kx::ui {

inline constexpr int kAboutBoxId = 108;
inline constexpr int kAboutTextId = 1260;

const platform::DialogSpec& AboutBoxSpec();

// Shows the box modally over `owner` with the strings of `version` (null: none); the
// result is 1 for OK, 0 for Cancel.
host::INT_PTR ShowAboutBox(host::HWND owner, const platform::VersionResource* version);

}  // namespace kx::ui
