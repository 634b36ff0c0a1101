// Putting a freshly written file in place of another.
#pragma once

#include <string>

// Moves the file `from` to the name `to`, replacing a file of that name. False when the move
// failed; then both files are as they were. Any thread; allocates.
bool ReplaceFileWith(const std::string& from, const std::string& to);
