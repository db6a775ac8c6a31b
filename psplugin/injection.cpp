#include "injection.h"

#include "job_writer.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "pjl.h"
#include "settings/record.h"

namespace kx::ps {
namespace {

// Everything one injection call works with; reached from the call's own device object.
struct InjectionContext {
  JobWriter writer;
  host::DEVOBJ* devobj;
  settings::PrivateRecord* record;
};

void BeginStream(const InjectionContext& job) { WriteJobHeader(job.writer, *job.record); }

void Comments(const InjectionContext& job) { job.record->pageCounter = 0; }

void BeginPageSetup(const InjectionContext& job) { ++job.record->pageCounter; }

void EndStream(const InjectionContext& job) { WriteUniversalExit(job.writer); }

}  // namespace

bool DispatchInjection(host::IPrintOemDriverPS* hostInterface, host::DEVOBJ* devobj,
                       host::DWORD index) {
  if (hostInterface == nullptr || devobj == nullptr) return false;
  auto* record = static_cast<settings::PrivateRecord*>(devobj->pOEMDM);
  if (record == nullptr) {
    // A device object without the job's settings cannot be written for.
    platform::SetLastErrorCode(platform::kErrorInvalidParameter);
    return false;
  }
  const InjectionContext job{JobWriter(hostInterface, devobj), devobj, record};
  switch (index) {
    case host::PSINJECT_BEGINSTREAM:
      BeginStream(job);
      break;
    case host::PSINJECT_COMMENTS:
      Comments(job);
      break;
    case host::PSINJECT_BEGINPAGESETUP:
      BeginPageSetup(job);
      break;
    case host::PSINJECT_ENDSTREAM:
      EndStream(job);
      break;
    default:
      // Every other point, including those the plug-in does not use, succeeds unwritten.
      break;
  }
  return true;
}

}  // namespace kx::ps
