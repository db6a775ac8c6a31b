// Every dialog and page of the UI plug-in, checked from its control table: what a person
// would see as a broken layout (controls on top of each other, cut off by the dialog's
// edge, pages larger than a property sheet holds) and ids that would confuse the
// dialog's own code.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "dialog_registry.h"
#include "platform/dialog_template.h"

namespace kx::ui {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::DialogSpec;

// The most a property page may measure, in dialog units.
constexpr int kPageMaxWidth = 252;
constexpr int kPageMaxHeight = 218;
// A combo box's template height includes its drop-down list; on the dialog it takes the
// height of its edit field.
constexpr int kComboFieldHeight = 14;
// Controls without an identity of their own (labels) share this id.
constexpr int kUnnamedId = -1;

struct Box {
  int left, top, right, bottom;
  bool Overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  bool Contains(const Box& other) const {
    return left <= other.left && top <= other.top && other.right <= right &&
           other.bottom <= bottom;
  }
};

Box BoxOf(const ControlSpec& control) {
  const int height = control.kind == ControlKind::ComboBox
                         ? std::min<int>(control.height, kComboFieldHeight)
                         : control.height;
  return {control.x, control.y, control.x + control.width, control.y + height};
}

bool IsGroupBox(const ControlSpec& control) {
  return control.kind == ControlKind::Button &&
         (control.style & host::BS_TYPEMASK) == host::BS_GROUPBOX;
}

// An up-down control sits against the control before it, its buddy.
bool IsSpinOfBuddy(const DialogSpec& dialog, size_t spin, size_t other) {
  return dialog.controls[spin].kind == ControlKind::UpDown && other + 1 == spin;
}

std::vector<std::string> LayoutProblems(const DialogSpec& dialog, bool isPage) {
  std::vector<std::string> problems;
  const auto name = [](const ControlSpec& control) { return std::to_string(control.id); };
  if (isPage && (dialog.width > kPageMaxWidth || dialog.height > kPageMaxHeight)) {
    problems.push_back("page larger than a property sheet holds");
  }
  std::set<int> ids;
  const Box inside{0, 0, dialog.width, dialog.height};
  for (size_t i = 0; i < dialog.controls.size(); ++i) {
    const ControlSpec& control = dialog.controls[i];
    if (control.id != kUnnamedId && !ids.insert(control.id).second) {
      problems.push_back("id " + name(control) + " used twice");
    }
    if (control.width <= 0 || control.height <= 0 || !inside.Contains(BoxOf(control))) {
      problems.push_back("control " + name(control) + " outside the dialog");
    }
    for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
      const ControlSpec& other = dialog.controls[j];
      if (control.hidden || other.hidden) continue;
      const Box a = BoxOf(control), b = BoxOf(other);
      if (!a.Overlaps(b)) continue;
      if ((IsGroupBox(control) && a.Contains(b)) || (IsGroupBox(other) && b.Contains(a))) continue;
      if (IsSpinOfBuddy(dialog, j, i) || IsSpinOfBuddy(dialog, i, j)) continue;
      problems.push_back("controls " + name(control) + " and " + name(other) + " overlap");
    }
  }
  return problems;
}

TEST(DialogLayoutTest, EveryDialogIsLaidOutCleanly) {
  const auto dialogs = AllDialogSpecs();
  ASSERT_FALSE(dialogs.empty());
  for (const RegisteredDialog& entry : dialogs) {
    SCOPED_TRACE("dialog " + std::to_string(entry.spec->templateId));
    EXPECT_EQ(LayoutProblems(*entry.spec, entry.isPage), std::vector<std::string>{});
  }
}

TEST(DialogLayoutTest, TheCheckFindsBrokenLayouts) {
  const ControlSpec controls[] = {
      {.id = 10, .kind = ControlKind::Button, .x = 5, .y = 5, .width = 50, .height = 14},
      {.id = 10, .kind = ControlKind::Edit, .x = 40, .y = 10, .width = 50, .height = 14},
      {.id = 11, .kind = ControlKind::Static, .x = 150, .y = 5, .width = 80, .height = 8},
      {.id = 12, .kind = ControlKind::Button, .x = 5, .y = 40, .width = 90, .height = 40,
       .style = host::BS_GROUPBOX},
      {.id = 13, .kind = ControlKind::Edit, .x = 10, .y = 50, .width = 40, .height = 14},
      {.id = 14, .kind = ControlKind::UpDown, .x = 45, .y = 50, .width = 10, .height = 14},
      {.id = 15, .kind = ControlKind::ComboBox, .x = 100, .y = 40, .width = 60, .height = 80},
      {.id = 16, .kind = ControlKind::Static, .x = 100, .y = 60, .width = 60, .height = 8},
  };
  const DialogSpec dialog{.templateId = 1, .width = 200, .height = 100, .controls = controls};
  EXPECT_EQ(LayoutProblems(dialog, false),
            (std::vector<std::string>{"controls 10 and 10 overlap", "id 10 used twice",
                                      "control 11 outside the dialog"}));
  const DialogSpec page{.templateId = 2, .width = 260, .height = 100, .controls = {}};
  EXPECT_EQ(LayoutProblems(page, true),
            std::vector<std::string>{"page larger than a property sheet holds"});
}

}  // namespace
}  // namespace kx::ui
