#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/com.h"
#include "platform/last_error.h"
#include "settings/devmode_request.h"
#include "settings/record_ops.h"
#include "support/test_printer.h"

namespace kx::settings {
namespace {

using namespace host;

class DevModeRequestTest : public ::testing::Test {
 protected:
  OEMDMPARAM Param(void* in, void* out, DWORD size = kRecordSize) {
    OEMDMPARAM param{};
    param.cbSize = sizeof(param);
    param.hPrinter = printer_.handle();
    param.pOEMDMIn = in;
    param.pOEMDMOut = out;
    param.cbBufSize = size;
    return param;
  }
  PrivateRecord* Record(std::vector<uint8_t>& bytes) {
    return reinterpret_cast<PrivateRecord*>(bytes.data());
  }

  test::TestPrinter printer_{u"DevMode", u"/ppd/x.ppd"};
  std::vector<uint8_t> in_ = std::vector<uint8_t>(kRecordSize, 0);
  std::vector<uint8_t> out_ = std::vector<uint8_t>(kRecordSize, 0xEE);
};

TEST_F(DevModeRequestTest, SizeIsTheRecordSize) {
  OEMDMPARAM param = Param(nullptr, nullptr, 0xDEADBEEF);
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 5816u);
}

TEST_F(DevModeRequestTest, DefaultWritesTheDefaults) {
  OEMDMPARAM param = Param(nullptr, out_.data());
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_DEFAULT, &param), S_OK);
  EXPECT_EQ(Record(out_)->dwSignature, 0x4A57u);
  EXPECT_EQ(Record(out_)->autoContinue, 1u);
}

TEST_F(DevModeRequestTest, MergeValidatesWhileConvertDoesNot) {
  ASSERT_TRUE(SetRecordDefaults(Record(in_), printer_.handle()));
  Record(in_)->spare = 150;
  for (const DWORD mode : {OEMDM_CONVERT, OEMDM_MERGE}) {
    SCOPED_TRACE(mode);
    ASSERT_TRUE(SetRecordDefaults(Record(out_), printer_.handle()));
    OEMDMPARAM param = Param(in_.data(), out_.data());
    EXPECT_EQ(AnswerDevModeRequest(mode, &param), S_OK);
    EXPECT_EQ(Record(out_)->spare, mode == OEMDM_MERGE ? 0u : 150u);
  }
}

TEST_F(DevModeRequestTest, RecordFailuresDoNotChangeTheAnswer) {
  OEMDMPARAM param = Param(nullptr, nullptr);
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_MERGE, &param), S_OK);
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_CONVERT, &param), S_OK);
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_DEFAULT, &param), S_OK);
}

TEST_F(DevModeRequestTest, BufferSmallerThanARecordIsNotWritten) {
  std::vector<uint8_t> small(100, 0xEE);
  OEMDMPARAM param = Param(nullptr, small.data(), static_cast<DWORD>(small.size()));
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_DEFAULT, &param), S_OK);
  EXPECT_EQ(small, std::vector<uint8_t>(100, 0xEE));
}

TEST_F(DevModeRequestTest, UnknownModeOrNoParameterFailsWithInvalidParameter) {
  OEMDMPARAM param = Param(nullptr, out_.data());
  for (const DWORD mode : {0u, 5u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(mode);
    platform::SetLastErrorCode(0xDEADBEEF);
    EXPECT_EQ(AnswerDevModeRequest(mode, &param), E_FAIL);
    EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  }
  platform::SetLastErrorCode(0xDEADBEEF);
  EXPECT_EQ(AnswerDevModeRequest(OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  EXPECT_EQ(out_, std::vector<uint8_t>(kRecordSize, 0xEE));
}

}  // namespace
}  // namespace kx::settings
