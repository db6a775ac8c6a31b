// The UI plug-in as an in-process server: what its two exports answer.
#pragma once

#include "host/com.h"

namespace kx::ui {

// What DllGetClassObject answers: a class object for the UI plug-in's class only.
host::HRESULT GetClassObject(const host::CLSID& clsid, const host::IID& iid, void** object);
// What DllCanUnloadNow answers: S_OK when no object lives and no lock is held.
host::HRESULT CanUnloadNow();

}  // namespace kx::ui
