#include <gtest/gtest.h>

#include <cstring>

#include "host/oemps.h"
#include "pjl_text.h"
#include "postscript_text.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using namespace host;
using settings::StoreText;

const std::string kExit = "\x1B%-12345X";

class PjlHeaderTest : public test::LoadedPluginTest {
 protected:
  void SetUp() override {
    LoadedPluginTest::SetUp();
    device_ = &Device();
  }
  std::string Header() {
    EXPECT_EQ(device_->Command(PSINJECT_BEGINSTREAM), S_OK);
    return device_->spool().bytes;
  }
  static std::string Expected(const std::string& name, const std::string& setLines,
                              bool autoContinue = true) {
    return kExit + "@PJL\r\n@PJL JOB NAME = \"" + name + "\"\r\n@PJL EOJ\r\n" + setLines +
           (autoContinue ? "@PJL SET AUTOCONT = ON\r\n" : "@PJL SET AUTOCONT = OFF\r\n");
  }

  hostsim::HostDevice* device_ = nullptr;
};

TEST_F(PjlHeaderTest, PlainJobName) {
  StoreText(record().jobName, u"Report");
  EXPECT_EQ(Header(), Expected("Report", ""));
  // Exit, PJL line, name opening, name, closing, EOJ, auto-continue.
  EXPECT_EQ(device_->spool().pluginWrites, 7);
}

TEST_F(PjlHeaderTest, EmptyJobNameAndAutoContinueOff) {
  record().autoContinue = 0;
  EXPECT_EQ(Header(), Expected("", "", false));
  EXPECT_EQ(device_->spool().pluginWrites, 6);
}

TEST_F(PjlHeaderTest, LongKoreanNameStopsAtWholeCharactersWithin260Bytes) {
  StoreText(record().jobName, std::u16string(200, u'\xAC00'));
  std::string name;
  for (int i = 0; i < 86; ++i) name += "\xEA\xB0\x80";
  EXPECT_EQ(Header(), Expected(name, ""));
}

TEST_F(PjlHeaderTest, AccountingLinesUseTheUtf8Copies) {
  StoreText(record().devOpts.userName, u"김철수");
  std::strcpy(record().devOpts.userNameUtf8, "\xEA\xB9\x80\xEC\xB2\xA0\xEC\x88\x98");
  StoreText(record().devOpts.hostName, u"DESK-7");
  std::strcpy(record().devOpts.hostNameUtf8, "DESK-7");
  StoreText(record().devOpts.chargeNumber, u"0042");
  std::strcpy(record().devOpts.chargeNumberUtf8, "0042");
  StoreText(record().jobName, u"Memo");
  EXPECT_EQ(Header(),
            Expected("Memo",
                     "@PJL SET USERNAME = \"\xEA\xB9\x80\xEC\xB2\xA0\xEC\x88\x98\"\r\n"
                     "@PJL SET HOST = \"DESK-7\"\r\n"
                     "@PJL SET CHARGENUMBER = \"0042\"\r\n"));
}

TEST_F(PjlHeaderTest, WideNameDecidesTheLineEvenWhenItsCopyIsEmpty) {
  StoreText(record().devOpts.userName, u"lee");
  std::strcpy(record().devOpts.hostNameUtf8, "orphan");  // no wide host name: no line
  EXPECT_EQ(Header(), Expected("", "@PJL SET USERNAME = \"\"\r\n"));
  EXPECT_EQ(device_->spool().pluginWrites, 9);  // the empty copy is still its own write
}

TEST_F(PjlHeaderTest, EmailNotification) {
  struct Case {
    std::u16string address;
    std::string written;
  };
  const Case cases[] = {
      {u"", ""},
      {u"kim@example.com", "kim@example.com"},
      {u"caf\u00E9@example.com", "caf\xE9@example.com"},    // up to U+00FF: one byte
      {u"kim\u0100rest@example.com", "kim"},               // cut before the first above
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    device_->spool().bytes.clear();
    record().emailNotify = 1;
    StoreText(record().emailAddress, c.address);
    EXPECT_EQ(Header(), Expected("", "@PJL SET NOTIFY = \"JOBEND\" \r\n"
                                     "@PJL SET EMAILADDRESS = \"" + c.written + "\"\r\n"));
  }
}

TEST_F(PjlHeaderTest, QuotesAndControlCharactersCannotEndAValue) {
  // A name that would otherwise close the quotes and start a PJL command of its own.
  StoreText(record().jobName, u"x\"\r\n@PJL FSDELETE NAME = \"0:\\\x1B%-12345X");
  StoreText(record().devOpts.userName, u"u");
  std::strcpy(record().devOpts.userNameUtf8, "a\"\nb");
  StoreText(record().devOpts.hostName, u"h");
  std::strcpy(record().devOpts.hostNameUtf8, "\x1B\x7F");
  record().emailNotify = 1;
  StoreText(record().emailAddress, u"m\"\r@PJL");
  const std::string header = Header();
  EXPECT_EQ(header,
            Expected("x'  @PJL FSDELETE NAME = '0:\\ %-12345X",
                     "@PJL SET USERNAME = \"a' b\"\r\n@PJL SET HOST = \"  \"\r\n"
                     "@PJL SET NOTIFY = \"JOBEND\" \r\n@PJL SET EMAILADDRESS = \"m' @PJL\"\r\n"));
  // Only the leading universal exit carries an ESC, and every line starts with @PJL.
  EXPECT_EQ(header.find('\x1B', 1), std::string::npos);
}

TEST_F(PjlHeaderTest, UnterminatedFieldsStayWithinTheirArrays) {
  std::fill(std::begin(record().jobName), std::end(record().jobName), u'a');
  std::memset(record().devOpts.userNameUtf8, 'b', sizeof(record().devOpts.userNameUtf8));
  std::fill(std::begin(record().devOpts.userName), std::end(record().devOpts.userName), u'c');
  const std::string header = Header();
  EXPECT_NE(header.find("\"" + std::string(260, 'a') + "\""), std::string::npos);
  EXPECT_NE(header.find("\"" + std::string(256, 'b') + "\""), std::string::npos);
}

TEST_F(PjlHeaderTest, StreamEndIsTheUniversalExit) {
  EXPECT_EQ(device_->Command(PSINJECT_ENDSTREAM), S_OK);
  EXPECT_EQ(device_->spool().bytes, kExit);
  EXPECT_EQ(device_->spool().pluginWrites, 1);
}

TEST(PjlTextTest, SafeTextKeepsEverythingButQuotesAndControls) {
  EXPECT_EQ(PjlSafeBytes("\xEA\xB0\x80 ok'"), "\xEA\xB0\x80 ok'");
  EXPECT_EQ(PjlSafeBytes(std::string("a\0b\tc\"", 6)), "a b c'");
  EXPECT_EQ(PjlSafeText(u"\u0085\u00A0\"\x1F"), u"\u0085\u00A0' ");
  EXPECT_EQ(NarrowLatin1Prefix(u"ab\u00FF\u0100c"), "ab\xFF");
}

}  // namespace
}  // namespace kx::ps
