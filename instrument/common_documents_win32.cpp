#include <shlobj.h>
#include <windows.h>

#include "instrument/common_documents.h"

std::string SystemCommonDocumentsFolder() {
  char buffer[MAX_PATH] = {};
  const HRESULT result =
      SHGetFolderPathA(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, buffer);
  if (FAILED(result)) return std::string();
  buffer[MAX_PATH - 1] = '\0';
  return std::string(buffer);
}
