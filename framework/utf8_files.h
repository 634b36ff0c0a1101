#pragma once

// Files named by UTF-8 paths, as the editor's file dialogs and the plug-in's own folders give
// them. On Windows a path goes to the system's wide calls; a path that is not valid UTF-8 (text
// in the system's code page, as its narrow calls report folders) goes to the narrow calls as it
// stands. Elsewhere a path is handed over as its bytes.

#include <cstdio>

// Opens the file at path in the C library's mode ("rb", "wb", ...); null when it cannot be
// opened. On Windows a file opened for reading alone is also looked for under the narrow form
// of the path when the wide open fails; a file opened for writing never is, so that a write
// cannot reach a file of another name. Any thread; allocates nothing.
std::FILE* OpenUtf8File(const char* path, const char* mode);

// Deletes the file at path; false when it could not be deleted. Any thread; allocates nothing.
bool RemoveUtf8File(const char* path);

// Moves the file `from` to the name `to`, replacing a file of that name in one step; false when
// the move failed, and then both are as they were. Any thread; allocates nothing.
bool ReplaceUtf8File(const char* from, const char* to);
