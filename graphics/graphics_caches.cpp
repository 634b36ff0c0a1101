#include "graphics/graphics_caches.h"

#include <cstring>
#include <new>

#include "framework/mutex.h"
#include "framework/ptr_list.h"
#include "raster/bitmap.h"
#include "raster/font.h"

namespace {

struct BitmapRecord {
  int id;
  Raster_IBitmap* bitmap;
  ~BitmapRecord() { delete bitmap; }
};

struct FontKey {
  int size;
  int orientation;
  int style;
  char face[ITextStyle::kFaceSize];

  explicit FontKey(const ITextStyle& text)
      : size(text.size), orientation(text.orientation), style(text.style) {
    std::memcpy(face, text.face, sizeof(face));
    face[sizeof(face) - 1] = '\0';
  }
  bool operator==(const FontKey& other) const {
    return size == other.size && orientation == other.orientation && style == other.style &&
           std::strcmp(face, other.face) == 0;
  }
};

struct FontRecord {
  FontKey key;
  Raster_CachedFont* font;
  ~FontRecord() { delete font; }
};

// One list and its lock. Built when the library loads and emptied when it unloads.
template <class Record>
struct Cache {
  Mutex mutex;
  PtrList<Record> records;

  template <class Match>
  Record* FindLocked(Match match) {
    for (int32_t i = 0, count = records.GetCount(); i < count; ++i) {
      Record* record = records.Get(i);
      if (match(*record)) return record;
    }
    return nullptr;
  }

  // Appends a record unless one matches already; the record's object is returned either way
  // (a refused record is deleted with the object it carries).
  template <class Match, class Object>
  Object* AddUnlessPresent(Record* fresh, Match match, Object* Record::*object) {
    if (!fresh) return nullptr;
    MutexLock lock(&mutex);
    if (Record* existing = FindLocked(match)) {
      delete fresh;
      return existing->*object;
    }
    if (!records.Add(fresh)) {
      delete fresh;
      return nullptr;
    }
    return fresh->*object;
  }

  void Clear() {
    MutexLock lock(&mutex);
    records.DeleteAll();
  }

  int Count() {
    MutexLock lock(&mutex);
    return records.GetCount();
  }
};

Cache<BitmapRecord> bitmaps;
Cache<FontRecord> fonts;

}  // namespace

namespace BitmapCache {

Raster_IBitmap* Find(int id) {
  MutexLock lock(&bitmaps.mutex);
  BitmapRecord* record = bitmaps.FindLocked([id](const BitmapRecord& r) { return r.id == id; });
  return record ? record->bitmap : nullptr;
}

Raster_IBitmap* Add(Raster_IBitmap* bitmap, int id) {
  if (!bitmap) return Find(id);
  BitmapRecord* fresh = new (std::nothrow) BitmapRecord{id, bitmap};
  if (!fresh) {
    delete bitmap;
    return Find(id);
  }
  return bitmaps.AddUnlessPresent(
      fresh, [id](const BitmapRecord& r) { return r.id == id; }, &BitmapRecord::bitmap);
}

void Clear() {
  bitmaps.Clear();
}

int Count() {
  return bitmaps.Count();
}

}  // namespace BitmapCache

namespace FontCache {

Raster_CachedFont* Find(const ITextStyle* style) {
  if (!style) return nullptr;
  const FontKey key(*style);
  MutexLock lock(&fonts.mutex);
  FontRecord* record = fonts.FindLocked([&key](const FontRecord& r) { return r.key == key; });
  return record ? record->font : nullptr;
}

Raster_CachedFont* Add(Raster_CachedFont* font, const ITextStyle* style) {
  if (!font || !style) {
    delete font;
    return Find(style);
  }
  const FontKey key(*style);
  FontRecord* fresh = new (std::nothrow) FontRecord{key, font};
  if (!fresh) {
    delete font;
    return Find(style);
  }
  return fonts.AddUnlessPresent(
      fresh, [&key](const FontRecord& r) { return r.key == key; }, &FontRecord::font);
}

void Clear() {
  fonts.Clear();
}

int Count() {
  return fonts.Count();
}

}  // namespace FontCache
