#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "settings/field_table.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/temp_store.h"

namespace kx::settings {
namespace {

class FieldTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SetRecordDefaults(&record_, nullptr)); }

  bool Set(const char* name, const char* value, std::string* error = nullptr) {
    std::string ignored;
    const RecordField* field = FindRecordField(name);
    EXPECT_NE(field, nullptr) << name;
    return field != nullptr &&
           SetRecordField(&record_, *field, value, error != nullptr ? error : &ignored);
  }
  std::string Get(const char* name) { return FormatRecordField(record_, *FindRecordField(name)); }

  test::TempStore store_;
  PrivateRecord record_{};
};

TEST_F(FieldTableTest, FieldsLieWithinTheRecordWithoutOverlapping) {
  std::set<size_t> used;
  for (const RecordField& field : RecordFields()) {
    if (field.alias) continue;
    const size_t unit = field.kind == FieldKind::kWideText ? 2 : 1;
    const size_t bytes = field.kind == FieldKind::kUnsigned || field.kind == FieldKind::kSigned
                             ? field.size
                             : field.size * unit;
    SCOPED_TRACE(field.name);
    ASSERT_LE(field.offset + bytes, kRecordSize);
    for (size_t b = field.offset; b < field.offset + bytes; ++b) {
      ASSERT_TRUE(used.insert(b).second) << "byte " << b << " belongs to two fields";
    }
  }
  // Everything but the 17 bytes of padding is named.
  EXPECT_EQ(used.size(), kRecordSize - 17);
}

TEST_F(FieldTableTest, NumbersRoundTripAndKeepTheirRange) {
  EXPECT_TRUE(Set("qualityMode", "0x0A"));
  EXPECT_EQ(record_.qualityMode, 10);
  EXPECT_TRUE(Set("watermark.offsetX", "-306"));
  EXPECT_EQ(record_.watermark.offsetX, -306);
  EXPECT_EQ(Get("watermark.offsetX"), "-306");
  EXPECT_TRUE(Set("overlays[4].period", "99"));
  EXPECT_EQ(record_.overlays[4].period, 99u);
  EXPECT_TRUE(Set("hasHardDisk", "1"));
  EXPECT_EQ(Get("installedOptions[0]"), "1");

  std::string error;
  EXPECT_FALSE(Set("colorMode", "256", &error));  // one byte
  EXPECT_NE(error.find("colorMode"), std::string::npos);
  EXPECT_FALSE(Set("nupCode", "-1", &error));     // unsigned
  EXPECT_FALSE(Set("jobTimeout", "12abc", &error));
  EXPECT_FALSE(Set("jobTimeout", "", &error));
  EXPECT_TRUE(Set("jobTimeout", "4294967295"));
  EXPECT_FALSE(Set("jobTimeout", "4294967296", &error));
  EXPECT_EQ(record_.jobTimeout, 4294967295u);
  EXPECT_FALSE(Set("watermark.angle", "2147483648", &error));
  EXPECT_TRUE(Set("watermark.angle", "-2147483648"));
}

TEST_F(FieldTableTest, TextIsStoredInTheFieldsOwnEncoding) {
  EXPECT_TRUE(Set("watermark.text", "기밀 문서"));
  EXPECT_EQ(FieldText(record_.watermark.text), u"기밀 문서");
  EXPECT_TRUE(Set("userNameAnsi", "김"));  // code page 949: B1 E8
  EXPECT_EQ(std::string(record_.devOpts.userNameAnsi), "\xB1\xE8");
  EXPECT_EQ(Get("userNameAnsi"), "김");
  EXPECT_TRUE(Set("hostNameUtf8", "é"));
  EXPECT_EQ(std::string(record_.devOpts.hostNameUtf8), "\xC3\xA9");

  std::string error;
  EXPECT_TRUE(Set("chargeNumber", "1234567"));   // 7 units and the NUL fill wchar[8]
  EXPECT_FALSE(Set("chargeNumber", "12345678", &error));
  EXPECT_NE(error.find("chargeNumber"), std::string::npos);
  EXPECT_EQ(FieldText(record_.devOpts.chargeNumber), u"1234567");  // unchanged by the failure
}

TEST_F(FieldTableTest, UnknownNamesAreNotFound) {
  EXPECT_EQ(FindRecordField("qualitymode"), nullptr);
  EXPECT_EQ(FindRecordField("overlays[5].enabled"), nullptr);
  EXPECT_EQ(FindRecordField("watermark"), nullptr);
}

TEST_F(FieldTableTest, DeviceTextCopiesFollowTheWideString) {
  StoreText(record_.devOpts.userName, u"홍길동");
  StoreText(record_.devOpts.hostName, u"untouched");
  FillDeviceTextCopies(&record_.devOpts, DeviceText::kUserName);
  EXPECT_EQ(std::string(record_.devOpts.userNameUtf8), "\xED\x99\x8D\xEA\xB8\xB8\xEB\x8F\x99");
  EXPECT_EQ(Get("userNameAnsi"), "홍길동");
  EXPECT_EQ(std::string(record_.devOpts.hostNameUtf8), "");

  // The longest name fits every copy whole.
  StoreText(record_.devOpts.userName, std::u16string(63, u'가'));
  FillDeviceTextCopies(&record_.devOpts, DeviceText::kUserName);
  EXPECT_EQ(std::strlen(record_.devOpts.userNameUtf8), 189u);
  EXPECT_EQ(std::strlen(record_.devOpts.userNameAnsi), 126u);
}

TEST(RecordTextTest, Utf8FormStopsBeforeAUnitThatWouldPassTheLimit) {
  EXPECT_EQ(EncodeUnitsAsUtf8(u"Report", 260), "Report");
  EXPECT_EQ(EncodeUnitsAsUtf8(std::u16string(200, u'\xAC00'), 260).size(), 258u);
  EXPECT_EQ(EncodeUnitsAsUtf8(u"\u00E9\u00E9", 3), "\xC3\xA9");
  // Surrogates are encoded one unit at a time.
  EXPECT_EQ(EncodeUnitsAsUtf8(u"\U0001F600", 10), "\xED\xA0\xBD\xED\xB8\x80");
}

}  // namespace
}  // namespace kx::settings
