// The installed flags: their defaults from the PPD, the device settings page's two lists
// and the host's installable-option items.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialog_fixture.h"
#include "hostsim/driver_ui_interface.h"
#include "hostsim/host_items.h"
#include "installable_options.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "settings/printer_defaults.h"
#include "settings/record_text.h"
#include "support/temp_store.h"
#include "settings/record_ops.h"
#include "support/installed_options.h"
#include "support/test_ppd.h"

namespace kx::ui {
namespace {

using namespace host;
using test::Flags;
using test::FlagsOf;
using test::InstallableGroup;

// A yes/no installable feature listing True first or False first.
std::string BooleanFeature(const std::string& feature, const std::string& defaultOption,
                           bool trueFirst = false) {
  std::vector<std::string> options = {"False/Not Installed", "True/Installed"};
  if (trueFirst) std::swap(options[0], options[1]);
  return test::PickOneFeature(feature, defaultOption, options);
}

using PpdPointer = settings::PpdHandle;

class InstallableOptionsTest : public ::testing::Test {
 protected:
  PpdPointer Open(const std::string& body) {
    const std::string path =
        test::WriteTestPpd(store_.directory(), "printer" + std::to_string(++count_) + ".ppd", body);
    PpdPointer image(ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str()), ppd::PpdClose);
    EXPECT_NE(image, nullptr) << body;
    return image;
  }
  test::TempStore store_;
  int count_ = 0;
};

TEST_F(InstallableOptionsTest, DefaultsFromThePpdDefaultOptions) {
  struct Case {
    const char* what;
    std::string features;
    test::FlagList expected;
  };
  const Case cases[] = {
      {"disk default True, False listed first", BooleanFeature("OptionalDisk", "True"), Flags({0})},
      {"disk default True, True listed first", BooleanFeature("OptionalDisk", "True", true),
       Flags({0})},
      {"disk default False, True listed first", BooleanFeature("OptionalDisk", "False", true),
       Flags({})},
      {"tray 1 (OptionalBin), tray 2, duplexer and feeder",
       BooleanFeature("OptionalBin", "True") + BooleanFeature("OptionalBin2", "True", true) +
           BooleanFeature("Optionalduplexer", "True") + BooleanFeature("Optionalfeeder", "True"),
       Flags({1, 2, 3, 7})},
      {"an envelope feeder, stacker, finisher, mailbox, multires or tray 3 is never assumed",
       BooleanFeature("Optionalenvelope", "True") + BooleanFeature("Optionalstacker", "True") +
           BooleanFeature("Optionalfinisher", "True") + BooleanFeature("OptionalMailbox", "True") +
           BooleanFeature("Optionalmultires", "True") + BooleanFeature("OptionalBin3", "True"),
       Flags({})},
      {"only OptionalBin itself gives tray 1's default", BooleanFeature("OptionalBin1", "True"),
       Flags({})},
      {"a keyword that begins with True says installed",
       test::PickOneFeature("OptionalDisk", "True80GB", {"None", "True80GB"}), Flags({0})},
      {"any other keyword says not installed",
       test::PickOneFeature("OptionalDisk", "Installed", {"None", "Installed"}), Flags({})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const PpdPointer image = Open(InstallableGroup(c.features));
    settings::DeviceOptions options;
    std::memset(&options, 0xEE, sizeof(options));
    DefaultDeviceOptions(&options, image.get());
    EXPECT_EQ(FlagsOf(options), c.expected);
    EXPECT_EQ(settings::FieldText(options.snmpCommunity), u"kestra");
  }
}

TEST_F(InstallableOptionsTest, DefaultsWithoutPpdAreAllClearWithTheCommunityOnly) {
  settings::DeviceOptions options;
  std::memset(&options, 0xEE, sizeof(options));
  DefaultDeviceOptions(&options, nullptr);
  EXPECT_EQ(FlagsOf(options), Flags({}));
  EXPECT_EQ(settings::FieldText(options.snmpCommunity), u"kestra");
  for (const std::u16string_view text :
       {settings::FieldText(options.userName), settings::FieldText(options.hostName),
        settings::FieldText(options.chargeNumber), settings::FieldText(options.printerAddress)}) {
    EXPECT_TRUE(text.empty());
  }
  EXPECT_EQ(settings::FieldText(options.userNameUtf8), "");
  DefaultDeviceOptions(nullptr, nullptr);  // nothing to fill
}

// ---- The device settings page's lists ----

constexpr platform::ControlSpec kListControls[] = {
    {.id = kHostNameEdit, .kind = platform::ControlKind::Edit, .width = 80, .height = 12},
    {.id = kChargeNumberEdit, .kind = platform::ControlKind::Edit, .y = 14, .width = 80,
     .height = 12},
    {.id = kPrinterAddressEdit, .kind = platform::ControlKind::Edit, .y = 28, .width = 80,
     .height = 12},
    {.id = kAvailableOptionsList, .kind = platform::ControlKind::ListBox, .y = 42, .width = 80,
     .height = 60, .style = LBS_NOTIFY | WS_VSCROLL},
    {.id = kInstalledOptionsList, .kind = platform::ControlKind::ListBox, .x = 100, .y = 42,
     .width = 80, .height = 60, .style = LBS_NOTIFY | WS_VSCROLL},
    {.id = kRemoveOptionButton, .kind = platform::ControlKind::Button, .caption = "<<", .y = 110,
     .width = 40, .height = 14},
    {.id = kAddOptionButton, .kind = platform::ControlKind::Button, .caption = ">>", .x = 50,
     .y = 110, .width = 40, .height = 14},
};
constexpr platform::DialogSpec kListSpec = {
    .templateId = 991, .caption = "lists", .width = 200, .height = 130, .controls = kListControls};

using ListItems = std::vector<std::pair<std::u16string, LRESULT>>;

ListItems ListContents(HWND dialog, int id) {
  ListItems items;
  const LRESULT count = platform::SendDlgItemMessage(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const auto at = static_cast<WPARAM>(index);
    const LRESULT length = platform::SendDlgItemMessage(dialog, id, LB_GETTEXTLEN, at, 0);
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    platform::SendDlgItemMessage(dialog, id, LB_GETTEXT, at, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.emplace_back(text, platform::SendDlgItemMessage(dialog, id, LB_GETITEMDATA, at, 0));
  }
  return items;
}

void AddJunk(HWND dialog, int id) {
  platform::SendDlgItemMessage(dialog, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"old"));
}

class OptionListsTest : public InstallableOptionsTest {
 protected:
  void SetUp() override {
    for (const int id : {kAvailableOptionsList, kInstalledOptionsList}) AddJunk(dialog_.get(), id);
    for (const int id : {kAddOptionButton, kRemoveOptionButton}) {
      platform::EnableWindow(dialog_.item(id), true);
    }
    settings::SetDeviceOptionsDefaults(&working_);
    settings::StoreText(working_.chargeNumber, u"0042");
    settings::StoreText(working_.hostName, u"DESK-7");
    settings::StoreText(working_.printerAddress, u"10.0.0.5");
  }
  LRESULT FlagAddress(size_t flag) {
    return reinterpret_cast<LRESULT>(&working_.installedOptions[flag]);
  }
  void ExpectButtonsDisabled() {
    EXPECT_FALSE(platform::IsWindowEnabled(dialog_.item(kAddOptionButton)));
    EXPECT_FALSE(platform::IsWindowEnabled(dialog_.item(kRemoveOptionButton)));
  }

  test::TestDialog dialog_{kListSpec};
  settings::DeviceOptions working_{};
};

TEST_F(OptionListsTest, FeaturesGoToTheListOfTheirFlagWithTheFlagAsData) {
  // Feeder is an ordinary feature here, so it is no installable option; the memory and a
  // tray keyword followed by more are none of the table's.
  const PpdPointer image = Open(
      BooleanFeature("Optionalfeeder", "False") +
      InstallableGroup(test::PickOneFeature("OptionalDisk/Hard Disk", "False", {"False", "True"}) +
                  test::PickOneFeature("Optionalduplexer2/Duplex Unit", "False", {"False", "True"}) +
                  test::PickOneFeature("OptionalBin3/Tray 5", "False", {"False", "True"}) +
                  test::PickOneFeature("OptionalMemory/Memory", "None", {"None", "256MB"}) +
                  test::PickOneFeature("OptionalBin1x/Odd Tray", "False", {"False", "True"}) +
                  test::PickOneFeature("Optionalstacker", "False", {"False", "True"})));
  working_.installedOptions[0] = 1;
  working_.installedOptions[4] = 1;
  working_.installedOptions[7] = 1;
  FillOptionLists(dialog_.get(), image.get(), &working_);

  EXPECT_EQ(platform::GetDlgItemText(dialog_.get(), kChargeNumberEdit), u"0042");
  EXPECT_EQ(platform::GetDlgItemText(dialog_.get(), kHostNameEdit), u"DESK-7");
  EXPECT_EQ(platform::GetDlgItemText(dialog_.get(), kPrinterAddressEdit), u"10.0.0.5");
  EXPECT_EQ(ListContents(dialog_.get(), kInstalledOptionsList),
            (ListItems{{u"Hard Disk", FlagAddress(0)}, {u"Tray 5", FlagAddress(4)}}));
  EXPECT_EQ(ListContents(dialog_.get(), kAvailableOptionsList),
            (ListItems{{u"Duplex Unit", FlagAddress(1)}, {u"Optionalstacker", FlagAddress(9)}}));
  ExpectButtonsDisabled();
}

TEST_F(OptionListsTest, WithoutPpdOrWorkingCopyTheListsAreEmptied) {
  const PpdPointer image = Open(InstallableGroup(BooleanFeature("OptionalDisk", "True")));
  struct Case {
    const char* what;
    const ppd::PpdImage* image;
    settings::DeviceOptions* working;
    std::u16string address;
  };
  const Case cases[] = {
      {"no PPD", nullptr, &working_, u"10.0.0.5"},
      {"no working copy", image.get(), nullptr, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TestDialog dialog(kListSpec);
    for (const int id : {kAvailableOptionsList, kInstalledOptionsList}) AddJunk(dialog.get(), id);
    FillOptionLists(dialog.get(), c.image, c.working);
    EXPECT_TRUE(ListContents(dialog.get(), kAvailableOptionsList).empty());
    EXPECT_TRUE(ListContents(dialog.get(), kInstalledOptionsList).empty());
    EXPECT_EQ(platform::GetDlgItemText(dialog.get(), kPrinterAddressEdit), c.address);
    EXPECT_FALSE(platform::IsWindowEnabled(dialog.item(kAddOptionButton)));
  }
}

// ---- The host's installable-option items ----

class InstalledHostItemsTest : public InstallableOptionsTest {
 protected:
  // The host's printer items for the PPD, in a parameter block as CommonUIProp gives it.
  void Build(const ppd::PpdImage* image) {
    items_ = std::make_unique<hostsim::HostItems>(image, hostsim::HostItems::Tree::Printer);
    param_ = OEMCUIPPARAM{};
    param_.cbSize = sizeof(param_);
    param_.poemuiobj = &uiObject_;
    param_.pDrvOptItems = items_->data();
    param_.cDrvOptItems = items_->count();
    context_.commonUi = &param_;
    context_.driverInterface = &driver_;
  }
  // The choice an item shows.
  std::u16string Shown(const std::u16string& name) {
    const OPTITEM* item = items_->Find(name);
    return item != nullptr ? hostsim::HostItems::SelectedChoice(*item) : u"(no item)";
  }
  bool Changed(const std::u16string& name) {
    const OPTITEM* item = items_->Find(name);
    return item != nullptr && hostsim::HostItems::Changed(*item);
  }

  int uiObject_ = 0;
  std::unique_ptr<hostsim::HostItems> items_;
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  hostsim::DriverUIInterface driver_;
};

TEST_F(InstalledHostItemsTest, ItemsShowTheChoiceOfTheirFlagWhateverTheOptionOrder) {
  for (const bool trueFirst : {false, true}) {
    SCOPED_TRACE(trueFirst ? "True listed first" : "False listed first");
    // Every default says the opposite of the flags below, so each selection must move.
    const PpdPointer image = Open(InstallableGroup(
        BooleanFeature("OptionalDisk/Hard Disk", "False", trueFirst) +
        BooleanFeature("Optionalduplexer/Duplex Unit", "True", trueFirst) +
        BooleanFeature("OptionalBin3x/Tray 5", "False", trueFirst) +
        BooleanFeature("Optionalduplexer2/Other Duplexer", "False", trueFirst) +
        test::PickOneFeature("OptionalBin2/Tray 4", "No", {"No/Absent", "Yes/Present"}) +
        test::PickOneFeature("OptionalMemory/Memory", "None", {"None", "256MB"})));
    Build(image.get());
    const test::FlagList flags = Flags({0, 3, 4});
    InstalledFlags installed{};
    std::copy(flags.begin(), flags.end(), installed);
    driver_.ClearRecords();

    PutInstalledFlagsIntoHostItems(context_, image.get(), installed);

    EXPECT_EQ(Shown(u"Hard Disk"), u"Installed");
    EXPECT_EQ(Shown(u"Duplex Unit"), u"Not Installed");
    EXPECT_EQ(Shown(u"Tray 5"), u"Installed");  // numbered trays compare as prefixes
    for (const char16_t* name : {u"Hard Disk", u"Duplex Unit", u"Tray 5"}) {
      EXPECT_TRUE(Changed(name)) << platform::Utf16ToUtf8(name);
    }
    // The duplexer compares whole here; tray 4 has no True or False; the memory has no
    // flag: all three keep their selection.
    EXPECT_EQ(Shown(u"Other Duplexer"), u"Not Installed");
    EXPECT_EQ(Shown(u"Tray 4"), u"Absent");
    EXPECT_EQ(Shown(u"Memory"), u"None");
    for (const char16_t* name : {u"Other Duplexer", u"Tray 4", u"Memory"}) {
      EXPECT_FALSE(Changed(name)) << platform::Utf16ToUtf8(name);
    }
    // Every item of an installable feature is announced, in the PPD's order, with the
    // selection already set.
    std::vector<std::u16string> announced;
    for (const hostsim::UiSettingUpdate& update : driver_.updates()) {
      announced.push_back(hostsim::HostItems::Name(*update.item));
      EXPECT_EQ(update.driverObject, &uiObject_);
      EXPECT_EQ(update.previousSelection, 0u);
      EXPECT_EQ(update.mode, OEMCUIP_PRNPROP_UPDATE);
      EXPECT_EQ(update.selectionAtCall, update.item->Sel);
    }
    EXPECT_EQ(announced, (std::vector<std::u16string>{u"Hard Disk", u"Duplex Unit", u"Tray 5",
                                                      u"Other Duplexer", u"Tray 4", u"Memory"}));
  }
}

TEST_F(InstalledHostItemsTest, NothingToDoWithoutItemsPpdOrDriverInterface) {
  const PpdPointer image = Open(InstallableGroup(BooleanFeature("OptionalDisk/Hard Disk", "False")));
  InstalledFlags installed{};
  installed[0] = 1;

  PutInstalledFlagsIntoHostItems(PageSetContext{}, image.get(), installed);  // no items

  Build(image.get());
  PutInstalledFlagsIntoHostItems(context_, nullptr, installed);
  EXPECT_EQ(Shown(u"Hard Disk"), u"Not Installed");
  EXPECT_TRUE(driver_.updates().empty());

  context_.driverInterface = nullptr;
  PutInstalledFlagsIntoHostItems(context_, image.get(), installed);
  EXPECT_EQ(Shown(u"Hard Disk"), u"Installed");
  EXPECT_TRUE(driver_.updates().empty());
}

}  // namespace
}  // namespace kx::ui
