#include "injection.h"

#include "banner.h"
#include "custom_page_size.h"
#include "device_state.h"
#include "job_writer.h"
#include "overlays.h"
#include "page_setup.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "pjl.h"
#include "printer_ppd.h"
#include "quality_colour.h"
#include "settings/record.h"
#include "watermark.h"

namespace kx::ps {
namespace {

// Everything one injection call works with; reached from the call's own device object.
struct InjectionContext {
  JobWriter writer;
  settings::PrivateRecord& record;
  const host::DEVMODEW& devMode;
  JobValues& job;
  CallPpd& ppd;
};

void BeginStream(InjectionContext& call) {
  call.job = JobValues{};
  CheckCustomPageSize(call.devMode, &call.job);
  WarnAboutCustomPageSize(call.devMode, call.job);
  WriteJobHeader(call.writer, call.record);
}

void Comments(InjectionContext& call) {
  call.record.pageCounter = 0;
  WriteMediaType(call.writer, call.record, call.devMode);
}

void BeginProlog(InjectionContext& call) {
  WriteExternalHeader(call.writer, call.record);
  WriteProcessColorModel(call.writer, call.record, call.ppd.get());
  WriteFlipProcedure(call.writer, call.record, call.devMode);
  WriteWatermarkProcedure(call.writer, call.record);
}

void BeginSetup(InjectionContext& call) { WriteSingleCopy(call.writer, call.devMode); }

void EndSetup(InjectionContext& call) {
  WritePageSizeOverride(call.writer, call.job);
  WriteQualityFeatures(call.writer, call.ppd.get(), call.record);
  WriteJobTimeout(call.writer, call.record);
  WriteColourFeatures(call.writer, call.ppd.get(), call.record);
  WriteHeaderPage(call.writer, call.record, call.devMode);
  WriteNupWatermarkHook(call.writer, call.record, call.devMode);
  WriteNupRotationHook(call.writer, call.record);
}

void BeginPageSetup(InjectionContext& call) {
  ++call.record.pageCounter;
  WritePageRotation(call.writer, call.record);
  WriteBackgroundWatermark(call.writer, call.record, call.devMode);
  WriteNegativeImage(call.writer, call.record);
}

void EndPageSetup(InjectionContext& call) {
  WriteNupWatermarkUnhook(call.writer, call.record);
  WriteOverlays(call.writer, call.record, &call.job);
}

void ShowPage(InjectionContext& call) {
  WriteForegroundWatermark(call.writer, call.record, call.devMode);
}

void EndOfDocument(InjectionContext& call) {
  WriteTrailerPage(call.writer, call.record, call.devMode);
}

void EndStream(InjectionContext& call) { WriteUniversalExit(call.writer); }

}  // namespace

bool DispatchInjection(host::IPrintOemDriverPS* hostInterface, host::DEVOBJ* devobj,
                       host::DWORD index) {
  if (hostInterface == nullptr || devobj == nullptr) return false;
  auto* record = static_cast<settings::PrivateRecord*>(devobj->pOEMDM);
  if (record == nullptr || devobj->pPublicDM == nullptr) {
    // A device object without the job's settings cannot be written for.
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return false;
  }
  // Without a per-device state (no EnablePDEV), values shared between injection points
  // last for this call only.
  JobValues callOnly;
  DeviceState* state = StateOf(devobj);
  CallPpd ppd(devobj->hPrinter);
  InjectionContext call{JobWriter(hostInterface, devobj), *record, *devobj->pPublicDM,
                        state != nullptr ? state->job : callOnly, ppd};
  switch (index) {
    case host::PSINJECT_BEGINSTREAM: BeginStream(call); break;
    case host::PSINJECT_COMMENTS: Comments(call); break;
    case host::PSINJECT_BEGINPROLOG: BeginProlog(call); break;
    case host::PSINJECT_BEGINSETUP: BeginSetup(call); break;
    case host::PSINJECT_ENDSETUP: EndSetup(call); break;
    case host::PSINJECT_BEGINPAGESETUP: BeginPageSetup(call); break;
    case host::PSINJECT_ENDPAGESETUP: EndPageSetup(call); break;
    case host::PSINJECT_SHOWPAGE: ShowPage(call); break;
    case host::PSINJECT_EOF: EndOfDocument(call); break;
    case host::PSINJECT_ENDSTREAM: EndStream(call); break;
    default:
      // Every other point, including those the plug-in does not use, succeeds unwritten.
      break;
  }
  return true;
}

}  // namespace kx::ps
