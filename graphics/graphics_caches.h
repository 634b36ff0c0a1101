#pragma once

#include "graphics/graphics_types.h"

// The two process-wide caches of the editor: decoded bitmaps by resource id and fonts by text
// style. Every editor of every instance in the process shares them; each is guarded by its own
// lock, held for one search or one append. Entries are never removed before the library
// unloads, when both caches delete what they hold. Neither ever holds a null entry.

namespace BitmapCache {

// The bitmap cached under id, or null. Any thread; allocates nothing.
Raster_IBitmap* Find(int id);
// Caches bitmap under id and returns the cached bitmap. When id is cached already the earlier
// bitmap stays and the given one is deleted; a null bitmap is refused (the result is then what
// Find gives). Any thread; allocates.
Raster_IBitmap* Add(Raster_IBitmap* bitmap, int id);
// Deletes every bitmap and empties the cache (the library's unload does it). Any thread.
void Clear();
// Cached bitmaps. Any thread; allocates nothing.
int Count();

}  // namespace BitmapCache

namespace FontCache {

// The font cached for the style's size, orientation, weight and face (exact bytes), or null.
// Any thread; allocates nothing.
Raster_CachedFont* Find(const ITextStyle* style);
// Caches font under the style's key and returns the cached font; as BitmapCache::Add, an
// earlier font of the same key stays and the given one is deleted. Any thread; allocates.
Raster_CachedFont* Add(Raster_CachedFont* font, const ITextStyle* style);
// Deletes every font and empties the cache. The thread that draws the editor.
void Clear();
int Count();

}  // namespace FontCache
