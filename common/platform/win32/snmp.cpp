// The SNMP manager on the system's SNMP manager library (mgmtapi, with snmpapi's memory
// routines). Everything handed to the library is allocated with SnmpUtilMemAlloc, as it
// frees answers and binding lists with SnmpUtilMemFree.
//
// SnmpMgrOpen would resolve a host name itself, for as long as the system's resolver
// takes: the name is resolved here instead, on a thread of its own that the caller waits
// for no longer than the requests' own tries, and the library gets the numeric address.

#include "platform/snmp.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "windows_support.h"

// After windows_support.h, which brings <windows.h> in without winsock.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mgmtapi.h>
#include <snmp.h>

namespace kx::platform {

namespace {

// A string the library takes as LPSTR, in a block of its own allocator.
class LibraryText {
 public:
  explicit LibraryText(const std::string& text)
      : text_(static_cast<char*>(SnmpUtilMemAlloc(static_cast<UINT>(text.size() + 1)))) {
    if (text_ != nullptr) std::memcpy(text_, text.c_str(), text.size() + 1);
  }
  ~LibraryText() {
    if (text_ != nullptr) SnmpUtilMemFree(text_);
  }
  LibraryText(const LibraryText&) = delete;
  LibraryText& operator=(const LibraryText&) = delete;

  char* get() const { return text_; }

 private:
  char* text_;
};

// A binding list that frees itself with the library's routine.
class LibraryBindingList {
 public:
  LibraryBindingList() = default;
  ~LibraryBindingList() {
    if (list_.list != nullptr) SnmpUtilVarBindListFree(&list_);
  }
  LibraryBindingList(const LibraryBindingList&) = delete;
  LibraryBindingList& operator=(const LibraryBindingList&) = delete;

  bool Fill(const std::vector<SnmpVarBind>& bindings) {
    if (bindings.empty()) return true;
    list_.list = static_cast<::SnmpVarBind*>(
        SnmpUtilMemAlloc(static_cast<UINT>(bindings.size() * sizeof(::SnmpVarBind))));
    if (list_.list == nullptr) return false;
    std::memset(list_.list, 0, bindings.size() * sizeof(::SnmpVarBind));
    list_.len = static_cast<UINT>(bindings.size());
    for (size_t i = 0; i < bindings.size(); ++i) {
      const SnmpObjectId& name = bindings[i].name;
      auto* ids =
          static_cast<UINT*>(SnmpUtilMemAlloc(static_cast<UINT>(name.size() * sizeof(UINT))));
      if (ids == nullptr) return false;
      for (size_t j = 0; j < name.size(); ++j) ids[j] = name[j];
      list_.list[i].name.ids = ids;
      list_.list[i].name.idLength = static_cast<UINT>(name.size());
      list_.list[i].value.asnType = ASN_NULL;
    }
    return true;
  }

  RFC1157VarBindList* get() { return &list_; }

 private:
  SnmpVarBindList list_{nullptr, 0};
};

void CopyBytes(const AsnOctetString& string, SnmpValue* value) {
  if (string.stream != nullptr) value->bytes.assign(string.stream, string.stream + string.length);
}

void CopyValue(const AsnAny& any, SnmpValue* value) {
  value->type = any.asnType;
  switch (any.asnType) {
    case ASN_INTEGER:
      value->integer = any.asnValue.number;
      break;
    case ASN_COUNTER32:
    case ASN_GAUGE32:
    case ASN_TIMETICKS:
    case ASN_UINTEGER32:
      value->integer = any.asnValue.unsigned32;
      break;
    case ASN_COUNTER64:
      value->integer = static_cast<int64_t>(any.asnValue.counter64.QuadPart);
      break;
    case ASN_OBJECTIDENTIFIER:
      if (any.asnValue.object.ids != nullptr) {
        value->objectId.assign(any.asnValue.object.ids,
                               any.asnValue.object.ids + any.asnValue.object.idLength);
      }
      break;
    case ASN_OCTETSTRING:
    case ASN_BITS:
    case ASN_SEQUENCE:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
      CopyBytes(any.asnValue.string, value);
      break;
    default:
      // NULL, the exceptions and types whose value the library does not describe.
      break;
  }
}

class Win32SnmpSession final : public SnmpSession {
 public:
  explicit Win32SnmpSession(LPSNMP_MGR_SESSION session) : session_(session) {}
  ~Win32SnmpSession() override { SnmpMgrClose(session_); }
  Win32SnmpSession(const Win32SnmpSession&) = delete;
  Win32SnmpSession& operator=(const Win32SnmpSession&) = delete;

  bool Request(uint8_t pduType, std::vector<SnmpVarBind>* bindings, int32_t* errorStatus,
               int32_t* errorIndex) override {
    if (bindings == nullptr || errorStatus == nullptr || errorIndex == nullptr) {
      SetLastErrorCode(kErrorInvalidParameter);
      return false;
    }
    LibraryBindingList list;
    if (!list.Fill(*bindings)) {
      SetLastErrorCode(kErrorNotEnoughMemory);
      return false;
    }
    AsnInteger status = 0;
    AsnInteger index = 0;
    if (SnmpMgrRequest(session_, pduType, list.get(), &status, &index) == SNMPAPI_ERROR) {
      return false;  // the library's last error stands
    }
    std::vector<SnmpVarBind> answer(list.get()->len);
    for (UINT i = 0; i < list.get()->len; ++i) {
      const ::SnmpVarBind& binding = list.get()->list[i];
      if (binding.name.ids != nullptr) {
        answer[i].name.assign(binding.name.ids, binding.name.ids + binding.name.idLength);
      }
      CopyValue(binding.value, &answer[i].value);
    }
    *bindings = std::move(answer);
    *errorStatus = status;
    *errorIndex = index;
    return true;
  }

 private:
  LPSNMP_MGR_SESSION session_;
};

// "host:port" into its parts; a text without a port, or whose part after the last colon
// is not a port number, is all host.
void SplitAddress(const std::string& address, std::string* host, UINT* port) {
  *host = address;
  *port = 0;
  const size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon + 1 == address.size()) return;
  const char* begin = address.data() + colon + 1;
  const char* end = address.data() + address.size();
  uint32_t number = 0;
  const auto [stop, error] = std::from_chars(begin, end, number);
  if (error != std::errc() || stop != end || number == 0 || number > 65535) return;
  *host = address.substr(0, colon);
  *port = number;
}

// Winsock, started for as long as the object lives.
class WinsockUse {
 public:
  WinsockUse() {
    WSADATA data{};
    error_ = WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~WinsockUse() {
    if (error_ == 0) WSACleanup();
  }
  WinsockUse(const WinsockUse&) = delete;
  WinsockUse& operator=(const WinsockUse&) = delete;

  int error() const { return error_; }

 private:
  int error_;
};

// The first IPv4 address of `host` in dotted form; 0, or the resolver's error (a WSA
// code) when there is none. `flags` AI_NUMERICHOST accepts only a literal address,
// without asking any resolver.
int FirstIpv4Address(const std::string& host, int flags, std::string* dotted) {
  dotted->clear();
  WinsockUse winsock;
  if (winsock.error() != 0) return winsock.error();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = flags;
  addrinfo* found = nullptr;
  const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (error != 0) return error;
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    char text[NI_MAXHOST] = {};
    if (entry->ai_family == AF_INET && entry->ai_addr != nullptr &&
        getnameinfo(entry->ai_addr, static_cast<socklen_t>(entry->ai_addrlen), text,
                    sizeof(text), nullptr, 0, NI_NUMERICHOST) == 0) {
      *dotted = text;
      break;
    }
  }
  freeaddrinfo(found);
  return dotted->empty() ? WSAHOST_NOT_FOUND : 0;
}

// A resolution under way. The resolving thread shares it with the caller, so that a
// caller that stopped waiting leaves it to the thread, which frees it when it ends. The
// thread writes the result before it signals `finished`; the caller reads it only after
// seeing the signal.
struct PendingResolution {
  PendingResolution() : finished(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~PendingResolution() {
    if (finished != nullptr) CloseHandle(finished);
  }
  PendingResolution(const PendingResolution&) = delete;
  PendingResolution& operator=(const PendingResolution&) = delete;

  HANDLE finished;
  std::string host;
  int error = 0;
  std::string address;
};

// What the resolving thread starts with: its share of the resolution, and a reference to
// the module whose code it runs, so that a module unloaded while the thread still
// resolves stays mapped until the thread has left it.
struct ResolutionStart {
  std::shared_ptr<PendingResolution> pending;
  HMODULE module = nullptr;
};

DWORD WINAPI ResolveOnThread(LPVOID parameter) {
  HMODULE module = nullptr;
  {
    std::unique_ptr<ResolutionStart> start(static_cast<ResolutionStart*>(parameter));
    module = start->module;
    PendingResolution& pending = *start->pending;
    pending.error = FirstIpv4Address(pending.host, 0, &pending.address);
    SetEvent(pending.finished);
  }
  if (module != nullptr) FreeLibraryAndExitThread(module, 0);
  return 0;
}

// `host` as a numeric IPv4 address. A literal address is taken as it is; a name is asked
// of the system's resolver for at most `budgetMilliseconds`. False with the last error
// set: kSnmpMgmtApiTimeout when the resolver did not finish in time, the resolver's
// error when the name has no IPv4 address.
bool ResolveHost(const std::string& host, DWORD budgetMilliseconds, std::string* address) {
  if (FirstIpv4Address(host, AI_NUMERICHOST, address) == 0) return true;
  if (host.empty()) {
    SetLastErrorCode(WSAHOST_NOT_FOUND);
    return false;
  }
  auto pending = std::make_shared<PendingResolution>();
  if (pending->finished == nullptr) return false;  // CreateEventW's last error stands
  pending->host = host;
  auto start = std::make_unique<ResolutionStart>();
  start->pending = pending;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCWSTR>(&ResolveOnThread), &start->module)) {
    start->module = nullptr;
  }
  const HMODULE module = start->module;
  HANDLE thread = CreateThread(nullptr, 0, ResolveOnThread, start.get(), 0, nullptr);
  if (thread == nullptr) {
    const DWORD error = GetLastError();
    if (module != nullptr) FreeLibrary(module);
    SetLastErrorCode(error);
    return false;
  }
  start.release();  // the thread's now
  CloseHandle(thread);
  if (WaitForSingleObject(pending->finished, budgetMilliseconds) != WAIT_OBJECT_0) {
    SetLastErrorCode(kSnmpMgmtApiTimeout);
    return false;
  }
  if (pending->error != 0) {
    SetLastErrorCode(static_cast<uint32_t>(pending->error));
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
  std::string host;
  UINT port = 0;
  SplitAddress(agentAddress, &host, &port);
  // The name is resolved within what the requests' tries would take together, so that
  // the caller never waits longer for an agent whose name resolves slowly. (Bounded to a
  // day, short of INFINITE.)
  constexpr int64_t kLongestBudget = 24 * 60 * 60 * 1000;
  const auto budget = static_cast<DWORD>(std::min<int64_t>(
      static_cast<int64_t>(timeoutMilliseconds) * (static_cast<int64_t>(retries) + 1),
      kLongestBudget));
  std::string numeric;
  if (!ResolveHost(host, budget, &numeric)) return nullptr;
  LibraryText hostText(numeric);
  LibraryText communityText(community);
  if (hostText.get() == nullptr || communityText.get() == nullptr) {
    SetLastErrorCode(kErrorNotEnoughMemory);
    return nullptr;
  }
  LPSNMP_MGR_SESSION session =
      SnmpMgrOpen(hostText.get(), communityText.get(), timeoutMilliseconds, retries);
  if (session == nullptr) return nullptr;  // the library's last error stands
  auto result = std::make_unique<Win32SnmpSession>(session);
  if (port != 0) {
    DWORD returned = 0;
    if (!SnmpMgrCtl(session, MGMCTL_SETAGENTPORT, &port, sizeof(port), nullptr, 0, &returned)) {
      return nullptr;
    }
  }
  return result;
}

bool SnmpTextToObjectId(const std::string& text, SnmpObjectId* objectId) {
  if (objectId == nullptr || text.empty()) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  LibraryText copy(text);
  if (copy.get() == nullptr) {
    SetLastErrorCode(kErrorNotEnoughMemory);
    return false;
  }
  AsnObjectIdentifier converted{0, nullptr};
  SetLastErrorCode(kErrorSuccess);
  if (!SnmpMgrStrToOid(copy.get(), &converted)) {
    if (GetLastErrorCode() == kErrorSuccess) SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  const bool fits = converted.idLength > 0 && converted.idLength <= kMaxObjectIdLength;
  if (fits) objectId->assign(converted.ids, converted.ids + converted.idLength);
  SnmpUtilOidFree(&converted);
  if (!fits) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  return true;
}

}  // namespace kx::platform
