#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/registry.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/test_printer.h"

namespace kx::settings {
namespace {

std::unique_ptr<PrivateRecord> DefaultRecord(platform::PrinterHandle printer) {
  auto record = std::make_unique<PrivateRecord>();
  std::memset(record.get(), 0xCD, sizeof(PrivateRecord));
  EXPECT_TRUE(SetRecordDefaults(record.get(), printer));
  return record;
}

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (previous_.empty()) {
      unsetenv(name_);
    } else {
      setenv(name_, previous_.c_str(), 1);
    }
  }

 private:
  const char* name_;
  std::string previous_;
};

TEST(RecordDefaultsTest, FreshRecordHoldsTheBuiltInDefaults) {
  test::TestPrinter printer(u"Defaults", u"/opt/ppd/printer.ppd");
  auto record = DefaultRecord(printer.handle());
  EXPECT_EQ(record->dwSize, 5816u);
  EXPECT_EQ(record->dwSignature, 0x4A57u);
  EXPECT_EQ(record->dwVersion, 1u);
  EXPECT_EQ(record->spare, 0u);
  EXPECT_EQ(record->qualityMode, 2);
  EXPECT_EQ(record->fieldAt560, 8);
  EXPECT_EQ(record->printPsErrors, 1u);
  EXPECT_EQ(record->autoContinue, 1u);
  EXPECT_EQ(record->fieldAt4692, 3);
  EXPECT_EQ(record->colorMode, 2);
  EXPECT_EQ(record->imageIntent, 3);
  EXPECT_EQ(record->imageProcessGray, 1);
  EXPECT_EQ(record->devOpts.installedOptions[kHasHardDisk], 0);
  EXPECT_EQ(FieldText(record->devOpts.snmpCommunity), u"kestra");
  EXPECT_EQ(FieldText(record->ppdFileName), u"/opt/ppd/printer.ppd");
  for (const OverlayEntry& overlay : record->overlays) {
    EXPECT_EQ(overlay.enabled, 0u);
    EXPECT_EQ(overlay.firstPage, 1u);
    EXPECT_EQ(overlay.period, 1u);
  }
  // The padding is written too, so a record's bytes never carry leftovers.
  EXPECT_EQ(record->padding2498[0], 0);
  EXPECT_EQ(record->padding4694[1], 0);
}

TEST(RecordDefaultsTest, WatermarkDefaultsDifferOnlyInEnabled) {
  WatermarkRecord job{};
  WatermarkRecord fresh{};
  SetWatermarkJobDefault(&job);
  SetWatermarkNewDefault(&fresh);
  EXPECT_EQ(job.enabled, 0u);
  EXPECT_EQ(fresh.enabled, 1u);
  fresh.enabled = 0;
  EXPECT_EQ(std::memcmp(&job, &fresh, sizeof(job)), 0);
  EXPECT_EQ(job.shadeOrColour, 50);
  EXPECT_EQ(job.fontSize, 72);
  EXPECT_EQ(job.angle, 45);
  EXPECT_EQ(job.background, 1u);
}

TEST(RecordDefaultsTest, WatermarkFontFollowsTheOemCodePage) {
  {
    ScopedEnvironment oem("KX48T7_OEMCP", "932");
    WatermarkRecord watermark{};
    SetWatermarkJobDefault(&watermark);
    EXPECT_EQ(FieldText(watermark.fontName), u"HeiseiMin-W3-90ms-RKSJ-H");
  }
  ScopedEnvironment oem("KX48T7_OEMCP", "949");
  WatermarkRecord watermark{};
  SetWatermarkJobDefault(&watermark);
  EXPECT_EQ(FieldText(watermark.fontName), u"Courier");
}

// The plug-in prints the watermark from its ANSI copy: a new text replaces the whole of an
// earlier, longer one, in the code page named beside it.
TEST(RecordDefaultsTest, WatermarkAnsiCopyReplacesTheEarlierText) {
  ScopedEnvironment acp("KX48T7_ACP", "949");
  PrivateRecord record{};
  std::strcpy(record.watermarkTextAnsi, "AN EARLIER AND LONGER WATERMARK");
  StoreText(record.watermark.text, u"대외비");
  StoreAnsiWatermarkText(&record);
  EXPECT_STREQ(record.watermarkTextAnsi, "\xB4\xEB\xBF\xDC\xBA\xF1");
  EXPECT_EQ(std::strlen(record.watermarkTextAnsi + 7), 0u);  // nothing of the earlier text
  EXPECT_EQ(record.watermarkCodePage, 949);
}

TEST(RecordDefaultsTest, PrinterWithoutDriverInformationKeepsAnEmptyPath) {
  test::TempStore store;
  auto record = DefaultRecord(nullptr);
  EXPECT_EQ(FieldText(record->ppdFileName), u"");
  EXPECT_EQ(record->dwSize, 5816u);
}

class MergeRecordTest : public ::testing::Test {
 protected:
  test::TestPrinter printer_{u"Merge"};
  std::unique_ptr<PrivateRecord> source_ = DefaultRecord(printer_.handle());
  std::unique_ptr<PrivateRecord> destination_ = DefaultRecord(printer_.handle());
};

TEST_F(MergeRecordTest, CopiesEverySettingOfTheSourceAndRepairsTheHeader) {
  source_->negativeImage = 1;
  source_->pageCounter = 7;
  StoreText(source_->jobName, u"Quarterly");
  source_->dwVersion = 9;
  source_->spare = 42;
  ASSERT_TRUE(MergeRecord(source_.get(), destination_.get(), printer_.handle()));
  EXPECT_EQ(destination_->negativeImage, 1u);
  EXPECT_EQ(destination_->pageCounter, 7);
  EXPECT_EQ(FieldText(destination_->jobName), u"Quarterly");
  EXPECT_EQ(destination_->dwVersion, 1u);
  EXPECT_EQ(destination_->spare, 42u);
}

TEST_F(MergeRecordTest, ShortSourceCopiesOnlyItsOwnBytes) {
  source_->dwSize = 100;
  source_->qualityMode = 4;      // offset 538: beyond the first 100 bytes
  source_->pageCounter = 5;      // offset 16: within them
  ASSERT_TRUE(MergeRecord(source_.get(), destination_.get(), printer_.handle()));
  EXPECT_EQ(destination_->pageCounter, 5);
  EXPECT_EQ(destination_->qualityMode, 2);
  EXPECT_EQ(destination_->dwSize, 5816u);
  EXPECT_EQ(destination_->dwSignature, 0x4A57u);
  EXPECT_EQ(destination_->dwVersion, 1u);
}

TEST_F(MergeRecordTest, OversizedClaimNeverCopiesPastARecord) {
  // Exactly one record each, so a copy beyond it is caught by the address sanitizer.
  std::vector<uint8_t> source(sizeof(PrivateRecord));
  std::vector<uint8_t> destination(sizeof(PrivateRecord));
  std::memcpy(source.data(), source_.get(), sizeof(PrivateRecord));
  std::memcpy(destination.data(), destination_.get(), sizeof(PrivateRecord));
  auto* from = reinterpret_cast<PrivateRecord*>(source.data());
  auto* to = reinterpret_cast<PrivateRecord*>(destination.data());
  from->dwSize = 0xFFFFFFFF;
  to->dwSize = 0x7FFFFFFF;
  from->autoContinue = 0;
  ASSERT_TRUE(MergeRecord(from, to, printer_.handle()));
  EXPECT_EQ(to->dwSize, 5816u);
  EXPECT_EQ(to->autoContinue, 0u);
}

TEST_F(MergeRecordTest, ForeignSignatureOnlyRepairsTheDestinationHeader) {
  source_->dwSignature = 0x1234;
  source_->negativeImage = 1;
  destination_->dwSize = 10;
  destination_->dwVersion = 3;
  destination_->spare = 77;
  StoreText(destination_->devOpts.userName, u"kept");
  printer_.SetDevOpts(std::vector<uint8_t>(kDeviceOptionsSize, 0));  // must not be read
  ASSERT_TRUE(MergeRecord(source_.get(), destination_.get(), printer_.handle()));
  EXPECT_EQ(destination_->dwSize, 5816u);
  EXPECT_EQ(destination_->dwSignature, 0x4A57u);
  EXPECT_EQ(destination_->dwVersion, 1u);
  EXPECT_EQ(destination_->spare, 0u);
  EXPECT_EQ(destination_->negativeImage, 0u);
  EXPECT_EQ(FieldText(destination_->devOpts.userName), u"kept");
}

TEST_F(MergeRecordTest, DeviceOptionsComeFromThePrinterData) {
  DeviceOptions stored{};
  SetDeviceOptionsDefaults(&stored);
  stored.installedOptions[kHasHardDisk] = 1;
  StoreText(stored.userName, u"kim");
  StoreText(stored.snmpCommunity, u"private");
  std::vector<uint8_t> bytes(kDeviceOptionsSize);
  std::memcpy(bytes.data(), &stored, kDeviceOptionsSize);
  printer_.SetDevOpts(bytes);
  StoreText(source_->devOpts.userName, u"from the job");
  ASSERT_TRUE(MergeRecord(source_.get(), destination_.get(), printer_.handle()));
  EXPECT_EQ(std::memcmp(&destination_->devOpts, &stored, kDeviceOptionsSize), 0);
}

// Only a binary value of exactly the block's size is a block: anything else would leave
// part of the block as it was or fill it with bytes of another meaning.
TEST_F(MergeRecordTest, PrinterDataThatIsNoBlockFallsBackToDefaults) {
  struct Case {
    const char* name;
    uint32_t type;
    size_t size;  // 0: no value stored
  };
  const Case cases[] = {
      {"no DevOpts", platform::kRegBinary, 0},
      {"oversized DevOpts", platform::kRegBinary, kDeviceOptionsSize + 1},
      {"short DevOpts", platform::kRegBinary, kDeviceOptionsSize - 1},
      {"DevOpts of another type", platform::kRegSz, kDeviceOptionsSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.size != 0) {
      const std::vector<uint8_t> bytes(c.size, 0x41);
      ASSERT_EQ(platform::SetPrinterData(printer_.handle(), u"DevOpts", c.type, bytes.data(),
                                         static_cast<uint32_t>(bytes.size())),
                0u);
    }
    auto source = DefaultRecord(printer_.handle());
    StoreText(source->devOpts.userName, u"lee");
    StoreText(source->devOpts.hostName, u"desk-7");
    StoreText(source->devOpts.chargeNumber, u"42");
    StoreText(source->devOpts.snmpCommunity, u"other");
    std::strcpy(source->devOpts.userNameUtf8, "lee");
    source->devOpts.installedOptions[3] = 1;
    ASSERT_TRUE(MergeRecord(source.get(), destination_.get(), printer_.handle()));
    const DeviceOptions& options = destination_->devOpts;
    EXPECT_EQ(FieldText(options.snmpCommunity), u"kestra");
    EXPECT_EQ(FieldText(options.userName), u"");
    EXPECT_EQ(FieldText(options.hostName), u"");
    EXPECT_EQ(FieldText(options.chargeNumber), u"");
    EXPECT_EQ(FieldText(options.userNameUtf8), "");
    EXPECT_EQ(options.installedOptions[3], 0);
  }
}

TEST_F(MergeRecordTest, MissingRecordFails) {
  EXPECT_FALSE(MergeRecord(nullptr, destination_.get(), printer_.handle()));
  EXPECT_FALSE(MergeRecord(source_.get(), nullptr, printer_.handle()));
  EXPECT_FALSE(ValidateRecord(nullptr));
  EXPECT_FALSE(SetRecordDefaults(nullptr, printer_.handle()));
}

TEST(ValidateRecordTest, RepairsTheHeaderAndKeepsSpareWithinRange) {
  struct Case {
    uint32_t spare;
    uint32_t expected;
  };
  const Case cases[] = {{150, 0}, {100, 100}, {0, 0}, {101, 0},
                        {static_cast<uint32_t>(-5), static_cast<uint32_t>(-5)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int32_t>(c.spare));
    PrivateRecord record{};
    record.spare = c.spare;
    ASSERT_TRUE(ValidateRecord(&record));
    EXPECT_EQ(record.spare, c.expected);
    EXPECT_EQ(record.dwSize, 5816u);
    EXPECT_EQ(record.dwSignature, 0x4A57u);
    EXPECT_EQ(record.dwVersion, 1u);
  }
}

}  // namespace
}  // namespace kx::settings
