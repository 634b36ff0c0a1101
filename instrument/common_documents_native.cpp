#include <cstdlib>

#include "instrument/common_documents.h"

std::string SystemCommonDocumentsFolder() {
  const char* folder = std::getenv("TOVALUNE_COMMON_DOCUMENTS");
  return folder ? std::string(folder) : std::string();
}
