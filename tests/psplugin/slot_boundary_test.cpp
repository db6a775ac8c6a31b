// Memory running out inside the rendering plug-in's exports and slots: each answers its
// own failure value rather than letting the exception reach the host, and works again
// once memory is back. The plug-in is linked into this program (exports included), so
// that the program's own allocation functions can fail any allocation the plug-in makes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/oemps.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "support/test_printer.h"

extern "C" kx::host::HRESULT KX_STDCALL DllGetClassObject(const kx::host::CLSID& clsid,
                                                         const kx::host::IID& iid,
                                                         void** object);
extern "C" kx::host::HRESULT KX_STDCALL DllCanUnloadNow();

namespace {

// One allocation of this thread, counted from when a test arms the fault, fails.
struct AllocationFault {
  bool armed = false;
  uint64_t allowed = 0;  // allocations that still succeed before the one that fails
  bool struck = false;
};
thread_local AllocationFault fault;

void Arm(uint64_t allowed) { fault = AllocationFault{true, allowed, false}; }

// Disarms; whether the armed allocation was reached.
bool Disarm() {
  const bool struck = fault.struck;
  fault = AllocationFault{};
  return struck;
}

void* Allocate(std::size_t size) noexcept {
  if (fault.armed) {
    if (fault.allowed == 0) {
      fault.armed = false;
      fault.struck = true;
      return nullptr;
    }
    --fault.allowed;
  }
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace kx::ps {
namespace {

using namespace host;

// What a call answered: its result, and one more value the row cares about.
struct Answer {
  int64_t value = 0;
  int64_t detail = 0;
  bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& answer) {
  return out << "{" << answer.value << ", " << answer.detail << "}";
}

// What the host does in this test, kept behind the device object's engine handle.
struct HostSide {
  std::string spool;
  std::u16string documentName;
  bool throws = false;  // every host function throws, as a host written in C++ might
};

HostSide& HostOf(DEVOBJ* devobj) { return *static_cast<HostSide*>(devobj->hEngine); }

void ThrowIfAsked(const HostSide& host) {
  if (host.throws) throw std::runtime_error("the host failed");
}

// The host's service interface: writes go to the device's spool.
class HostDriver final : public IPrintOemDriverPS {
 public:
  explicit HostDriver(HostSide& host) : host_(host) {}

  HRESULT KX_STDCALL QueryInterface(const IID& iid, void** object) override {
    ThrowIfAsked(host_);
    if (!(iid == IID_IUnknown || iid == IID_IPrintOemDriverPS)) return E_NOINTERFACE;
    *object = static_cast<IPrintOemDriverPS*>(this);
    return S_OK;
  }
  // The test owns the object; counting is not this test's business.
  ULONG KX_STDCALL AddRef() override { return 2; }
  ULONG KX_STDCALL Release() override { return 1; }
  HRESULT KX_STDCALL DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT KX_STDCALL DrvWriteSpoolBuf(DEVOBJ* devobj, PVOID buffer, DWORD size,
                                      DWORD* written) override {
    ThrowIfAsked(HostOf(devobj));
    HostOf(devobj).spool.append(static_cast<const char*>(buffer), size);
    if (written != nullptr) *written = size;
    return S_OK;
  }

 private:
  HostSide& host_;
};

// The host's own start of a document: it keeps the document's name, which takes memory.
BOOL KX_STDCALL HostStartDoc(SURFOBJ* surface, PWSTR documentName, DWORD) {
  HostSide& host = HostOf(static_cast<DEVOBJ*>(surface->dhpdev));
  ThrowIfAsked(host);
  host.documentName = std::u16string(documentName);
  return 1;
}

DRVFN kHostFunctions[] = {{INDEX_DrvStartDoc, reinterpret_cast<PFN>(&HostStartDoc)}};

// One plug-in object driven as the host drives it, with one enabled device.
class SlotBoundaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Room for every job text of the test, so that the host's spool takes no memory.
    host_.spool.reserve(size_t{4} << 20);
    ASSERT_EQ(DllGetClassObject(CLSID_OEMRENDER, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory_)),
              S_OK);
    ASSERT_EQ(factory_->CreateInstance(nullptr, IID_IPrintOemPS,
                                       reinterpret_cast<void**>(&plugin_)),
              S_OK);
    ASSERT_EQ(plugin_->PublishDriverInterface(&driver_), S_OK);
    DRVENABLEDATA hooks{};
    ASSERT_EQ(plugin_->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof(hooks), &hooks), S_OK);
    for (ULONG row = 0; row < hooks.c; ++row) {
      if (hooks.pdrvfn[row].iFunc == INDEX_DrvStartDoc) {
        startDocHook_ = reinterpret_cast<DrvStartDocFn>(hooks.pdrvfn[row].pfn);
      }
    }
    ASSERT_NE(startDocHook_, nullptr);

    devMode_.dmSpecVersion = DM_SPECVERSION;
    devMode_.dmSize = sizeof(DEVMODEW);
    devMode_.dmOrientation = DMORIENT_PORTRAIT;
    devMode_.dmPaperWidth = 2100;
    devMode_.dmPaperLength = 2970;
    devMode_.dmCopies = 1;
    devMode_.dmMediaType = 256;
    record_.assign(sizeof(settings::PrivateRecord), 0);
    ASSERT_EQ(DevMode(OEMDM_DEFAULT, nullptr, record_.data()), S_OK);
    TurnOnWhatWritesText(*reinterpret_cast<settings::PrivateRecord*>(record_.data()));
    devMode_.dmDriverExtra = static_cast<WORD>(record_.size());
    devobj_.dwSize = sizeof(DEVOBJ);
    devobj_.hEngine = &host_;
    devobj_.hPrinter = printer_.handle();
    devobj_.pPublicDM = &devMode_;
    devobj_.pOEMDM = record_.data();
    ASSERT_EQ(EnablePdev(&devobj_.pdevOEM), S_OK);
  }

  void TearDown() override { ReleasePlugin(); }

  // Settings under which every injection point writes: the media type, a turned page, a
  // watermark over the page, banner pages and an overlay from the printer's disk.
  static void TurnOnWhatWritesText(settings::PrivateRecord& record) {
    record.watermark.enabled = 1;
    record.watermark.background = 0;
    settings::StoreText(record.watermark.text, u"CONFIDENTIAL");
    settings::StoreText(record.watermark.fontName, u"Helvetica");
    record.singleUserMode = 1;  // the media type goes into the comments
    record.rotation = 1;        // each page set-up turns the page
    record.headerPage = 1;
    record.trailerPage = 1;
    record.devOpts.installedOptions[settings::kHasHardDisk] = 1;
    settings::OverlayEntry& overlay = record.overlays[settings::kOverlayAllPages];
    overlay.enabled = 1;
    settings::StoreText(overlay.fileName, u"FORM.PS");
  }

  void ReleasePlugin() {
    if (plugin_ == nullptr) return;
    if (devobj_.pdevOEM != nullptr) plugin_->DisablePDEV(&devobj_);
    plugin_->DisableDriver();
    plugin_->Release();
    plugin_ = nullptr;
    factory_->Release();
    factory_ = nullptr;
  }

  HRESULT DevMode(DWORD mode, void* input, void* output) {
    OEMDMPARAM param{};
    param.cbSize = sizeof(param);
    param.hPrinter = printer_.handle();
    param.pPublicDMIn = &devMode_;
    param.pPublicDMOut = &devMode_;
    param.pOEMDMIn = input;
    param.pOEMDMOut = output;
    param.cbBufSize = static_cast<DWORD>(record_.size());
    return plugin_->DevMode(mode, &param);
  }

  HRESULT EnablePdev(PDEVOEM* state) {
    DRVENABLEDATA hostTable{PRINTER_OEMINTF_VERSION, 1, kHostFunctions};
    return plugin_->EnablePDEV(&devobj_, const_cast<PWSTR>(u"KX48T7"), 0, nullptr, 0, nullptr,
                               0, nullptr, &hostTable, state);
  }

  // Answers {result, whether an object came back} and releases the object.
  static Answer Created(HRESULT result, IUnknown* object) {
    if (object != nullptr) object->Release();
    return {result, object != nullptr};
  }

  // A slot's call, with its answers when it works, when memory runs out inside it and
  // when the host fails inside it (none: the slot takes no memory / calls no host code).
  struct SlotCase {
    std::string name;
    std::function<Answer()> call;
    Answer works;
    std::optional<Answer> outOfMemory;
    std::optional<Answer> hostFailed;
  };

  std::vector<SlotCase> Slots() {
    std::vector<SlotCase> slots = {
        {"DllGetClassObject",
         [] {
           IUnknown* factory = nullptr;
           const HRESULT result = DllGetClassObject(CLSID_OEMRENDER, IID_IClassFactory,
                                                    reinterpret_cast<void**>(&factory));
           return Created(result, factory);
         },
         {S_OK, 1}, Answer{E_OUTOFMEMORY, 0}, std::nullopt},
        {"CreateInstance",
         [this] {
           IUnknown* plugin = nullptr;
           const HRESULT result = factory_->CreateInstance(nullptr, IID_IPrintOemPS,
                                                           reinterpret_cast<void**>(&plugin));
           return Created(result, plugin);
         },
         {S_OK, 1}, Answer{E_OUTOFMEMORY, 0}, std::nullopt},
        {"PublishDriverInterface",
         [this] {
           IPrintOemPS* plugin = nullptr;
           factory_->CreateInstance(nullptr, IID_IPrintOemPS, reinterpret_cast<void**>(&plugin));
           const HRESULT result = plugin->PublishDriverInterface(&driver_);
           plugin->Release();
           return Answer{result, 0};
         },
         {S_OK, 0}, std::nullopt, Answer{E_FAIL, 0}},
        {"DevMode defaults",
         [this] { return Answer{DevMode(OEMDM_DEFAULT, nullptr, scratch_.data()), 0}; },
         {S_OK, 0}, Answer{E_FAIL, 0}, std::nullopt},
        {"DevMode merge",
         [this] { return Answer{DevMode(OEMDM_MERGE, record_.data(), scratch_.data()), 0}; },
         {S_OK, 0}, Answer{E_FAIL, 0}, std::nullopt},
        {"EnablePDEV",
         [this] {
           PDEVOEM state = nullptr;
           const HRESULT result = EnablePdev(&state);
           if (state != nullptr) {
             DEVOBJ other = devobj_;
             other.pdevOEM = state;
             plugin_->DisablePDEV(&other);
           }
           return Answer{result, state != nullptr};
         },
         {S_OK, 1}, Answer{E_FAIL, 0}, std::nullopt},
        {"start of document",
         [this] {
           SURFOBJ surface{};
           surface.dhpdev = &devobj_;
           return Answer{startDocHook_(&surface, documentName_.data(), 1), 0};
         },
         {1, 0}, Answer{0, 0}, Answer{0, 0}},
    };
    // Every injection point writes under these settings; some write fixed text only and
    // take no memory.
    const struct {
      const char* name;
      DWORD index;
      bool takesMemory;
    } injections[] = {
        {"BEGINSTREAM", PSINJECT_BEGINSTREAM, true},
        {"COMMENTS", PSINJECT_COMMENTS, false},
        {"BEGINPROLOG", PSINJECT_BEGINPROLOG, true},
        {"BEGINSETUP", PSINJECT_BEGINSETUP, false},
        {"ENDSETUP", PSINJECT_ENDSETUP, true},
        {"BEGINPAGESETUP", PSINJECT_BEGINPAGESETUP, true},
        {"ENDPAGESETUP", PSINJECT_ENDPAGESETUP, true},
        {"SHOWPAGE", PSINJECT_SHOWPAGE, true},
        {"EOF", PSINJECT_EOF, true},
        {"ENDSTREAM", PSINJECT_ENDSTREAM, false},
    };
    for (const auto& injection : injections) {
      const DWORD index = injection.index;
      std::optional<Answer> outOfMemory;
      if (injection.takesMemory) outOfMemory = Answer{S_FALSE, platform::kErrorNotEnoughMemory};
      slots.push_back({std::string("Command ") + injection.name,
                       [this, index] {
                         host_.spool.clear();
                         DWORD result = 0xDEADBEEF;
                         const HRESULT answer =
                             plugin_->Command(&devobj_, index, nullptr, 0, &result);
                         return Answer{answer, result};
                       },
                       {S_OK, 0}, outOfMemory, Answer{S_FALSE, platform::kErrorGenFailure}});
    }
    return slots;
  }

  test::TestPrinter printer_{u"Boundary Printer", platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD)};
  HostSide host_;
  HostDriver driver_{host_};
  IClassFactory* factory_ = nullptr;
  IPrintOemPS* plugin_ = nullptr;
  DrvStartDocFn startDocHook_ = nullptr;
  DEVMODEW devMode_{};
  std::vector<uint8_t> record_;
  DEVOBJ devobj_{};
  // What the rows hand the slots, made before any allocation fails: only the plug-in's
  // own allocations (and the host's start of a document) are failed.
  std::vector<uint8_t> scratch_ = std::vector<uint8_t>(sizeof(settings::PrivateRecord));
  std::u16string documentName_ = u"A document name longer than any short-string buffer";
};

// Each allocation a slot makes is failed in turn. The slot then answers either its
// failure value or, where it managed without, success; it never lets the exception out,
// and the same call works again straight after.
TEST_F(SlotBoundaryTest, EveryAllocationFailureBecomesTheSlotsFailureValue) {
  constexpr uint64_t kMostAllocations = 20000;
  for (const SlotCase& slot : Slots()) {
    if (!slot.outOfMemory) continue;
    SCOPED_TRACE(slot.name);
    ASSERT_EQ(slot.call(), slot.works);
    int failures = 0;
    uint64_t failed = 0;
    for (; failed < kMostAllocations; ++failed) {
      Arm(failed);
      const Answer answer = slot.call();
      if (!Disarm()) {
        // The call made fewer allocations than were allowed: all of them have been failed.
        EXPECT_EQ(answer, slot.works);
        break;
      }
      SCOPED_TRACE(testing::Message() << "allocation " << failed << " failed");
      EXPECT_TRUE(answer == *slot.outOfMemory || answer == slot.works) << answer;
      if (answer == *slot.outOfMemory) ++failures;
      EXPECT_EQ(slot.call(), slot.works);
    }
    EXPECT_LT(failed, kMostAllocations);
    // A slot may take no memory on one system (the merge on Windows, whose registry and
    // spooler calls fill the caller's buffers); one that does must have been reached by
    // a failure at least once, or the row proves nothing.
    if (failed > 0) {
      EXPECT_GT(failures, 0) << failed << " allocations";
    }
  }
  // No object made before a failure was left behind.
  ReleasePlugin();
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

// Any other exception, here one out of the host's own functions, is a failure of the
// slot too.
TEST_F(SlotBoundaryTest, AnExceptionOutOfTheHostBecomesTheSlotsFailureValue) {
  for (const SlotCase& slot : Slots()) {
    if (!slot.hostFailed) continue;
    SCOPED_TRACE(slot.name);
    host_.throws = true;
    const Answer answer = slot.call();
    host_.throws = false;
    EXPECT_EQ(answer, *slot.hostFailed);
    EXPECT_EQ(slot.call(), slot.works);
  }
}

}  // namespace
}  // namespace kx::ps
