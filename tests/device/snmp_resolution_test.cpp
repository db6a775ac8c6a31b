// Opening an SNMP session on a host name: the name's resolution is bounded by the
// session's tries, whatever the system's resolver does.
//
// The system's resolver is this binary's getaddrinfo, which passes every name to the C
// library's except one: a name that stands for a resolver which does not answer until the
// test lets it (as one waiting for an unreachable name server), so a slow resolution is
// made here without the network.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <netdb.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "device/snmp_agent.h"
#include "platform/last_error.h"
#include "platform/snmp.h"

namespace kx::platform {
namespace {

constexpr char kSlowName[] = "slow-resolver.invalid";

// The held-up resolutions. Never destroyed: a resolution the library gave up on may
// still be in it when the test ends.
struct SlowResolver {
  std::mutex mutex;
  std::condition_variable changed;
  bool released = false;
  int waiting = 0;
  int finished = 0;
};

SlowResolver& Slow() {
  static SlowResolver* resolver = new SlowResolver;
  return *resolver;
}

using GetAddrInfo = int (*)(const char*, const char*, const addrinfo*, addrinfo**);

GetAddrInfo SystemGetAddrInfo() {
  static const auto function = reinterpret_cast<GetAddrInfo>(dlsym(RTLD_NEXT, "getaddrinfo"));
  return function;
}

// Waits until released (or a minute, should the test never release it), then answers as
// a resolver that found the name: with the loopback address.
int HoldUpResolution(const char* service, const addrinfo* hints, addrinfo** result) {
  SlowResolver& slow = Slow();
  {
    std::unique_lock<std::mutex> lock(slow.mutex);
    ++slow.waiting;
    slow.changed.notify_all();
    slow.changed.wait_for(lock, std::chrono::minutes(1), [&] { return slow.released; });
    --slow.waiting;
  }
  const int answer = SystemGetAddrInfo()("127.0.0.1", service, hints, result);
  {
    std::lock_guard<std::mutex> lock(slow.mutex);
    ++slow.finished;
  }
  slow.changed.notify_all();
  return answer;
}

bool IsInvalidName(const char* name) {
  constexpr std::string_view kInvalidDomain = ".invalid";
  const std::string_view text(name);
  return text.size() > kInvalidDomain.size() && text.ends_with(kInvalidDomain);
}

}  // namespace
}  // namespace kx::platform

// Visible to the shared libraries, the platform's among them, which then call it.
extern "C" __attribute__((visibility("default"))) int getaddrinfo(
    const char* __restrict name, const char* __restrict service, const addrinfo* __restrict hints,
    addrinfo** __restrict result) {
  // A literal address only (AI_NUMERICHOST) is no question for a resolver.
  const bool literalOnly = hints != nullptr && (hints->ai_flags & AI_NUMERICHOST) != 0;
  if (name != nullptr && !literalOnly && std::strcmp(name, kx::platform::kSlowName) == 0) {
    return kx::platform::HoldUpResolution(service, hints, result);
  }
  // No name under ".invalid" exists; a resolver that knows it says so without asking a
  // name server, so the test does not depend on the machine's network.
  if (name != nullptr && !literalOnly && kx::platform::IsInvalidName(name)) return EAI_NONAME;
  return kx::platform::SystemGetAddrInfo()(name, service, hints, result);
}

namespace kx::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kSentinel = 0xDEADBEEF;

// What the pages wait for at most: every try of one request.
constexpr auto kBudget = std::chrono::milliseconds(kSnmpTimeoutMilliseconds * (kSnmpRetries + 1));
// Far above the budget: the bound checked, without depending on the machine's speed.
constexpr auto kGenerousBound = 5 * kBudget;

TEST(SnmpResolutionTest, SlowResolverIsGivenUpAfterTheTries) {
  SlowResolver& slow = Slow();
  const Clock::time_point start = Clock::now();
  SetLastErrorCode(kSentinel);
  auto session = OpenSnmpSession(std::string(kSlowName) + ":161", "kestra",
                                 kSnmpTimeoutMilliseconds, kSnmpRetries);
  const Clock::duration waited = Clock::now() - start;
  EXPECT_EQ(session, nullptr);
  EXPECT_EQ(GetLastErrorCode(), kSnmpMgmtApiTimeout);
  EXPECT_LT(waited, kGenerousBound);
  {
    // The open returned while the resolver was still held up: it did not wait for it.
    std::unique_lock<std::mutex> lock(slow.mutex);
    EXPECT_EQ(slow.waiting, 1);
    EXPECT_EQ(slow.finished, 0);
    // The resolver answers after all; the resolution given up on takes the answer and
    // ends without its caller.
    slow.released = true;
    slow.changed.notify_all();
    EXPECT_TRUE(slow.changed.wait_for(lock, std::chrono::seconds(30),
                                      [&] { return slow.finished == 1; }));
  }

  // Sessions open as before once it has gone.
  test::SnmpAgent agent({{".1.3.6.1.4.1.480.9.1.0", "integer", "7"}});
  ASSERT_TRUE(agent.running());
  EXPECT_NE(OpenSnmpSession(agent.address(), "kestra", kSnmpTimeoutMilliseconds, kSnmpRetries),
            nullptr);
}

TEST(SnmpResolutionTest, NamesWithoutAddressFailAtOnce) {
  // The resolver's "no such name" is the open's own failure, not a time-out.
  const char* const addresses[] = {
      "kx-printer.invalid",
      "kx-printer.invalid:161",
      "tcp:127.0.0.1:161",  // another transport than UDP is no host name
      ":161",
  };
  for (const char* address : addresses) {
    SCOPED_TRACE(address);
    const Clock::time_point start = Clock::now();
    SetLastErrorCode(kSentinel);
    EXPECT_EQ(OpenSnmpSession(address, "kestra", kSnmpTimeoutMilliseconds, kSnmpRetries), nullptr);
    EXPECT_EQ(GetLastErrorCode(), kSnmpMgmtApiSelectFdErrors);
    EXPECT_LT(Clock::now() - start, kGenerousBound);
  }
}

TEST(SnmpResolutionTest, LiteralAddressesAndHostNamesReachTheAgent) {
  test::SnmpAgent agent({{".1.3.6.1.4.1.480.9.1.0", "integer", "7"}});
  ASSERT_TRUE(agent.running());
  const std::string port = std::to_string(agent.port());
  const std::string addresses[] = {"127.0.0.1:" + port, "localhost:" + port};
  for (const std::string& address : addresses) {
    SCOPED_TRACE(address);
    auto session = OpenSnmpSession(address, "kestra", kSnmpTimeoutMilliseconds, kSnmpRetries);
    ASSERT_NE(session, nullptr);
    SnmpObjectId name;
    ASSERT_TRUE(SnmpTextToObjectId(".1.3.6.1.4.1.480.9.1.0", &name));
    std::vector<SnmpVarBind> bindings = {{name, {}}};
    int32_t status = -1;
    int32_t index = -1;
    ASSERT_TRUE(session->Request(kSnmpPduGet, &bindings, &status, &index));
    EXPECT_EQ(status, kSnmpErrorNoError);
    ASSERT_EQ(bindings.size(), 1u);
    EXPECT_EQ(bindings[0].value.integer, 7);
  }
}

}  // namespace
}  // namespace kx::platform
