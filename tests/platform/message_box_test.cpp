#include "platform/message_box.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/text.h"

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
#define KX_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
#define KX_SANITIZED 1
#endif
#endif
#ifdef KX_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace kx::platform {
namespace {

// Standard error is captured while the threads run; a sanitizer's report still goes to the
// real standard error rather than into the capture.
class SanitizerReportsToRealStandardError {
 public:
  SanitizerReportsToRealStandardError() {
#ifdef KX_SANITIZED
    descriptor_ = ::dup(STDERR_FILENO);
    if (descriptor_ >= 0) {
      __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(descriptor_)));
    }
#endif
  }
  ~SanitizerReportsToRealStandardError() {
#ifdef KX_SANITIZED
    if (descriptor_ >= 0) {
      __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(STDERR_FILENO)));
      ::close(descriptor_);
    }
#endif
  }
  SanitizerReportsToRealStandardError(const SanitizerReportsToRealStandardError&) = delete;
  SanitizerReportsToRealStandardError& operator=(const SanitizerReportsToRealStandardError&) =
      delete;

 private:
  [[maybe_unused]] int descriptor_ = -1;
};

// Every box a receiver was given, with the context it was given with.
struct Recorder {
  std::vector<std::pair<std::u16string, std::u16string>> boxes;
  std::vector<void*> contexts;
};

void Record(const std::u16string& title, const std::u16string& text, void* context) {
  auto* recorder = static_cast<Recorder*>(context);
  recorder->boxes.emplace_back(title, text);
  recorder->contexts.push_back(context);
}

class WarningBoxTest : public ::testing::Test {
 protected:
  void TearDown() override { SetWarningReceiver(nullptr, nullptr); }
};

// On Windows a box without a receiver is a real one that waits for a user, and each
// thread has a receiver of its own: what follows such a skip is about the desktop-less
// default and the one receiver of the process.
#ifdef _WIN32
#define KX_SKIP_ON_WINDOWS(why) GTEST_SKIP() << why
#else
#define KX_SKIP_ON_WINDOWS(why) static_cast<void>(0)
#endif

const struct {
  const char* label;
  std::u16string title;
  std::u16string text;
  std::string line;  // what standard error shows
} kBoxes[] = {
    {"plain", u"KX48T7", u"The paper size is not supported.",
     "KX48T7: The paper size is not supported.\n"},
    {"non-ASCII", u"\uC778\uC1C4", u"\uC6A9\uC9C0 \u00E9 \U0001F5A8",
     "\xEC\x9D\xB8\xEC\x87\x84: \xEC\x9A\xA9\xEC\xA7\x80 \xC3\xA9 \xF0\x9F\x96\xA8\n"},
    {"empty", u"", u"", ": \n"},
    {"two lines", u"Warning", u"First line.\r\nSecond line.",
     "Warning: First line.\r\nSecond line.\n"},
};

TEST_F(WarningBoxTest, ReceiverGetsTitleAndText) {
  Recorder recorder;
  SetWarningReceiver(&Record, &recorder);
  ::testing::internal::CaptureStderr();
  for (const auto& box : kBoxes) ShowWarningBox(box.title, box.text);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  ASSERT_EQ(recorder.boxes.size(), std::size(kBoxes));
  for (size_t i = 0; i < std::size(kBoxes); ++i) {
    SCOPED_TRACE(kBoxes[i].label);
    EXPECT_EQ(recorder.boxes[i].first, kBoxes[i].title);
    EXPECT_EQ(recorder.boxes[i].second, kBoxes[i].text);
    EXPECT_EQ(recorder.contexts[i], &recorder);
  }
}

TEST_F(WarningBoxTest, WithoutReceiverTheTextGoesToStandardErrorInUtf8) {
  KX_SKIP_ON_WINDOWS("without a receiver Windows shows a real box");
  for (const auto& box : kBoxes) {
    SCOPED_TRACE(box.label);
    ::testing::internal::CaptureStderr();
    ShowWarningBox(box.title, box.text);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), box.line);
  }
}

TEST_F(WarningBoxTest, ChangingTheReceiverStopsTheOldOne) {
  Recorder first;
  Recorder second;
  SetWarningReceiver(&Record, &first);
  SetWarningReceiver(&Record, &second);
  ShowWarningBox(u"Title", u"text");
  EXPECT_EQ(first.boxes.size(), 0u);
  EXPECT_EQ(second.boxes.size(), 1u);
#ifndef _WIN32  // without a receiver Windows shows a real box
  // A null receiver restores the default, whatever the context.
  SetWarningReceiver(nullptr, &first);
  ::testing::internal::CaptureStderr();
  ShowWarningBox(u"Title", u"text");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Title: text\n");
  EXPECT_EQ(first.boxes.size(), 0u);
  EXPECT_EQ(second.boxes.size(), 1u);
#endif
}

// A receiver that hands the next boxes back to the default: the receiver may change the
// receiver itself and show boxes of its own without waiting on itself.
void ReceiveOnce(const std::u16string& title, const std::u16string& text, void* context) {
  Record(title, text, context);
  SetWarningReceiver(nullptr, nullptr);
  ShowWarningBox(u"Nested", title);
}

TEST_F(WarningBoxTest, ReceiverMayChangeTheReceiver) {
  KX_SKIP_ON_WINDOWS("without a receiver Windows shows a real box");
  Recorder recorder;
  SetWarningReceiver(&ReceiveOnce, &recorder);
  ::testing::internal::CaptureStderr();
  ShowWarningBox(u"One", u"first");
  ShowWarningBox(u"Two", u"second");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Nested: One\nTwo: second\n");
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].first, u"One");
  EXPECT_EQ(recorder.boxes[0].second, u"first");
}

constexpr int kShowingThreads = 3;

// A receiver that checks it was given its own context and the whole text.
struct Counter {
  char tag;
  std::atomic<int> calls{0};
  std::atomic<int> wrong{0};
};

const std::u16string kTitle = u"\uACBD\uACE0";
const std::u16string kText = u"Toner is low.";

template <char Tag>
void Count(const std::u16string& title, const std::u16string& text, void* context) {
  auto* counter = static_cast<Counter*>(context);
  if (counter->tag != Tag || title != kTitle || text != kText) ++counter->wrong;
  ++counter->calls;
}

class WarningBoxConcurrencyTest : public WarningBoxTest {};

TEST_F(WarningBoxConcurrencyTest, ReceiverSwitchedWhileBoxesAreShown) {
  KX_SKIP_ON_WINDOWS("on Windows each thread has its own receiver");
  Counter a{'A'};
  Counter b{'B'};
  std::atomic<int> shown{0};
  std::atomic<bool> done{false};

  SanitizerReportsToRealStandardError reports;
  ::testing::internal::CaptureStderr();
  std::vector<std::thread> showing;
  for (int t = 0; t < kShowingThreads; ++t) {
    showing.emplace_back([&] {
      while (!done.load()) {
        ShowWarningBox(kTitle, kText);
        ++shown;
      }
    });
  }
  // Switches among the two receivers and the default, each time until a box has been
  // shown that began after the switch: at most one box per thread was already under way.
  std::thread switching([&] {
    for (int round = 0; round < 90; ++round) {
      switch (round % 3) {
        case 0: SetWarningReceiver(&Count<'A'>, &a); break;
        case 1: SetWarningReceiver(&Count<'B'>, &b); break;
        default: SetWarningReceiver(nullptr, nullptr); break;
      }
      const int start = shown.load();
      while (shown.load() < start + kShowingThreads + 1) std::this_thread::yield();
    }
    done = true;
  });
  switching.join();
  for (auto& thread : showing) thread.join();
  const std::string written = ::testing::internal::GetCapturedStderr();

  int lines = 0;
  std::string unexpected;
  std::istringstream stream(written);
  const std::string expectedLine = Utf16ToUtf8(kTitle) + ": " + Utf16ToUtf8(kText);
  for (std::string line; std::getline(stream, line);) {
    if (line == expectedLine) {
      ++lines;
    } else {
      unexpected += line + "\n";
    }
  }
  EXPECT_EQ(unexpected, "");
  EXPECT_EQ(a.wrong.load(), 0);
  EXPECT_EQ(b.wrong.load(), 0);
  EXPECT_GT(a.calls.load(), 0);
  EXPECT_GT(b.calls.load(), 0);
  EXPECT_GT(lines, 0);
  // Every box went to exactly one place.
  EXPECT_EQ(a.calls.load() + b.calls.load() + lines, shown.load());
}

// Once SetWarningReceiver returns, the previous receiver is not running and is not called
// again, so its context may be destroyed.
struct Retiring {
  std::atomic<bool> retired{false};
  std::atomic<int> calls{0};
  std::atomic<int> callsAfterRetirement{0};
};

void ReceiveSlowly(const std::u16string&, const std::u16string&, void* context) {
  auto* receiver = static_cast<Retiring*>(context);
  ++receiver->calls;
  // Long enough for the thread replacing this receiver to get ahead, were it not held off.
  std::this_thread::sleep_for(std::chrono::microseconds(50));
  if (receiver->retired.load()) ++receiver->callsAfterRetirement;
}

TEST_F(WarningBoxConcurrencyTest, ReplacedReceiverIsNotCalledAfterwards) {
  KX_SKIP_ON_WINDOWS("on Windows each thread has its own receiver");
  std::deque<Retiring> receivers(40);
  SetWarningReceiver(&ReceiveSlowly, &receivers[0]);
  std::atomic<bool> done{false};
  std::vector<std::thread> showing;
  for (int t = 0; t < kShowingThreads; ++t) {
    showing.emplace_back([&] {
      while (!done.load()) ShowWarningBox(u"Title", u"text");
    });
  }
  for (size_t i = 0; i + 1 < receivers.size(); ++i) {
    while (receivers[i].calls.load() == 0) std::this_thread::yield();
    SetWarningReceiver(&ReceiveSlowly, &receivers[i + 1]);
    receivers[i].retired = true;
  }
  while (receivers.back().calls.load() == 0) std::this_thread::yield();
  done = true;
  for (auto& thread : showing) thread.join();

  for (size_t i = 0; i < receivers.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_GT(receivers[i].calls.load(), 0);
    EXPECT_EQ(receivers[i].callsAfterRetirement.load(), 0);
  }
}

}  // namespace
}  // namespace kx::platform
