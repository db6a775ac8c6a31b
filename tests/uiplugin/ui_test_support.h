// Shared pieces of the UI plug-in's tests: making a plug-in object through the class
// object, as the host does.
#pragma once

#include <gtest/gtest.h>

#include "class_factory.h"
#include "host/oemui.h"

namespace kx::test {

// A UI plug-in object made as the host makes it; released at the end.
class PluginObject {
 public:
  PluginObject() {
    host::IClassFactory* factory = nullptr;
    EXPECT_EQ(ui::GetClassObject(host::CLSID_OEMUI, host::IID_IClassFactory,
                             reinterpret_cast<void**>(&factory)),
              host::S_OK);
    if (factory == nullptr) return;
    EXPECT_EQ(factory->CreateInstance(nullptr, host::IID_IPrintOemUI,
                                      reinterpret_cast<void**>(&plugin_)),
              host::S_OK);
    factory->Release();
  }
  ~PluginObject() {
    if (plugin_ != nullptr) plugin_->Release();
  }
  PluginObject(const PluginObject&) = delete;
  PluginObject& operator=(const PluginObject&) = delete;

  host::IPrintOemUI* operator->() const { return plugin_; }
  host::IPrintOemUI* get() const { return plugin_; }

 private:
  host::IPrintOemUI* plugin_ = nullptr;
};

}  // namespace kx::test
