// Where the machine keeps documents shared by all users; the preset library lives below it.
#pragma once

#include <string>

// The common documents folder with every back-slash turned into '/', without a separator added
// at its end; "" when the system cannot tell. Any thread; allocates.
std::string CommonDocumentsFolder();

// Makes CommonDocumentsFolder answer folder instead of the system (tests use a temporary
// folder); null returns to the system's answer. Any thread; allocates.
void OverrideCommonDocumentsFolder(const char* folder);

// The platform's own answer, as the system gives it ("" on failure). Windows asks the shell;
// other systems read the environment variable TOVALUNE_COMMON_DOCUMENTS. Any thread; allocates.
std::string SystemCommonDocumentsFolder();
