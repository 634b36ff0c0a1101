// The mouse on the whole editor: random sequences of everything a user and a host do with it,
// and every way a press can end.
#include <functional>
#include <random>
#include <vector>

#include "editor_fixture.h"

namespace {

using Edit = TestBinding::HostEdit;
constexpr int kPitchWheel = 11;
constexpr int kFirstKey = 13;  // note 36
constexpr IMouseKeys kLeft{true, false, false, false, false};

class EditorMouse : public EditorTest {
 protected:
  // Notes lit from MIDI (their keys at 1 from the next tick on).
  void PlayNotes(std::initializer_list<int> notes) {
    for (int note : notes) {
      const IMidiMessage on(0, 0x90, static_cast<uint8_t>(note), 100);
      synth->ReceiveMidiMessage(&on);
    }
    std::vector<double> out(64, 0.0);
    double* buffers[2] = {out.data(), out.data()};
    synth->ProcessBlock(buffers, buffers, 64);
    Tick();
  }
  void PressAt(int idx, IMouseButton button = IMouseButton::kLeft) {
    const IRectangle& r = Control(idx)->GetRect();
    IMouseKeys keys{button == IMouseButton::kLeft, button == IMouseButton::kRight, false, false,
                    false};
    gui->OnMouseDown(CentreX(r), CentreY(r), &keys, button);
  }
  void ReleaseAt(int idx, IMouseButton button = IMouseButton::kLeft) {
    const IRectangle& r = Control(idx)->GetRect();
    IMouseKeys keys{};
    gui->OnMouseUp(CentreX(r), CentreY(r), &keys, button);
  }
};

// Presses of either button (chords too), drags, releases inside and outside and of presses the
// editor never saw, wheel turns, double-clicks, capture losses and closes, in both APIs. Host
// edits never overlap, every end has its begin, a value reaches the host outside an edit only
// from the wheel or a double-click, and after every sequence nothing is held: every key that
// MIDI did not light is up, the pitch wheel is centred and every value lies in 0..1.
TEST_F(EditorMouse, NoSequenceLeavesAControlHeldOrAnEditOpen) {
  PlayNotes({48, 50});
  const std::vector<Edit>& edits = synth->hostEdits;
  for (IPluginApi api : {kApiVST3, kApiVST2}) {
    synth->api = api;
    for (unsigned seed = 1; seed <= 150; ++seed) {
      std::mt19937 random(seed);
      auto pick = [&random](int n) {
        return static_cast<int>(random() % static_cast<unsigned>(n));
      };
      gui->menuAnswer = [&](IPopupMenu*) { return pick(3); };
      bool down[2] = {false, false};  // left, right
      int heldButton = 0;
      bool heldFromDoubleClick = false;
      int open = -1;
      size_t seen = 0;
      synth->hostEdits.clear();
      for (int step = 0; step <= 60; ++step) {  // the last step closes the window
        const int x = pick(gui->Width() + 30) - 15;
        const int y = pick(gui->Height() + 30) - 15;
        const int b = pick(3) == 0;
        const IMouseButton button = b ? IMouseButton::kRight : IMouseButton::kLeft;
        const int action = step == 60 ? 8 : pick(9);
        const bool held = gui->CaptureIndex() >= 0;
        bool performsOutside = heldFromDoubleClick;
        bool ends = false;
        if (action < 2 && !down[b]) {
          down[b] = true;
          IMouseKeys keys{down[0], down[1], pick(4) == 0, pick(4) == 0, false};
          gui->OnMouseDown(x, y, &keys, button);
          heldButton = b;
          heldFromDoubleClick = false;
        } else if (action == 2) {  // maybe of a press made outside the editor
          down[b] = false;
          IMouseKeys keys{down[0], down[1], false, false, false};
          gui->OnMouseUp(x, y, &keys, button);
          ends = held && heldButton == b;
        } else if (action < 5) {
          IMouseKeys keys{down[0], down[1], pick(4) == 0, false, false};
          gui->OnMouseDrag(x, y, &keys);
        } else if (action == 5 && !down[0]) {
          down[0] = true;
          IMouseKeys keys = kLeft;
          heldFromDoubleClick = gui->OnMouseDoubleClick(x, y, &keys);
          heldButton = 0;
          performsOutside = true;
        } else if (action == 6 && (held || !Control(kPitchWheel)->IsHit(x, y))) {
          // (turned without a press, the pitch wheel stays where the turn left it)
          IMouseKeys keys{down[0], down[1], false, pick(2) == 0, false};
          gui->OnMouseWheel(x, y, &keys, pick(5) - 2);
          performsOutside = true;
        } else if (action == 7) {
          gui->EndMousePress();
          ends = true;
        } else if (action == 8 && (step == 60 || pick(3) == 0)) {
          gui->CloseWindow();
          down[0] = down[1] = false;
          ends = true;
        }
        for (; seen < edits.size(); ++seen) {
          const Edit& e = edits[seen];
          const bool fits = e.kind == Edit::kBegin ? open == -1
                            : e.kind == Edit::kEnd
                                ? open == e.idx
                                : open == e.idx || (open == -1 && performsOutside);
          ASSERT_TRUE(fits && e.normalized >= 0.0 && e.normalized <= 1.0)
              << "API " << api << ", seed " << seed << ", step " << step << ", edit " << seen;
          open = e.kind == Edit::kBegin ? e.idx : e.kind == Edit::kEnd ? -1 : open;
        }
        ASSERT_EQ(gui->OpenGestureParam(), open) << "seed " << seed << ", step " << step;
        ASSERT_TRUE(!ends || (open == -1 && gui->CaptureIndex() == -1)) << "seed " << seed;
        heldFromDoubleClick = heldFromDoubleClick && gui->CaptureIndex() >= 0;
      }
      for (int i = 0; i < gui->NControls(); ++i) {
        const double v = Control(i)->GetValue();
        const int note = i - kFirstKey + 36;
        const bool unlitKey =
            note >= 36 && note < 36 + EditorLayout::kKeyCount && note != 48 && note != 50;
        ASSERT_TRUE(v >= 0.0 && v <= 1.0 && (!unlitKey || v == 0.0))
            << "seed " << seed << ": " << i;
      }
      ASSERT_EQ(Control(kPitchWheel)->GetValue(), 0.5) << "seed " << seed;
    }
  }
  // The instance goes in the middle of a press: the key lets go while it can still hear it.
  PressAt(kFirstKey);
  synth.reset();
}

// However a press ends, the held control hears its release once (a key lets go and its note
// stops, the wheel springs back) and the host's edit ends once; a release whose press the editor
// did not see moves nothing and tells the host nothing.
TEST_F(EditorMouse, EveryWayAPressEndsLetsTheHeldControlGo) {
  using K = Edit::Kind;
  const int key = kFirstKey;
  const int litKey = kFirstKey + 12;  // note 48
  PlayNotes({48});
  const struct {
    const char* name;
    int pressed;  // -1: nothing
    std::function<void()> end;
    int watched;
    double value;
    std::vector<K> kinds;
    int notes;  // MIDI messages queued
  } cases[] = {
      {"capture lost",
       key,
       [&] { gui->EndMousePress(); },
       key,
       0.0,
       {K::kBegin, K::kPerform, K::kPerform, K::kEnd},
       2},
      {"window closed mid-drag",
       kPitchWheel,
       [&] {
         IMouseKeys keys = kLeft;
         gui->OnMouseDrag(CentreX(Control(kPitchWheel)->GetRect()), 0, &keys);
         gui->CloseWindow();
       },
       kPitchWheel,
       0.5,
       {K::kBegin, K::kPerform, K::kPerform, K::kEnd},
       0},
      {"chord",
       key,
       [&] {
         PressAt(0, IMouseButton::kRight);
         ReleaseAt(key);  // no longer the press of the left button: nothing
         ReleaseAt(0, IMouseButton::kRight);
       },
       key,
       0.0,
       {K::kBegin, K::kPerform, K::kPerform, K::kEnd},
       2},
      {"stray release over the wheel",
       -1,
       [&] { ReleaseAt(kPitchWheel); },
       kPitchWheel,
       0.5,
       {},
       0},
      {"stray release over a key lit by MIDI", -1, [&] { ReleaseAt(litKey); }, litKey, 1.0, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    synth->hostEdits.clear();
    const int queued = synth->MidiQueue().Count();
    if (c.pressed >= 0) PressAt(c.pressed);
    c.end();
    std::vector<K> kinds;
    for (const Edit& e : synth->hostEdits) {
      EXPECT_EQ(e.idx, Control(c.watched)->ParamIdx());
      kinds.push_back(e.kind);
    }
    EXPECT_EQ(kinds, c.kinds);
    EXPECT_EQ(Control(c.watched)->GetValue(), c.value);
    EXPECT_EQ(synth->MidiQueue().Count() - queued, c.notes);
    EXPECT_EQ(gui->CaptureIndex(), -1);
  }
}

}  // namespace
