#include "printer_ppd.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/files.h"
#include "settings/printer_defaults.h"

namespace kx::ps {
namespace {

// Parsed images of the PPD files in use, most recently used first.
class PpdImageCache {
 public:
  SharedPpd Get(const std::u16string& path) {
    platform::FileIdentity identity;
    if (!platform::GetFileIdentity(path, &identity)) {
      Forget(path);
      return nullptr;
    }
    {
      std::lock_guard lock(mutex_);
      auto entry = Find(path);
      if (entry != entries_.end() && entry->identity == identity) {
        std::rotate(entries_.begin(), entry, entry + 1);
        return entries_.front().image;
      }
    }
    SharedPpd image(ppd::PpdOpen(path.c_str()), ppd::PpdClose);
    Store(path, identity, image);
    return image;
  }

 private:
  struct Entry {
    std::u16string path;
    platform::FileIdentity identity;
    SharedPpd image;  // null for a file that does not parse
  };
  static constexpr size_t kCapacity = 4;

  std::vector<Entry>::iterator Find(const std::u16string& path) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.path == path; });
  }
  void Forget(const std::u16string& path) {
    std::lock_guard lock(mutex_);
    auto entry = Find(path);
    if (entry != entries_.end()) entries_.erase(entry);
  }
  void Store(const std::u16string& path, const platform::FileIdentity& identity,
             const SharedPpd& image) {
    std::lock_guard lock(mutex_);
    auto entry = Find(path);
    if (entry != entries_.end()) entries_.erase(entry);
    entries_.insert(entries_.begin(), Entry{path, identity, image});
    if (entries_.size() > kCapacity) entries_.pop_back();
  }

  std::mutex mutex_;
  std::vector<Entry> entries_;
};

PpdImageCache& ImageCache() {
  static PpdImageCache cache;
  return cache;
}

}  // namespace

SharedPpd OpenPrinterPpd(platform::PrinterHandle printer) {
  std::u16string path;
  if (!settings::GetPrinterDataFile(printer, &path) || path.empty()) return nullptr;
  return ImageCache().Get(path);
}

}  // namespace kx::ps
