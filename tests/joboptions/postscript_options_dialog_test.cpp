// The PostScript options driven as a user drives them, over the platform's dialog
// services: what the dialog shows on each system, the time-out and header path checks
// with their balloons, Browse and the request it makes, what OK stores and Cancel
// leaves, and help.
#include "joboptions/postscript_options_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "joboptions/postscript_options_layout.h"
#include "joboptions/postscript_timeout.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/file_dialog.h"
#include "platform/module.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace postscript_options;
using settings::FieldText;
using settings::PrivateRecord;
using test::DialogDriver;

// What the user reads.
constexpr char16_t kTimeoutTip[] = u"범위 값은 0와 3000 사이여야 합니다";
constexpr char16_t kHeaderEmptyTip[] = u"외부 헤더 파일 이름이 비어있습니다. 입력하십시오";
constexpr char16_t kBrowseTitle[] = u"브라우즈";

constexpr std::optional<int> kCurrentSystem = 10;
constexpr std::optional<int> kFirstHeaderSystem = 5;
constexpr std::optional<int> kOldSystem = 4;
constexpr std::optional<int> kUnknownSystem = std::nullopt;

constexpr int kHeaderControls[] = {kHeaderGroup, kExternalHeaderBox, kHeaderPathBox,
                                   kBrowseButton};

test::ShownBalloon BalloonNow(const DialogDriver& d) {
  return test::BalloonShown(PostScriptBalloonOf(d.dialog()));
}

bool Visible(const DialogDriver& d, int id) { return platform::IsWindowVisible(d.Control(id)); }

// Answers the open-file dialog with one path (none: cancelled) and keeps the requests.
class FileChooser {
 public:
  explicit FileChooser(std::optional<std::u16string> answer) : answer_(std::move(answer)) {
    platform::SetOpenFileResponder(&FileChooser::Answer, this);
  }
  ~FileChooser() { platform::SetOpenFileResponder(nullptr, nullptr); }
  FileChooser(const FileChooser&) = delete;
  FileChooser& operator=(const FileChooser&) = delete;

  const std::vector<platform::OpenFileRequest>& requests() const { return requests_; }

 private:
  static std::optional<std::u16string> Answer(void* context,
                                              const platform::OpenFileRequest& request) {
    auto* self = static_cast<FileChooser*>(context);
    self->requests_.push_back(request);
    return self->answer_;
  }
  std::optional<std::u16string> answer_;
  std::vector<platform::OpenFileRequest> requests_;
};

class PostScriptOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(record_.get(), nullptr);
    record_->allowAppPostScript = 1;
    record_->printPsErrors = 0;
    record_->jobTimeout = 0;
    record_->useExternalHeader = 0;
    settings::StoreText(record_->externalHeaderFile, u"");
  }

  // Opens the dialog on a system of `version` with `script` as its user; the Help button
  // takes the focus when a box is left.
  INT_PTR Open(const test::ModalScript::Script& script,
               std::optional<int> version = kCurrentSystem) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = RunPostScriptOptions(nullptr, record_.get(), version);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  // An existing file of the test's own folder, named so that its path fits the record.
  std::u16string ExistingHeader() {
    const std::filesystem::path path = std::filesystem::path(store_.directory()) / "h.ps";
    std::ofstream(path, std::ios::binary) << "%!PS\n";
    return platform::Utf8ToUtf16(path.string());
  }

  std::vector<uint8_t> RecordBytes() const {
    const auto* bytes = reinterpret_cast<const uint8_t*>(record_.get());
    return {bytes, bytes + sizeof(PrivateRecord)};
  }
  std::u16string StoredPath() const {
    return std::u16string(FieldText(record_->externalHeaderFile));
  }

  bool korean() const { return codePages_.active(); }
  void ExpectBalloon(const DialogDriver& d, int at, const char16_t* text = nullptr) {
    const test::ShownBalloon balloon = BalloonNow(d);
    EXPECT_EQ(balloon.at, at);
    if (at != 0) {
      EXPECT_FALSE(balloon.text.empty());
    }
    if (korean() && text != nullptr) {
      EXPECT_EQ(balloon.text, text);
    }
  }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::unique_ptr<PrivateRecord> record_ = std::make_unique<PrivateRecord>();
};

TEST(PostScriptTimeoutTest, ReadsDecimalSecondsWithinTheRange) {
  const struct {
    std::u16string text;
    std::optional<uint32_t> seconds;
  } cases[] = {
      {u"0", 0u},
      {u"3000", 3000u},
      {u"0045", 45u},
      {u"+12", 12u},
      {u"  7", 7u},
      {u"12ab", 12u},            // up to the first other character
      {u"-0", 0u},
      {u"3001", std::nullopt},
      {u"-1", std::nullopt},
      {u"", std::nullopt},
      {u"abc", std::nullopt},    // no digits at all
      {u"-", std::nullopt},
      {u"000000000300", 0u},     // only the first nine characters count
      {u"1000000000", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.text));
    EXPECT_EQ(ParseTimeout(c.text), c.seconds);
  }
  for (const uint32_t seconds : {0u, 9u, 10u, 3000u, 4294967295u}) {
    EXPECT_EQ(ParseTimeout(TimeoutText(seconds)),
              seconds <= 3000 ? std::optional<uint32_t>(seconds) : std::nullopt);
  }
}

TEST_F(PostScriptOptionsTest, ShowsTheJobsOptionsForEachSystem) {
  record_->printPsErrors = 1;
  record_->jobTimeout = 120;
  record_->useExternalHeader = 1;
  settings::StoreText(record_->externalHeaderFile, u"C:\\headers\\mine.ps");
  const struct {
    const char* why;
    std::optional<int> version;
    bool headerVisible;
    bool headerChecked;
    std::u16string path;
    bool pathEnabled;
  } cases[] = {
      {"current system", kCurrentSystem, true, true, u"C:\\headers\\mine.ps", true},
      {"first system with header files", kFirstHeaderSystem, true, true, u"C:\\headers\\mine.ps",
       true},
      {"older system", kOldSystem, false, false, u"", false},
      // Filled like a current system's, so that OK keeps the job's header file.
      {"unknown system", kUnknownSystem, true, true, u"C:\\headers\\mine.ps", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Open(
        [&](DialogDriver& d) {
          EXPECT_FALSE(Visible(d, kAppPostScriptBox));
          EXPECT_TRUE(d.Checked(kAppPostScriptBox));
          EXPECT_TRUE(d.Checked(kErrorPageBox));
          EXPECT_EQ(d.Text(kTimeoutBox), u"120");
          for (const int id : kHeaderControls) EXPECT_EQ(Visible(d, id), c.headerVisible) << id;
          EXPECT_EQ(d.Checked(kExternalHeaderBox), c.headerChecked);
          EXPECT_EQ(d.Text(kHeaderPathBox), c.path);
          EXPECT_EQ(d.Enabled(kHeaderPathBox), c.pathEnabled);
          EXPECT_EQ(d.Enabled(kBrowseButton), c.pathEnabled);
          ExpectBalloon(d, 0);
          d.Click(IDCANCEL);
        },
        c.version);
  }
}

TEST_F(PostScriptOptionsTest, TheHeaderBoxEnablesThePathAndBrowse) {
  record_->useExternalHeader = 0;
  Open([](DialogDriver& d) {
    EXPECT_FALSE(d.Enabled(kHeaderPathBox));
    d.Click(kExternalHeaderBox);
    EXPECT_TRUE(d.Enabled(kHeaderPathBox));
    EXPECT_TRUE(d.Enabled(kBrowseButton));
    EXPECT_EQ(platform::GetFocus(), d.Control(kHeaderPathBox));
    d.Click(kExternalHeaderBox);
    EXPECT_FALSE(d.Enabled(kHeaderPathBox));
    EXPECT_FALSE(d.Enabled(kBrowseButton));
    d.Click(IDCANCEL);
  });
}

TEST_F(PostScriptOptionsTest, TheTimeOutMustLieBetween0And3000) {
  const struct {
    std::u16string typed;
    std::optional<uint32_t> stored;
  } cases[] = {
      {u"3000", 3000u}, {u"0", 0u}, {u"45", 45u}, {u"3001", std::nullopt}, {u"", std::nullopt},
      {u"9999", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.typed));
    record_->jobTimeout = 60;
    record_->printPsErrors = 0;
    const INT_PTR result = Open([&](DialogDriver& d) {
      d.Click(kErrorPageBox);
      d.Enter(kTimeoutBox, c.typed);
      d.Click(IDOK);
      if (c.stored) return;
      EXPECT_TRUE(d.Open());
      ExpectBalloon(d, kTimeoutBox, kTimeoutTip);
      // A new text answers it.
      d.Type(kTimeoutBox, u"1");
      ExpectBalloon(d, 0);
    });
    EXPECT_EQ(result, c.stored ? kPostScriptOk : test::ModalScript::kLeftOpen);
    EXPECT_EQ(record_->jobTimeout, c.stored.value_or(60));
    EXPECT_EQ(record_->printPsErrors, c.stored ? 1u : 0u);
  }
}

TEST_F(PostScriptOptionsTest, TypedDigitsOnlyAndAtMostFour) {
  Open([](DialogDriver& d) {
    d.Type(kTimeoutBox, u"12a345");
    EXPECT_EQ(d.Text(kTimeoutBox), u"1234");
    d.Click(IDCANCEL);
  });
}

TEST_F(PostScriptOptionsTest, HeaderPathChecksOnOk) {
  const std::u16string existing = ExistingHeader();
  if (existing.size() > kMaxHeaderPath) GTEST_SKIP() << "the test folder's path is too long";
  const std::u16string folder = platform::Utf8ToUtf16(store_.directory());
  const std::u16string missing = existing + u"x";
  const struct {
    const char* why;
    bool use;
    std::u16string path;
    bool stored;
    const char16_t* tip;
  } cases[] = {
      {"used, existing file", true, existing, true, nullptr},
      {"used, empty path", true, u"", false, kHeaderEmptyTip},
      {"used, missing file", true, missing, false, nullptr},
      {"used, a folder", true, folder, false, nullptr},
      {"not used, any path", false, missing, true, nullptr},
      {"not used, empty path", false, u"", true, nullptr},
      {"not used, 65 characters", false, std::u16string(65, u'a'), false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    record_->useExternalHeader = c.use ? 0 : 1;
    settings::StoreText(record_->externalHeaderFile, u"before.ps");
    record_->jobTimeout = 5;
    const std::vector<uint8_t> before = RecordBytes();
    const INT_PTR result = Open([&](DialogDriver& d) {
      d.Click(kExternalHeaderBox);
      d.Enter(kHeaderPathBox, c.path);
      EXPECT_EQ(d.Text(kHeaderPathBox), c.path);
      d.Enter(kTimeoutBox, u"300");
      d.Click(IDOK);
      if (c.stored) return;
      EXPECT_TRUE(d.Open());
      ExpectBalloon(d, kHeaderPathBox, c.tip);
      // Moving the mouse takes it down.
      platform::SendMessage(d.dialog(), WM_MOUSEMOVE, 0, MakeLParam(5, 5));
      ExpectBalloon(d, 0);
    });
    if (c.stored) {
      EXPECT_EQ(result, kPostScriptOk);
      EXPECT_EQ(record_->useExternalHeader, c.use ? 1u : 0u);
      EXPECT_EQ(StoredPath(), c.path);
      EXPECT_EQ(record_->jobTimeout, 300u);
    } else {
      EXPECT_EQ(result, test::ModalScript::kLeftOpen);
      EXPECT_EQ(RecordBytes(), before);
    }
  }
}

TEST_F(PostScriptOptionsTest, TheHeaderBalloonWaitsForItsOwnBox) {
  record_->useExternalHeader = 1;
  Open([&](DialogDriver& d) {
    d.Click(IDOK);
    ExpectBalloon(d, kHeaderPathBox, kHeaderEmptyTip);
    d.Type(kTimeoutBox, u"12");
    ExpectBalloon(d, kHeaderPathBox, kHeaderEmptyTip);
    d.Type(kHeaderPathBox, u"x");
    ExpectBalloon(d, 0);
    d.Click(IDCANCEL);
  });
}

TEST_F(PostScriptOptionsTest, BrowseAsksForAHeaderFile) {
  const struct {
    const char* why;
    std::optional<int> version;
    bool oldStructure;
  } cases[] = {
      {"current system", kCurrentSystem, false},
      {"first system with header files", kFirstHeaderSystem, false},
      {"unknown system", kUnknownSystem, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    FileChooser chooser(u"C:\\chosen.ps");
    HWND dialog = nullptr;
    Open(
        [&](DialogDriver& d) {
          dialog = d.dialog();
          if (!d.Checked(kExternalHeaderBox)) d.Click(kExternalHeaderBox);
          d.Click(kBrowseButton);
          EXPECT_EQ(d.Text(kHeaderPathBox), u"C:\\chosen.ps");
          ExpectBalloon(d, 0);
          d.Click(IDCANCEL);
        },
        c.version);
    ASSERT_EQ(chooser.requests().size(), 1u);
    const platform::OpenFileRequest& request = chooser.requests()[0];
    EXPECT_EQ(request.owner, dialog);
    if (korean()) {
      EXPECT_EQ(request.title, kBrowseTitle);
    }
    const std::vector<std::u16string> patterns = {u"*.eps", u"*.ps", u"*.eps;*.ps", u"*.*"};
    ASSERT_EQ(request.filters.size(), patterns.size());
    for (size_t i = 0; i < patterns.size(); ++i) {
      EXPECT_EQ(request.filters[i].pattern, patterns[i]);
      EXPECT_EQ(request.filters[i].display, patterns[i]);
    }
    EXPECT_EQ(request.filterIndex, 1u);
    EXPECT_EQ(request.defaultExtension, u"*.ps");
    EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_NONETWORKBUTTON);
    EXPECT_EQ(request.oldStructure, c.oldStructure);
    const std::u16string system = platform::SystemDirectory();
    EXPECT_EQ(request.initialDirectory,
              system.empty() ? u"" : system + u"\\spool\\drivers\\color");
  }
}

TEST_F(PostScriptOptionsTest, BrowseCancelledLeavesThePath) {
  record_->useExternalHeader = 1;
  settings::StoreText(record_->externalHeaderFile, u"kept.ps");
  FileChooser chooser(std::nullopt);
  Open([](DialogDriver& d) {
    d.Click(kBrowseButton);
    EXPECT_EQ(d.Text(kHeaderPathBox), u"kept.ps");
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(chooser.requests().size(), 1u);
}

TEST_F(PostScriptOptionsTest, APathChosenTooLongIsRefusedNotCut) {
  const std::u16string existing = ExistingHeader();
  const std::u16string chosen = u"C:\\" + std::u16string(73, u'd') + u"\\h.ps";  // 81
  FileChooser chooser(chosen);
  record_->useExternalHeader = 1;
  settings::StoreText(record_->externalHeaderFile, existing);
  const std::vector<uint8_t> before = RecordBytes();
  EXPECT_EQ(Open([&](DialogDriver& d) {
              d.Click(kBrowseButton);
              // The box shows all of it, and says at once that it is too long.
              EXPECT_EQ(d.Text(kHeaderPathBox), chosen);
              ExpectBalloon(d, kHeaderPathBox);
              d.Click(IDOK);
              EXPECT_TRUE(d.Open());
              ExpectBalloon(d, kHeaderPathBox);
            }),
            test::ModalScript::kLeftOpen);
  EXPECT_EQ(RecordBytes(), before);
}

TEST_F(PostScriptOptionsTest, AnOlderSystemKeepsTheJobsHeader) {
  // Neither an empty nor a missing path holds OK up where the header is not offered.
  for (const std::u16string& path : {std::u16string(), std::u16string(u"Z:\\nowhere\\h.ps")}) {
    SCOPED_TRACE(platform::Utf16ToUtf8(path));
    record_->useExternalHeader = 1;
    settings::StoreText(record_->externalHeaderFile, path);
    record_->jobTimeout = 10;
    EXPECT_EQ(Open(
                  [](DialogDriver& d) {
                    d.Enter(kTimeoutBox, u"20");
                    d.Click(IDOK);
                  },
                  kOldSystem),
              kPostScriptOk);
    EXPECT_EQ(record_->jobTimeout, 20u);
    EXPECT_EQ(record_->useExternalHeader, 1u);
    EXPECT_EQ(StoredPath(), path);
  }
}

// Where the system's version cannot be read the header file is offered as on a current
// system, so OK keeps what the job had.
TEST_F(PostScriptOptionsTest, AnUnknownSystemKeepsTheJobsHeaderFile) {
  const std::u16string existing = ExistingHeader();
  if (existing.size() > kMaxHeaderPath) GTEST_SKIP() << "the test folder's path is too long";
  record_->useExternalHeader = 1;
  settings::StoreText(record_->externalHeaderFile, existing);
  Open([](DialogDriver& d) { d.Click(IDOK); }, kUnknownSystem);
  EXPECT_EQ(record_->useExternalHeader, 1u);
  EXPECT_EQ(StoredPath(), existing);
}

TEST_F(PostScriptOptionsTest, ApplicationsPostScriptKeepsItsValue) {
  for (const uint32_t allowed : {0u, 1u}) {
    SCOPED_TRACE(allowed);
    record_->allowAppPostScript = allowed;
    EXPECT_EQ(Open([](DialogDriver& d) { d.Click(IDOK); }), kPostScriptOk);
    EXPECT_EQ(record_->allowAppPostScript, allowed);
  }
}

TEST_F(PostScriptOptionsTest, CancelAndEscapeStoreNothing) {
  const std::u16string existing = ExistingHeader();
  if (existing.size() > kMaxHeaderPath) GTEST_SKIP() << "the test folder's path is too long";
  const std::vector<uint8_t> before = RecordBytes();
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "Cancel");
    EXPECT_EQ(Open([&](DialogDriver& d) {
                d.Click(kErrorPageBox);
                d.Enter(kTimeoutBox, u"77");
                d.Click(kExternalHeaderBox);
                d.Enter(kHeaderPathBox, existing);
                if (escape) {
                  d.Command(IDCANCEL);
                } else {
                  d.Click(IDCANCEL);
                }
              }),
              kPostScriptCancelled);
    EXPECT_EQ(RecordBytes(), before);
  }
}

TEST_F(PostScriptOptionsTest, HelpForTheDialogAndItsControls) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(
      [](void* context, const std::u16string& page) {
        static_cast<std::vector<std::u16string>*>(context)->push_back(page);
        return true;
      },
      &pages);
  const std::vector<int> controls = {kAppPostScriptBox, kErrorPageBox, kExternalHeaderBox,
                                     kHeaderPathBox,    kBrowseButton, kTimeoutBox,
                                     kHelpButton};
  Open([&](DialogDriver& d) {
    d.Click(kHelpButton);
    for (const int id : controls) {
      HELPINFO info{};
      info.cbSize = sizeof(info);
      info.iContextType = HELPINFO_WINDOW;
      info.iCtrlId = id;
      info.hItemHandle = d.Control(id);
      platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    EXPECT_TRUE(d.Open());
    d.Click(IDCANCEL);
  });
  platform::SetPageReceiver(nullptr, nullptr);
  const std::u16string root = Module().HelpRoot();
  std::vector<std::u16string> expected = {root + u"103.html"};
  for (const int id : controls) {
    expected.push_back(root + platform::Utf8ToUtf16(std::to_string(id)) + u".html");
  }
  EXPECT_EQ(pages, expected);
}

TEST_F(PostScriptOptionsTest, TheSheetsRecordIsTheOneEdited) {
  OEMCUIPPARAM param{};
  param.cbSize = sizeof(param);
  param.pOEMDM = record_.get();
  PageSetContext context;
  context.commonUi = &param;
  {
    test::ModalScript modal(kHelpButton, [](DialogDriver& d) {
      d.Enter(kTimeoutBox, u"2999");
      d.Click(IDOK);
    });
    EXPECT_EQ(ShowPostScriptOptions(nullptr, &context), kPostScriptOk);
    EXPECT_EQ(modal.runs(), 1);
  }
  EXPECT_EQ(record_->jobTimeout, 2999u);
  param.pOEMDM = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(ShowPostScriptOptions(nullptr, &context), kPostScriptCancelled);
  EXPECT_EQ(RunPostScriptOptions(nullptr, nullptr, kCurrentSystem), kPostScriptCancelled);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
