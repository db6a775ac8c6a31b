// The SNMP manager on net-snmp's single-session interface: one request at a time per
// session, over UDP, waited for here so that only the answer to it ends the wait.
//
// The library is used without its configuration and MIB files: nothing is read from the
// user's home or the system, and object ids are numeric. Only its minimal initialisation
// runs (the one that session set-up does by itself), once per process; it leaves the
// process's locale, signals and files alone.
//
// The library would resolve a host name itself, for as long as the system's resolver
// takes: the name is resolved here instead, on a thread of its own that the caller waits
// for no longer than the requests' own tries, and the library gets the numeric address.

#include "platform/snmp.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::platform {

namespace {

constexpr uint32_t kMib2[] = {1, 3, 6, 1, 2, 1};

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Should anything later ask for the full initialisation, it reads no configuration
    // and keeps no state on disk.
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, "");
    // The library's first session set-up initialises its transports and request ids
    // (without MIBs or configuration); doing it here keeps it off racing threads.
    netsnmp_session unused;
    snmp_sess_init(&unused);
  });
}

bool CopyValue(const netsnmp_variable_list& variable, SnmpValue* value) {
  value->type = variable.type;
  switch (variable.type) {
    case ASN_INTEGER:
      if (variable.val.integer == nullptr) return false;
      value->integer = *variable.val.integer;
      return true;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
      if (variable.val.integer == nullptr) return false;
      value->integer = static_cast<int64_t>(static_cast<uint32_t>(*variable.val.integer));
      return true;
    case ASN_COUNTER64:
      if (variable.val.counter64 == nullptr) return false;
      value->integer = static_cast<int64_t>((static_cast<uint64_t>(variable.val.counter64->high)
                                             << 32) |
                                            (variable.val.counter64->low & 0xFFFFFFFFu));
      return true;
    case ASN_OBJECT_ID: {
      const size_t count = variable.val_len / sizeof(oid);
      if (count > 0 && variable.val.objid == nullptr) return false;
      value->objectId.reserve(count);
      for (size_t i = 0; i < count; ++i) {
        value->objectId.push_back(static_cast<uint32_t>(variable.val.objid[i]));
      }
      return true;
    }
    case ASN_OCTET_STR:
    case ASN_BIT_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
      if (variable.val_len > 0 && variable.val.string == nullptr) return false;
      value->bytes.assign(variable.val.string, variable.val.string + variable.val_len);
      return true;
    default:
      // NULL, the exceptions and types without a value of their own here.
      return true;
  }
}

// The one request a session has under way and what became of it. It lives as long as the
// session, since the library may still report on a request while it closes.
struct Exchange {
  long requestId = 0;
  bool done = false;
  bool timedOut = false;
  netsnmp_pdu* response = nullptr;
};

// The session's own callback gets every message that is not the answer to a request of
// the session (requests, traps, answers to requests given up): they are dropped.
int DropUnsolicited(int, netsnmp_session*, int, netsnmp_pdu*, void*) { return 1; }

// The request's callback. Only a RESPONSE with the request's id is the answer; the
// library has matched the id, and anything else keeps the request waiting.
int OnRequestEvent(int operation, netsnmp_session*, int requestId, netsnmp_pdu* pdu,
                   void* magic) {
  auto* exchange = static_cast<Exchange*>(magic);
  if (requestId != exchange->requestId || exchange->done) return 1;
  switch (operation) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
      if (pdu == nullptr || pdu->command != SNMP_MSG_RESPONSE) return 0;
      exchange->response = snmp_clone_pdu(pdu);
      break;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
      exchange->timedOut = true;
      break;
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
    case NETSNMP_CALLBACK_OP_DISCONNECT:
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
      break;
    default:
      return 0;  // a retry sent, and other news that end nothing
  }
  exchange->done = true;
  return 1;
}

class NetSnmpSession final : public SnmpSession {
 public:
  NetSnmpSession() = default;
  ~NetSnmpSession() override {
    if (handle_ != nullptr) snmp_sess_close(handle_);
    if (exchange_.response != nullptr) snmp_free_pdu(exchange_.response);
  }
  NetSnmpSession(const NetSnmpSession&) = delete;
  NetSnmpSession& operator=(const NetSnmpSession&) = delete;

  void set_handle(void* handle) { handle_ = handle; }

  bool Request(uint8_t pduType, std::vector<SnmpVarBind>* bindings, int32_t* errorStatus,
               int32_t* errorIndex) override {
    if (bindings == nullptr || errorStatus == nullptr || errorIndex == nullptr ||
        pduType != kSnmpPduGet) {
      SetLastErrorCode(kErrorInvalidParameter);
      return false;
    }
    netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
    if (request == nullptr) {
      SetLastErrorCode(kErrorNotEnoughMemory);
      return false;
    }
    for (const SnmpVarBind& binding : *bindings) {
      if (binding.name.empty() || binding.name.size() > kMaxObjectIdLength) {
        snmp_free_pdu(request);
        SetLastErrorCode(kSnmpMgmtApiInvalidBuffer);
        return false;
      }
      oid name[kMaxObjectIdLength];
      for (size_t i = 0; i < binding.name.size(); ++i) name[i] = binding.name[i];
      if (snmp_add_null_var(request, name, binding.name.size()) == nullptr) {
        snmp_free_pdu(request);
        SetLastErrorCode(kErrorNotEnoughMemory);
        return false;
      }
    }
    if (exchange_.response != nullptr) snmp_free_pdu(exchange_.response);
    exchange_ = Exchange();
    exchange_.requestId = request->reqid;
    if (snmp_sess_async_send(handle_, request, OnRequestEvent, &exchange_) == 0) {
      snmp_free_pdu(request);
      SetLastErrorCode(kSnmpMgmtApiSelectFdErrors);
      return false;
    }
    if (!Wait()) {
      SetLastErrorCode(kSnmpMgmtApiSelectFdErrors);
      return false;
    }
    netsnmp_pdu* response = exchange_.response;
    exchange_.response = nullptr;
    if (response == nullptr) {
      SetLastErrorCode(exchange_.timedOut ? kSnmpMgmtApiTimeout : kSnmpMgmtApiSelectFdErrors);
      return false;
    }
    std::vector<SnmpVarBind> answer;
    bool complete = true;
    for (const netsnmp_variable_list* variable = response->variables; variable != nullptr;
         variable = variable->next_variable) {
      SnmpVarBind binding;
      binding.name.assign(variable->name, variable->name + variable->name_length);
      complete = complete && CopyValue(*variable, &binding.value);
      answer.push_back(std::move(binding));
    }
    const long status = response->errstat;
    const long index = response->errindex;
    snmp_free_pdu(response);
    if (!complete) {
      SetLastErrorCode(kSnmpMgmtApiInvalidBuffer);
      return false;
    }
    *bindings = std::move(answer);
    *errorStatus = status < 0 || status > std::numeric_limits<int32_t>::max()
                       ? kSnmpErrorGeneral
                       : static_cast<int32_t>(status);
    *errorIndex = index < 0 || index > std::numeric_limits<int32_t>::max()
                      ? 0
                      : static_cast<int32_t>(index);
    return true;
  }

 private:
  // Reads and retries until the request is answered or given up; false when waiting
  // itself failed.
  bool Wait() {
    netsnmp_large_fd_set readable;
    netsnmp_large_fd_set_init(&readable, FD_SETSIZE);
    bool waited = true;
    while (!exchange_.done) {
      int descriptors = 0;
      int block = 1;
      timeval timeout{};
      NETSNMP_LARGE_FD_ZERO(&readable);
      snmp_sess_select_info2(handle_, &descriptors, &readable, &timeout, &block);
      if (block) {
        // Nothing under way, so nothing will end the wait.
        waited = false;
        break;
      }
      const int count = netsnmp_large_fd_set_select(descriptors, &readable, nullptr, nullptr,
                                                    &timeout);
      if (count > 0) {
        snmp_sess_read2(handle_, &readable);
      } else if (count == 0) {
        snmp_sess_timeout(handle_);
      } else if (errno != EINTR) {
        waited = false;
        break;
      }
    }
    netsnmp_large_fd_set_cleanup(&readable);
    return waited;
  }

  void* handle_ = nullptr;
  Exchange exchange_;
};

// "host:port" into its parts; a text whose part after the last colon is not a port
// number is all host (and then resolves to nothing).
void SplitAddress(const std::string& address, std::string* host, std::string* port) {
  *host = address;
  port->clear();
  const size_t colon = address.rfind(':');
  if (colon == std::string::npos) return;
  const char* begin = address.data() + colon + 1;
  const char* end = address.data() + address.size();
  uint32_t number = 0;
  const auto [stop, error] = std::from_chars(begin, end, number);
  if (error != std::errc() || stop != end || number == 0 || number > 65535) return;
  *host = address.substr(0, colon);
  *port = address.substr(colon + 1);
}

// The first IPv4 address of `host` in dotted form, or an empty text when it has none.
// `flags` AI_NUMERICHOST accepts only a literal address, without asking any resolver.
std::string FirstIpv4Address(const std::string& host, int flags) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = flags;
  addrinfo* found = nullptr;
  if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0) return {};
  std::string dotted;
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addr == nullptr) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) != nullptr) {
      dotted = text;
      break;
    }
  }
  freeaddrinfo(found);
  return dotted;
}

// A resolution under way. The resolving thread shares it with the caller, so that a
// caller that stopped waiting leaves it to the thread, which frees it when it ends.
struct PendingResolution {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::string address;
};

void Resolve(std::string host, std::shared_ptr<PendingResolution> pending) {
  std::string address = FirstIpv4Address(host, 0);
  {
    std::lock_guard<std::mutex> lock(pending->mutex);
    pending->address = std::move(address);
    pending->done = true;
  }
  pending->finished.notify_all();
}

// A resolving thread still runs this library's code after its caller gave up on it:
// the library stays loaded for the rest of the process, whatever module loaded it.
void KeepLibraryLoaded() {
  static std::once_flag once;
  std::call_once(once, [] {
    Dl_info info{};
    if (dladdr(static_cast<const void*>(kMib2), &info) != 0 && info.dli_fname != nullptr) {
      // The handle is never closed: it is what keeps the library.
      dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
    }
  });
}

// `host` as a numeric IPv4 address. A literal address is taken as it is; a name is asked
// of the system's resolver for at most `budget`. False with the last error set:
// kSnmpMgmtApiTimeout when the resolver did not finish in time, kSnmpMgmtApiSelectFdErrors
// when the name has no IPv4 address.
bool ResolveHost(const std::string& host, std::chrono::milliseconds budget,
                 std::string* address) {
  *address = FirstIpv4Address(host, AI_NUMERICHOST);
  if (!address->empty()) return true;
  if (host.empty()) {
    SetLastErrorCode(kSnmpMgmtApiSelectFdErrors);
    return false;
  }
  auto pending = std::make_shared<PendingResolution>();
  try {
    std::thread(Resolve, host, pending).detach();
  } catch (const std::system_error&) {
    SetLastErrorCode(kErrorNotEnoughMemory);
    return false;
  }
  std::unique_lock<std::mutex> lock(pending->mutex);
  if (!pending->finished.wait_for(lock, budget, [&] { return pending->done; })) {
    KeepLibraryLoaded();
    SetLastErrorCode(kSnmpMgmtApiTimeout);
    return false;
  }
  if (pending->address.empty()) {
    SetLastErrorCode(kSnmpMgmtApiSelectFdErrors);
    return false;
  }
  *address = pending->address;
  return true;
}

}  // namespace

std::unique_ptr<SnmpSession> OpenSnmpSession(const std::string& agentAddress,
                                             const std::string& community,
                                             int timeoutMilliseconds, int retries) {
  if (agentAddress.empty() || agentAddress.find('\0') != std::string::npos ||
      timeoutMilliseconds < 0 || retries < 0) {
    SetLastErrorCode(kErrorInvalidParameter);
    return nullptr;
  }
  // The name is resolved within what the requests' tries would take together, so that
  // the caller never waits longer for an agent whose name resolves slowly.
  std::string host;
  std::string port;
  SplitAddress(agentAddress, &host, &port);
  // (Bounded to a day, which the clocks' arithmetic can still hold.)
  constexpr int64_t kLongestBudget = 24 * 60 * 60 * 1000;
  const auto budget = std::chrono::milliseconds(std::min<int64_t>(
      static_cast<int64_t>(timeoutMilliseconds) * (static_cast<int64_t>(retries) + 1),
      kLongestBudget));
  std::string numeric;
  if (!ResolveHost(host, budget, &numeric)) return nullptr;
  InitialiseOnce();
  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.version = SNMP_VERSION_1;
  // Always UDP, to the numeric address: nothing is left for the library to resolve, and
  // an address that names another transport has not resolved above.
  std::string peer = "udp:" + numeric + (port.empty() ? "" : ":" + port);
  settings.peername = peer.data();
  // The library copies the community; an empty one is sent empty.
  std::string communityCopy = community;
  settings.community = reinterpret_cast<u_char*>(communityCopy.data());
  settings.community_len = communityCopy.size();
  settings.timeout = static_cast<long>(timeoutMilliseconds) * 1000;
  settings.retries = retries;
  settings.callback = DropUnsolicited;
  settings.callback_magic = nullptr;
  void* handle = snmp_sess_open(&settings);
  if (handle == nullptr) {
    SetLastErrorCode(kSnmpMgmtApiSelectFdErrors);
    return nullptr;
  }
  auto session = std::make_unique<NetSnmpSession>();
  session->set_handle(handle);
  return session;
}

bool SnmpTextToObjectId(const std::string& text, SnmpObjectId* objectId) {
  if (objectId == nullptr || text.empty()) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  SnmpObjectId result;
  size_t position = 0;
  if (text[0] == '.') {
    position = 1;
  } else {
    result.assign(std::begin(kMib2), std::end(kMib2));
  }
  for (;;) {
    const char* begin = text.data() + position;
    const char* end = text.data() + text.size();
    uint32_t number = 0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc() || stop == begin || result.size() == kMaxObjectIdLength) {
      SetLastErrorCode(kErrorInvalidParameter);
      return false;
    }
    result.push_back(number);
    position = static_cast<size_t>(stop - text.data());
    if (position == text.size()) break;
    if (text[position] != '.') {
      SetLastErrorCode(kErrorInvalidParameter);
      return false;
    }
    ++position;
  }
  *objectId = std::move(result);
  return true;
}

}  // namespace kx::platform
