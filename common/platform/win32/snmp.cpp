// The SNMP manager on the system's SNMP manager library (mgmtapi, with snmpapi's memory
// routines). Everything handed to the library is allocated with SnmpUtilMemAlloc, as it
// frees answers and binding lists with SnmpUtilMemFree.

#include "platform/snmp.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "windows_support.h"

// After windows_support.h, which brings <windows.h> in without winsock.
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
  LibraryText hostText(host);
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
