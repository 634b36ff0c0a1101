#include "instrument/common_documents.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex overrideMutex;
bool overridden = false;
std::string overrideFolder;

}  // namespace

std::string CommonDocumentsFolder() {
  std::string folder;
  bool useOverride = false;
  {
    std::lock_guard<std::mutex> lock(overrideMutex);
    useOverride = overridden;
    if (useOverride) folder = overrideFolder;
  }
  if (!useOverride) folder = SystemCommonDocumentsFolder();
  std::replace(folder.begin(), folder.end(), '\\', '/');
  return folder;
}

void OverrideCommonDocumentsFolder(const char* folder) {
  std::lock_guard<std::mutex> lock(overrideMutex);
  overridden = folder != nullptr;
  overrideFolder = folder ? folder : "";
}
