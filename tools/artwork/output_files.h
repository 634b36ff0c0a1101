// What the generator writes besides the pictures: the resource script that embeds them and the
// contact sheet that shows them all at once.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "fonts.h"

// The PNG file name of image id: "va_" + stem + ".png".
std::string ImageFileName(int id);

// Writes a resource script naming each image of folder (an absolute path) under its id with
// type "PNG"; false when the file cannot be written or the folder cannot be quoted.
bool WriteResourceScript(const std::string& path, const std::string& folder, int scale);

// Writes one PNG with the assembled editor on top and every image (indexed by id - 101) tiled
// below it, with its id and stem.
bool WriteContactSheet(const std::string& path, const std::vector<std::unique_ptr<Canvas>>& images,
                       int scale, const Fonts& fonts);
