// IGraphics: construction, the control list, the plug-in's slots and the frame tick, images and
// fonts, resizing.
#include "graphics/graphics.h"

#include <cmath>
#include <cstring>
#include <new>

#include "framework/plugin_core.h"
#include "framework/utf8_text.h"
#include "graphics/controls.h"
#include "graphics/graphics_caches.h"
#include "raster/bitmap.h"
#include "raster/font.h"

IGraphics::IGraphics(IPluginCore* owner, int w, int h, int framesPerSecond)
    : plug(owner), width(w), height(h), fps(framesPerSecond) {
  const int count = plug ? plug->NParams() : 0;
  paramSlots.Resize(count * static_cast<int32_t>(sizeof(ParamSlot)), true);
  for (int i = 0; i < paramSlots.Size() / static_cast<int32_t>(sizeof(ParamSlot)); ++i)
    ParamSlots()[i] = ParamSlot{0.0, false};
}

IGraphics::~IGraphics() {
  delete keyCatcher;
  keyCatcher = nullptr;
  DeleteControls();
  delete backBuffer;
  backBuffer = nullptr;
}

void IGraphics::DeleteControls() {
  textSlots.DeleteAll();
  controls.DeleteAll();
  pendingVisibility.Resize(0, false);
}

// ---- The plug-in's side ----

void IGraphics::PushParamToControls(int paramIdx, double value, bool normalized) {
  const int slots = paramSlots.Size() / static_cast<int32_t>(sizeof(ParamSlot));
  if (paramIdx < 0 || paramIdx >= slots) return;
  if (!normalized) {
    const IParameter* param = plug ? plug->GetParam(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  ParamSlots()[paramIdx] = ParamSlot{ClampNormalized(value), true};
  anyPending = true;
}

int IGraphics::AddTextSlot(ITextControl* control) {
  if (!control) return -1;
  TextSlot* slot = new (std::nothrow) TextSlot{control, false, {}};
  if (!slot) return -1;
  MutexLock lock(plug ? plug->GetMutex() : nullptr);
  if (!textSlots.Add(slot)) {
    delete slot;
    return -1;
  }
  return textSlots.GetCount() - 1;
}

void IGraphics::PushText(int slotIdx, const char* text) {
  TextSlot* slot = textSlots.Get(slotIdx);
  if (!slot) return;
  CopyUtf8Cut(slot->text, kTextSlotSize, text);
  slot->pending = true;
  anyPending = true;
}

void IGraphics::PushHidden(int controlIdx, bool hide) {
  if (controlIdx < 0 || controlIdx >= pendingVisibility.Size()) return;
  PendingVisibilities()[controlIdx] = hide ? kHideControl : kShow;
  anyPending = true;
}

void IGraphics::ApplyPendingUpdates() {
  if (!anyPending) return;
  anyPending = false;
  const int slots = paramSlots.Size() / static_cast<int32_t>(sizeof(ParamSlot));
  for (int i = 0; i < slots; ++i) {
    ParamSlot& slot = ParamSlots()[i];
    if (!slot.pending) continue;
    slot.pending = false;
    ApplyParamValue(i, slot.value);
  }
  for (int i = 0, count = textSlots.GetCount(); i < count; ++i) {
    TextSlot* slot = textSlots.Get(i);
    if (!slot->pending) continue;
    slot->pending = false;
    slot->control->ReplaceText(slot->text);
  }
  for (int i = 0, count = pendingVisibility.Size(); i < count; ++i) {
    signed char& pending = PendingVisibilities()[i];
    if (pending == kNoChange) continue;
    IControl* control = GetControl(i);
    const bool hide = pending == kHideControl;
    pending = kNoChange;
    if (control && control->IsHidden() != hide) control->Hide(hide);
  }
}

void IGraphics::ApplyParamValue(int paramIdx, double normalized) {
  for (int i = 0, count = NControls(); i < count; ++i) {
    IControl* control = GetControl(i);
    if (control->ParamIdx() == paramIdx) control->SetValueFromPlug(normalized);
    for (int k = 0, n = control->NAuxParams(); k < n; ++k) {
      if (control->AuxParamIdx(k) == paramIdx) {
        control->SetAuxValueFromPlug(k, normalized);
        break;
      }
    }
  }
}

bool IGraphics::Tick(IRectangle* dirty) {
  if (!dirty) return false;
  *dirty = IRectangle{0, 0, 0, 0};
  MutexLock lock(plug ? plug->GetMutex() : nullptr);
  ApplyPendingUpdates();
  return CollectDirtyRect(dirty);
}

// ---- Controls ----

int IGraphics::AddControl(IControl* control) {
  return InsertControl(NControls(), control);
}

int IGraphics::InsertControl(int idx, IControl* control) {
  if (!control) return -1;
  MutexLock lock(plug ? plug->GetMutex() : nullptr);
  const int count = NControls();
  if (idx < 0 || idx > count) idx = count;
  pendingVisibility.Resize(count + 1, false);
  if (pendingVisibility.Size() != count + 1 || !controls.Insert(idx, control)) {
    pendingVisibility.Resize(count, false);
    delete control;
    return -1;
  }
  signed char* pending = PendingVisibilities();
  std::memmove(pending + idx + 1, pending + idx, static_cast<size_t>(count - idx));
  pending[idx] = kNoChange;
  return idx;
}

void IGraphics::AttachBackground() {
  Raster_IBitmap* bitmap = LoadCachedImage(kBackgroundImageId, kBackgroundImageName, width, height);
  if (!bitmap) return;
  const IBitmapStrip strip{bitmap, bitmap->Width(), bitmap->Height(), 1, false};
  InsertControl(0, new (std::nothrow) IBitmapControl(plug, 0, 0, -1, strip, kBlendPlainCopy));
}

void IGraphics::SetKeyCatcher(IControl* control) {
  if (control == keyCatcher) return;
  delete keyCatcher;
  keyCatcher = control;
}

// ---- Images and fonts ----

Raster_IBitmap* IGraphics::LoadCachedImage(int id, const char* name, int placeholderWidth,
                                           int placeholderHeight) {
  if (Raster_IBitmap* cached = BitmapCache::Find(id)) return cached;
  Raster_IBitmap* bitmap = LoadImageResource(id, name);
  if (!bitmap || bitmap->Width() <= 0 || bitmap->Height() <= 0) {
    delete bitmap;
    Raster_MemBitmap* placeholder =
        new (std::nothrow) Raster_MemBitmap(placeholderWidth, placeholderHeight);
    if (placeholder && placeholder->Bits()) {
      const int rowPixels = placeholder->RowSpan();
      std::memset(placeholder->Bits(), 0,
                  sizeof(uint32_t) * static_cast<size_t>(rowPixels) *
                      static_cast<size_t>(placeholder->Height()));
    }
    bitmap = placeholder;
  }
  return BitmapCache::Add(bitmap, id);
}

IBitmapStrip IGraphics::LoadImageStrip(int id, const char* name, int frames, int placeholderWidth,
                                       int placeholderHeight) {
  Raster_IBitmap* bitmap = LoadCachedImage(id, name, placeholderWidth, placeholderHeight);
  if (!bitmap) return IBitmapStrip{nullptr, 0, 0, frames < 1 ? 1 : frames, false};
  return IBitmapStrip{bitmap, bitmap->Width(), bitmap->Height(), frames < 1 ? 1 : frames, false};
}

Raster_CachedFont* IGraphics::GetCachedFont(ITextStyle* style) {
  if (!style) return nullptr;
  Raster_CachedFont* font = FontCache::Find(style);
  if (!font) font = FontCache::Add(NewFont(style), style);
  if (font) style->font = font;
  return font;
}

// ---- Base behaviour of the virtual operations ----

void IGraphics::PrepareBackBuffer() {
  delete backBuffer;
  backBuffer = NewBackBuffer(width, height);
}

Raster_IBitmap* IGraphics::NewBackBuffer(int w, int h) {
  Raster_MemBitmap* bitmap = new (std::nothrow) Raster_MemBitmap(w, h);
  if (bitmap && (bitmap->Width() != w || bitmap->Height() != h)) {
    delete bitmap;
    return nullptr;
  }
  return bitmap;
}

bool IGraphics::MeasureText(ITextStyle* style, const char* text, IRectangle* rect) {
  return DrawText(style, text, rect, true);
}

void IGraphics::ChangeSize(int w, int h) {
  mouse.ControlsGo();
  width = w;
  height = h;
  mouseOverIdx = -1;
  {
    MutexLock lock(plug ? plug->GetMutex() : nullptr);
    DeleteControls();
  }
  PrepareBackBuffer();
  if (plug) plug->RequestGuiResize(w, h);
}

bool IGraphics::WindowIsOpen() {
  return GetWindow() != nullptr;
}

const char* IGraphics::DrawingApiName() {
  return "";
}

void IGraphics::HideMouseCursor() {}

void IGraphics::ShowMouseCursor() {}
