// IGraphics: dirty tracking, the repaint and the drawing primitives.
#include <algorithm>
#include <cstddef>

#include "graphics/graphics.h"
#include "raster/blend.h"
#include "raster/font.h"

namespace {

// The part of a bitmap inside a clip rectangle, seen as a bitmap of its own, so that text
// drawing cannot reach beyond the area being repainted.
class BitmapWindow : public Raster_IBitmap {
 public:
  BitmapWindow(Raster_IBitmap* parent, const IRectangle& area) : parent(parent), area(area) {}

  uint32_t* Bits() override {
    uint32_t* bits = parent->Bits();
    if (!bits) return nullptr;
    const int firstRow = parent->IsFlipped() ? parent->Height() - area.bottom : area.top;
    return bits + static_cast<std::ptrdiff_t>(firstRow) * parent->RowSpan() + area.left;
  }
  int Width() override { return area.Width(); }
  int Height() override { return area.Height(); }
  int RowSpan() override { return parent->RowSpan(); }
  bool IsFlipped() override { return parent->IsFlipped(); }
  bool Resize(int, int) override { return false; }
  intptr_t Extended(int id, void* data) override { return parent->Extended(id, data); }

 private:
  Raster_IBitmap* parent;
  IRectangle area;
};

// a within b, or all zeros when they do not meet (a is the first rectangle of the test).
IRectangle Clip(const IRectangle& a, const IRectangle& b) {
  if (!a.Intersects(b)) return IRectangle{0, 0, 0, 0};
  return IRectangle{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
}

// Whether a repaint of area shows all of r that lies within the editor (width x height): only
// then has a change of the control reached the window. A control that merely touches the area's
// edge, or reaches beyond it, is not shown whole; one wholly outside the editor has nothing to
// show.
bool ShowsWhole(const IRectangle& area, const IRectangle& r, int width, int height) {
  const int left = std::max(r.left, 0);
  const int top = std::max(r.top, 0);
  const int right = std::min(r.right, width);
  const int bottom = std::min(r.bottom, height);
  if (left >= right || top >= bottom) return true;
  return left >= area.left && top >= area.top && right <= area.right && bottom <= area.bottom;
}

// The bitmap's own area.
IRectangle Whole(Raster_IBitmap* bitmap) {
  return IRectangle{0, 0, bitmap->Width(), bitmap->Height()};
}

}  // namespace

bool IGraphics::CollectDirtyRect(IRectangle* out) {
  if (!out) return false;
  bool dirty = false;
  for (int i = 0, count = NControls(); i < count; ++i) {
    IControl* control = GetControl(i);
    if (!control->IsDirty()) continue;
    *out = out->Union(control->GetRect());
    dirty = true;
  }
  return dirty;
}

bool IGraphics::Draw(const IRectangle* rect) {
  const IRectangle area = rect ? *rect : IRectangle{0, 0, 0, 0};
  if (NControls() > 0) {
    if (strictDrawing) {
      DrawStrict(area);
    } else {
      DrawByDirtyControls(area);
    }
    drawnRect = IRectangle{0, 0, 0, 0};
  }
  // The window's paint is completed in every case, with or without controls.
  return BlitToWindow(&area);
}

void IGraphics::DrawStrict(const IRectangle& rect) {
  drawnRect = rect;
  for (int i = 0, count = NControls(); i < count; ++i) {
    IControl* control = GetControl(i);
    const IRectangle& r = control->GetRect();
    // Drawn where it meets the area; clean only once all of it reached the window, so that a
    // change outside the area waits for a later repaint.
    if (!control->IsHidden() && rect.Intersects(r)) control->Draw(this);
    if (ShowsWhole(rect, r, width, height)) control->SetClean();
  }
}

void IGraphics::DrawByDirtyControls(const IRectangle& area) {
  IControl* background = GetControl(0);
  if (background->IsDirty()) {
    drawnRect = background->GetRect();
    for (int i = 0, count = NControls(); i < count; ++i) {
      IControl* control = GetControl(i);
      if (i == 0 || !control->IsHidden()) control->Draw(this);
      if (ShowsWhole(area, control->GetRect(), width, height)) control->SetClean();
    }
    return;
  }
  for (int i = 1, count = NControls(); i < count; ++i) {
    if (GetControl(i)->IsDirty()) DrawControlsOver(i, area);
  }
}

void IGraphics::DrawControlsOver(int dirtyIdx, const IRectangle& area) {
  IControl* dirty = GetControl(dirtyIdx);
  drawnRect = dirty->GetRect();
  // Everything under and over the dirty control is drawn again within its rectangle, so
  // overlapping controls stay stacked.
  for (int j = 0, count = NControls(); j < count; ++j) {
    IControl* control = GetControl(j);
    if (control->IsHidden()) continue;
    const IRectangle& r = control->GetRect();
    if (j == dirtyIdx || (!r.IsEmpty() && r.Intersects(drawnRect))) control->Draw(this);
  }
  // Only the area is blitted: drawn outside it, the control has not reached the window yet.
  if (ShowsWhole(area, dirty->GetRect(), width, height)) dirty->SetClean();
}

bool IGraphics::DrawBitmap(const IBitmapStrip* strip, const IRectangle* dest, int srcX, int srcY,
                           const IBlendSpec* blend) {
  if (!backBuffer || !strip || !strip->bitmap || !dest) return true;
  const IRectangle clipped = Clip(*dest, drawnRect);
  if (clipped.IsEmpty()) return true;
  const IRectangle source{srcX + clipped.left - dest->left, srcY + clipped.top - dest->top,
                          srcX + clipped.right - dest->left, srcY + clipped.bottom - dest->top};
  Raster_BlitArea(backBuffer, strip->bitmap, clipped.left, clipped.top, &source,
                  IBlendSpec::WeightFor(blend), IBlendSpec::ModeFor(blend));
  return true;
}

bool IGraphics::DrawBitmapFrame(const IBitmapStrip* strip, const IRectangle* dest, int frame,
                                const IBlendSpec* blend) {
  if (!strip) return true;
  int offsetX = 0;
  int offsetY = 0;
  const int frames = strip->FrameCount();
  if (frames >= 2 && frame >= 2) {
    const double size = strip->framesHorizontal ? strip->width : strip->height;
    const int offset = static_cast<int>(size * (frame - 1) / frames + 0.5);
    (strip->framesHorizontal ? offsetX : offsetY) = offset;
  }
  return DrawBitmap(strip, dest, offsetX, offsetY, blend);
}

bool IGraphics::FillRect(const IColor* colour, const IRectangle* rect, const IBlendSpec* blend) {
  if (!backBuffer || !colour || !rect) return true;
  // While repainting, a fill stays inside the repainted area: outside it nothing was drawn
  // underneath, and a translucent fill would darken what is already there.
  IRectangle area = *rect;
  if (!drawnRect.IsEmpty()) {
    area = Clip(*rect, drawnRect);
    if (area.IsEmpty()) return true;
  }
  Raster_FillArea(backBuffer, area.left, area.top, area.Width(), area.Height(), colour->ToPixel(),
                  IBlendSpec::WeightFor(blend), IBlendSpec::ModeFor(blend));
  return true;
}

bool IGraphics::DrawText(ITextStyle* style, const char* text, IRectangle* rect, bool measure) {
  if (!text || text[0] == '\0') return true;
  if (!style || !rect) return false;
  Raster_CachedFont* font = style->font ? style->font : GetCachedFont(style);
  if (!font) return false;
  font->SetTextColor(style->colour.ToPixel());
  int flags =
      style->colour.alpha == 255 ? TextFlagNoClip : (TextFlagNoClip | TextFlagUseColourAlpha);
  if (style->alignment == kAlignCenter) flags |= TextFlagCenter;
  if (style->alignment == kAlignRight) flags |= TextFlagRight;

  if (measure) {
    IRectangle extent{0, 0, 0, 0};
    font->DrawText(nullptr, text, -1, &extent, flags | TextFlagCalcRect);
    const int w = extent.Width();
    const int h = extent.Height();
    if (style->alignment == kAlignCenter) {
      rect->left = static_cast<int>((rect->left + rect->right) * 0.5) - w / 2;
      rect->right = rect->left + w;
    } else if (style->alignment == kAlignRight) {
      rect->left = rect->right - w;
    } else {
      rect->right = rect->left + w;
    }
    rect->bottom = rect->top + h;
    return true;
  }

  if (!backBuffer) return true;
  if (drawnRect.IsEmpty()) {
    font->DrawText(backBuffer, text, -1, rect, flags);
    return true;
  }
  // Text spills over its box (no clipping), so it is kept to the repainted area instead.
  const IRectangle area = Clip(drawnRect, Whole(backBuffer));
  if (area.IsEmpty() || area.Width() <= 0 || area.Height() <= 0) return true;
  BitmapWindow window(backBuffer, area);
  IRectangle box{rect->left - area.left, rect->top - area.top, rect->right - area.left,
                 rect->bottom - area.top};
  font->DrawText(&window, text, -1, &box, flags);
  return true;
}
