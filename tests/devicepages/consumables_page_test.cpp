// The consumables page alone in a sheet over a context of the test's own, with the
// printer's answer prepared: the rows each answer gives, the message when there is none,
// Refresh, the printer's web page and the page's help.
#include "device/consumables_page.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "consumables_view.h"
#include "device/consumables_layout.h"
#include "device/printer_address.h"
#include "device/printer_query.h"
#include "hostsim/host_sheet.h"
#include "page_set.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/test_printer.h"

namespace kx::ui {
namespace {

using device::PrinterAnswer;
using device::SupplyRecord;
using Rows = std::vector<std::string>;

constexpr int32_t kToner = 3;
constexpr int32_t kWasteToner = 4;
constexpr int32_t kPhotoconductor = 9;
constexpr int32_t kFuser = 15;       // a type the page does not show
constexpr uint32_t kTimedOut = 1460;  // a failed request's error code
constexpr char16_t kStoredAddress[] = u"10.0.0.5";
constexpr char16_t kStoredCommunity[] = u"private";

// The page's Korean texts, as UTF-8.
constexpr char kPrintUnitText[] = "프린트 유닛:";
constexpr char kReadyWord[] = "준비됨";

SupplyRecord Supply(int32_t type, int32_t level, int32_t maximum, const std::string& name,
                    const char* unit = "") {
  SupplyRecord record{};
  record.type = type;
  record.level = level;
  record.maximum = maximum;
  std::strncpy(record.description, name.c_str(), sizeof record.description - 1);
  std::strncpy(record.unit, unit, sizeof record.unit - 1);
  return record;
}

PrinterAnswer Answered(const std::vector<SupplyRecord>& supplies, int count = -1) {
  PrinterAnswer answer;
  answer.status = device::kStatusAnswered;
  for (size_t i = 0; i < supplies.size() && i < answer.supplies.size(); ++i) {
    answer.supplies[i] = supplies[i];
  }
  answer.supplyCount = count >= 0 ? count : static_cast<int>(supplies.size());
  return answer;
}

PrinterAnswer NotAnswered() {
  PrinterAnswer answer;
  answer.status = kTimedOut;
  return answer;
}

std::vector<SupplyRecord> Toners(int count) {
  std::vector<SupplyRecord> toners;
  for (int i = 0; i < count; ++i) toners.push_back(Supply(kToner, i, 100, "T" + std::to_string(i)));
  return toners;
}

// What the prepared query answers, and what it was asked.
struct Printer {
  PrinterAnswer answer;
  std::vector<std::u16string> communities;
  std::vector<std::u16string> addresses;
};
Printer* preparedPrinter = nullptr;

PrinterAnswer AskPrepared(std::u16string_view community, std::u16string_view address) {
  preparedPrinter->communities.emplace_back(community);
  preparedPrinter->addresses.emplace_back(address);
  return preparedPrinter->answer;
}

bool TakePage(void* context, const std::u16string& page) {
  static_cast<std::vector<std::u16string>*>(context)->push_back(page);
  return true;
}

class ConsumablesPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    preparedPrinter = &printer_;
    device::SetPrinterQuery(&AskPrepared);
    platform::SetPageReceiver(&TakePage, &pagesOpened_);
  }
  void TearDown() override {
    sheet_.reset();
    platform::SetPageReceiver(nullptr, nullptr);
    device::SetPrinterQuery(nullptr);
    preparedPrinter = nullptr;
  }

  void StoreDeviceOptions() {
    settings::DeviceOptions stored{};
    settings::StoreText(stored.snmpCommunity, kStoredCommunity);
    settings::StoreText(stored.printerAddress, kStoredAddress);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&stored);
    testPrinter_.SetDevOpts(std::vector<uint8_t>(bytes, bytes + sizeof(stored)));
  }

  // Shows the page with the printer answering `answer`.
  void Open(const PrinterAnswer& answer) {
    StoreDeviceOptions();
    printer_.answer = answer;
    param_.cbSize = sizeof(param_);
    param_.hPrinter = testPrinter_.handle();
    param_.pPrinterName = printerName_.data();
    context_.commonUi = &param_;
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(ConsumablesPageSpec(), ConsumablesPageProcedure,
                                                reinterpret_cast<host::LPARAM>(&context_),
                                                &error);
    ASSERT_NE(sheet_, nullptr) << error;
    sheet_->SetActive(0);
  }

  void Refresh(const PrinterAnswer& answer) {
    printer_.answer = answer;
    ASSERT_TRUE(sheet_->Click(0, kRefreshButton));
  }

  std::string Text(int id) const { return test::ConsumablesText(*sheet_, id); }
  bool Visible(int id) const { return sheet_->Visible(0, id); }
  Rows ShownRows() const { return test::ShownSupplyRows(*sheet_); }
  size_t VisibleRowControls() const { return test::VisibleSupplyRowControls(*sheet_); }
  // The printer's page is offered whenever the printer answered, supplies or not.
  void ExpectNoInformation(bool answered = false) {
    EXPECT_TRUE(Visible(kConsumablesMessage));
    if (korean()) {
      EXPECT_EQ(Text(kConsumablesMessage), "소모품 정보 없음");
    }
    EXPECT_FALSE(Visible(kColumnHeading));
    EXPECT_FALSE(Visible(kGroupLabel));
    EXPECT_EQ(VisibleRowControls(), 0u);
    EXPECT_EQ(sheet_->Enabled(0, kBrowserButton), answered);
  }
  // The printer was asked at the address its port gives, else at the stored one.
  std::u16string AddressAsked() const {
    const std::u16string port = device::LookUpPrinterAddress(printerName_);
    return port.empty() ? std::u16string(kStoredAddress) : port;
  }

  bool korean() const { return codePages_.active(); }

  test::SystemCodePages codePages_{nullptr, nullptr};
  std::u16string printerName_ = platform::Utf8ToUtf16(
      std::string("Consumables ") +
      ::testing::UnitTest::GetInstance()->current_test_info()->name());
  test::TestPrinter testPrinter_{printerName_};
  Printer printer_;
  std::vector<std::u16string> pagesOpened_;
  host::OEMCUIPPARAM param_{};
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
};

TEST_F(ConsumablesPageTest, EachAnswerShowsItsRows) {
  struct Case {
    const char* what;
    PrinterAnswer answer;
    Rows rows;
    const char* groupLabel;  // null: not checked
    bool needsKorean;        // the rows hold the page's own Korean texts
  };
  const std::string longName(255, 'n');
  const Rows tonerRows = {"T0|bar 0|0 %",    "T1|bar 1|1 %",    "T2|bar 2|2 %",
                          "T3|bar 3|3 %",    "T4|bar 4|4 %",    "T5|bar 5|5 %",
                          "T6|bar 6|6 %",    "T7|bar 7|7 %",    "T8|bar 8|8 %",
                          "T9|bar 9|9 %",    "T10|bar 10|10 %", "T11|bar 11|11 %",
                          "T12|bar 12|12 %", "T13|bar 13|13 %", "T14|bar 14|14 %"};
  const Rows fourteenToners(tonerRows.begin(), tonerRows.end() - 1);
  std::vector<SupplyRecord> fourteenAndAUnit = Toners(14);
  fourteenAndAUnit.push_back(Supply(kPhotoconductor, 5, 10, "Drum"));
  Rows fourteenAndHeading = fourteenToners;
  fourteenAndHeading.push_back(kPrintUnitText);
  std::vector<SupplyRecord> fifteenUnits;
  Rows fifteenUnitRows;
  for (int i = 0; i < 15; ++i) {
    fifteenUnits.push_back(Supply(kPhotoconductor, i, 0, "D" + std::to_string(i), "pages"));
    fifteenUnitRows.push_back("D" + std::to_string(i) + "|pages");
  }

  const Case cases[] = {
      {"four toners",
       Answered({Supply(kToner, 80, 100, "Cyan"), Supply(kToner, 55, 100, "Magenta"),
                 Supply(kToner, 0, 100, "Yellow"), Supply(kToner, 100, 100, "Black")}),
       {"Cyan|bar 80|80 %", "Magenta|bar 55|55 %", "Yellow|bar 0|0 %", "Black|bar 100|100 %"},
       "토너", false},
      {"waste toner without capacity, some left",
       Answered({Supply(kWasteToner, -3, -2, "Waste")}),
       {std::string("Waste|word ") + kReadyWord}, "토너", true},
      {"a level of -3 out of 100 shows its percent and an empty bar",
       Answered({Supply(kToner, -3, 100, "Black")}), {"Black|bar 0|-3 %"}, nullptr, false},
      {"a toner of maximum 0 shows only its name",
       Answered({Supply(kToner, 40, 0, "Black")}), {"Black"}, nullptr, false},
      {"print units alone take the group label and no heading row",
       Answered({Supply(kPhotoconductor, 50, 100, "Drum A"),
                 Supply(kPhotoconductor, 7, 0, "Drum B", "pages")}),
       {"Drum A|bar 50|50 %", "Drum B|pages"}, kPrintUnitText, false},
      {"print units below the toners get one heading row; other types are left out",
       Answered({Supply(kPhotoconductor, 1, 4, "Drum"), Supply(kFuser, 9, 10, "Fuser"),
                 Supply(kToner, 30, 60, "Black"), Supply(kPhotoconductor, 3, 4, "Belt")}),
       {"Black|bar 50|50 %", kPrintUnitText, "Drum|bar 25|25 %", "Belt|bar 75|75 %"}, "토너",
       true},
      {"fourteen toners leave the last row to the heading, the print unit is not shown",
       Answered(fourteenAndAUnit), fourteenAndHeading, "토너", true},
      {"fifteen print units fill every row", Answered(fifteenUnits), fifteenUnitRows, nullptr,
       false},
      {"a count beyond the fifteen records shows the fifteen", Answered(Toners(15), 40),
       tonerRows, nullptr, false},
      // Odd answers still give sensible rows.
      {"a long description is cut to what the label holds",
       Answered({Supply(kToner, 1, 2, longName)}), {std::string(128, 'n') + "|bar 50|50 %"},
       nullptr, false},
      {"a level above the maximum tells its percent over a full bar",
       Answered({Supply(kToner, 150, 100, "Black"), Supply(kPhotoconductor, 9, 3, "Drum")}),
       {"Black|bar 100|150 %", kPrintUnitText, "Drum|bar 100|300 %"}, nullptr, true},
      {"an unknown maximum (-1) shows no percent",
       Answered({Supply(kToner, 80, -1, "Black"),
                 Supply(kPhotoconductor, 80, -1, "Drum", "pages")}),
       {"Black", kPrintUnitText, "Drum|pages"}, nullptr, true},
      {"the extreme levels neither overflow nor wrap the bar",
       Answered({Supply(kToner, INT32_MIN, 1, "Low"), Supply(kToner, INT32_MAX, 1, "High")}),
       {"Low|bar 0|-214748364800 %", "High|bar 100|214748364700 %"}, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.needsKorean && !korean()) continue;
    Open(c.answer);
    EXPECT_EQ(ShownRows(), c.rows);
    EXPECT_FALSE(Visible(kConsumablesMessage));
    EXPECT_TRUE(Visible(kColumnHeading));
    EXPECT_TRUE(Visible(kGroupLabel));
    if (c.groupLabel != nullptr && korean()) {
      EXPECT_EQ(Text(kGroupLabel), c.groupLabel);
    }
    EXPECT_TRUE(sheet_->Enabled(0, kBrowserButton));
    EXPECT_FALSE(Visible(kShopButton));
    sheet_.reset();
  }
}

TEST_F(ConsumablesPageTest, TitleNamesThePrinter) {
  if (!korean()) GTEST_SKIP() << "the title is Korean text of code page 949";
  Open(Answered({}));
  EXPECT_EQ(sheet_->Text(0, kConsumablesTitle), u"프린터용 소모품 정보" + printerName_);
}

// The state word takes the place of the bar and its text, at a fixed size in pixels.
TEST_F(ConsumablesPageTest, StateWordTakesTheBarsPlace) {
  Open(Answered({Supply(kToner, 80, 100, "Black"), Supply(kWasteToner, -3, -2, "Waste")}));
  host::RECT word{};
  host::RECT bar{};
  ASSERT_TRUE(platform::GetWindowRect(sheet_->Control(0, SupplyRow(1).number), &word));
  ASSERT_TRUE(platform::GetWindowRect(sheet_->Control(0, SupplyRow(0).bar), &bar));
  EXPECT_EQ(word.right - word.left, kStateWordWidth);
  EXPECT_EQ(word.bottom - word.top, kStateWordHeight);
  EXPECT_EQ(word.left, bar.left);
  EXPECT_GT(word.top, bar.top);
  EXPECT_TRUE(Visible(SupplyRow(1).number));
  EXPECT_FALSE(Visible(SupplyRow(1).bar));
  EXPECT_FALSE(Visible(SupplyRow(1).units));
}

TEST_F(ConsumablesPageTest, NoConsumablesShowsTheMessage) {
  struct Case {
    const char* what;
    PrinterAnswer answer;
    bool answered;
  };
  const Case cases[] = {
      {"the printer does not answer", NotAnswered(), false},
      {"a failed query's supplies are not shown",
       [] {
         PrinterAnswer answer = Answered({Supply(kToner, 80, 100, "Black")});
         answer.status = kTimedOut;
         return answer;
       }(),
       false},
      {"the printer answers without supplies", Answered({}), true},
      {"the printer answers only supplies the page does not show",
       Answered({Supply(kFuser, 1, 2, "Fuser")}), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.answer);
    ExpectNoInformation(c.answered);
    sheet_.reset();
  }
}

// Each showing and each Refresh asks again; the page goes from rows to the message and back.
TEST_F(ConsumablesPageTest, RefreshAsksAgain) {
  Open(NotAnswered());
  ExpectNoInformation();
  Refresh(Answered({Supply(kToner, 80, 100, "Black"), Supply(kToner, 20, 100, "Cyan")}));
  EXPECT_EQ(ShownRows(), (Rows{"Black|bar 80|80 %", "Cyan|bar 20|20 %"}));
  EXPECT_FALSE(Visible(kConsumablesMessage));
  EXPECT_TRUE(Visible(kColumnHeading));
  EXPECT_TRUE(Visible(kGroupLabel));
  EXPECT_TRUE(sheet_->Enabled(0, kBrowserButton));
  Refresh(Answered({Supply(kToner, 10, 100, "Black")}));
  EXPECT_EQ(ShownRows(), (Rows{"Black|bar 10|10 %"}));
  Refresh(NotAnswered());
  ExpectNoInformation();
  sheet_->SetActive(0);
  EXPECT_EQ(printer_.addresses.size(), 5u);
}

// The community is the stored one, else the PPD's default; the address is the port's when
// the port is an address, else the stored one. Without any address the printer is not asked.
TEST_F(ConsumablesPageTest, AsksWithTheStoredOptions) {
  Open(NotAnswered());
  ASSERT_EQ(printer_.communities.size(), 1u);
  EXPECT_EQ(printer_.communities[0], kStoredCommunity);
  EXPECT_EQ(printer_.addresses[0], AddressAsked());

  sheet_.reset();
  param_.hPrinter = nullptr;  // no printer data to read: no stored address either
  printer_ = Printer{};
  printer_.answer = Answered({Supply(kToner, 80, 100, "Black")});
  std::string error;
  sheet_ = hostsim::HostSheet::CreateWithPage(ConsumablesPageSpec(), ConsumablesPageProcedure,
                                              reinterpret_cast<host::LPARAM>(&context_), &error);
  ASSERT_NE(sheet_, nullptr) << error;
  sheet_->SetActive(0);
  const std::u16string port = device::LookUpPrinterAddress(printerName_);
  if (port.empty()) {
    EXPECT_TRUE(printer_.communities.empty());
    ExpectNoInformation();
  } else {
    ASSERT_EQ(printer_.communities.size(), 1u);
    EXPECT_EQ(printer_.communities[0], u"kestra");
    EXPECT_EQ(printer_.addresses[0], port);
  }
}

TEST_F(ConsumablesPageTest, SettingOnBrowserOpensThePrintersPage) {
  Open(Answered({Supply(kToner, 80, 100, "Black")}));
  ASSERT_TRUE(sheet_->Enabled(0, kBrowserButton));
  ASSERT_TRUE(sheet_->Click(0, kBrowserButton));
  ASSERT_EQ(pagesOpened_.size(), 1u);
  EXPECT_EQ(pagesOpened_[0], u"http://" + printer_.addresses.back());
  EXPECT_EQ(printer_.addresses.back(), AddressAsked());

  Refresh(NotAnswered());
  EXPECT_FALSE(sheet_->Enabled(0, kBrowserButton));
  sheet_->Click(0, kBrowserButton);
  EXPECT_EQ(pagesOpened_.size(), 1u);
}

TEST_F(ConsumablesPageTest, HelpOpensEachTopicsPage) {
  Open(NotAnswered());
  const struct {
    int control;
    const char* page;
  } cases[] = {
      {0, "105.html"},
      {SupplyRow(0).bar, "1105.html"},
      {SupplyRow(14).bar, "1161.html"},
      {kBrowserButton, "1163.html"},
      {kRefreshButton, "1165.html"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    pagesOpened_.clear();
    if (c.control == 0) {
      sheet_->Help(0);
    } else {
      sheet_->HelpRequest(0, c.control);
    }
    ASSERT_EQ(pagesOpened_.size(), 1u);
    // The topic's page in the help folder, whichever separator the folder ends with.
    const std::string page = platform::Utf16ToUtf8(pagesOpened_[0]);
    const size_t name = page.size() - std::strlen(c.page);
    ASSERT_GT(page.size(), std::strlen(c.page));
    EXPECT_EQ(page.substr(name), c.page);
    EXPECT_TRUE(page[name - 1] == '/' || page[name - 1] == '\\') << page;
  }
}

}  // namespace
}  // namespace kx::ui
