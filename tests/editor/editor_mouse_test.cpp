// The mouse on the whole editor: random sequences of everything a user and a host do with it,
// and every way a press can end.
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editor_fixture.h"

namespace {

using Edit = TestBinding::HostEdit;
constexpr int kPitchWheel = 11;
constexpr int kFirstKey = 13;  // note 36

class EditorMouse : public EditorTest {
 protected:
  // The key of note lit, as MIDI lights it.
  void Light(int note) {
    synth->PushParamToGui(Control(kFirstKey + note - 36)->ParamIdx(), 1.0, true);
    Tick();
  }
  // A press or release at the centre of control idx.
  void Mouse(bool press, int idx, IMouseButton button = IMouseButton::kLeft) {
    const IRectangle& r = Control(idx)->GetRect();
    IMouseKeys keys{};
    if (press) gui->OnMouseDown(CentreX(r), CentreY(r), &keys, button);
    if (!press) gui->OnMouseUp(CentreX(r), CentreY(r), &keys, button);
  }
};

// Presses of either button (chords too), drags, releases inside and outside and of presses made
// elsewhere, wheel turns, double-clicks, capture losses and closes, in both APIs. Edits never
// overlap or end unbegun, a value reaches the host outside an edit only from the wheel or a
// double-click, and after each sequence nothing is held: every key MIDI did not light is up, the
// pitch wheel is centred, every value lies in 0..1.
TEST_F(EditorMouse, NoSequenceLeavesAControlHeldOrAnEditOpen) {
  Light(48);
  Light(50);
  const std::vector<Edit>& edits = synth->hostEdits;
  for (int run = 0; run < 300; ++run) {
    synth->api = run % 2 ? kApiVST2 : kApiVST3;
    std::mt19937 random(run);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    gui->menuAnswer = [&](IPopupMenu*) { return pick(3); };
    bool down[2] = {false, false};  // left, right
    int heldButton = 0;
    int open = -1;
    bool byDoubleClick = false;
    synth->hostEdits.clear();
    for (int step = 0; step <= 60; ++step) {  // the last step closes the window
      IMouseKeys keys{down[0], down[1], pick(4) == 0, pick(4) == 0, false};
      const int x = pick(gui->Width() + 30) - 15;
      const int y = pick(gui->Height() + 30) - 15;
      const int b = pick(3) == 0;
      const IMouseButton button = b ? IMouseButton::kRight : IMouseButton::kLeft;
      const int action = step == 60 ? 8 : pick(9);
      const bool holding = gui->CaptureIndex() >= 0;
      const size_t before = edits.size();
      bool outside = byDoubleClick;  // performs outside an edit are allowed
      bool ends = false;
      if (action < 2 && !down[b]) {
        down[b] = true;
        gui->OnMouseDown(x, y, &keys, button);
        heldButton = b;
        byDoubleClick = false;
      } else if (action == 2) {
        down[b] = false;
        gui->OnMouseUp(x, y, &keys, button);
        ends = holding && heldButton == b;
      } else if (action < 5) {
        gui->OnMouseDrag(x, y, &keys);
      } else if (action == 5 && !down[0]) {
        down[0] = outside = true;
        heldButton = 0;
        byDoubleClick = gui->OnMouseDoubleClick(x, y, &keys);
      } else if (action == 6 && (holding || !Control(kPitchWheel)->IsHit(x, y))) {
        gui->OnMouseWheel(x, y, &keys, pick(5) - 2);  // (turned alone, the pitch wheel stays)
        outside = true;
      } else if (action == 7) {
        gui->EndMousePress();
        ends = true;
      } else if (action == 8 && (step == 60 || pick(3) == 0)) {
        gui->CloseWindow();
        down[0] = down[1] = false;
        ends = true;
      }
      for (size_t i = before; i < edits.size(); ++i) {
        const Edit& e = edits[i];
        const bool fits = e.kind == Edit::kBegin ? open == -1
                          : e.kind == Edit::kEnd ? open == e.idx
                                                 : open == e.idx || (open == -1 && outside);
        ASSERT_TRUE(fits && e.normalized >= 0.0 && e.normalized <= 1.0)
            << "run " << run << ", step " << step << ", edit " << i;
        open = e.kind == Edit::kBegin ? e.idx : e.kind == Edit::kEnd ? -1 : open;
      }
      ASSERT_EQ(gui->OpenGestureParam(), open) << "run " << run << ", step " << step;
      ASSERT_TRUE(!ends || (open == -1 && gui->CaptureIndex() == -1)) << "run " << run;
      byDoubleClick = byDoubleClick && gui->CaptureIndex() >= 0;
    }
    for (int i = 0; i < gui->NControls(); ++i) {
      const double v = Control(i)->GetValue();
      const int note = i - kFirstKey + 36;
      const bool unlit =
          note >= 36 && note < 36 + EditorLayout::kKeyCount && note != 48 && note != 50;
      ASSERT_TRUE(v >= 0.0 && v <= 1.0 && (!unlit || v == 0.0)) << "run " << run << ": " << i;
    }
    ASSERT_EQ(Control(kPitchWheel)->GetValue(), 0.5) << "run " << run;
  }
  Mouse(true, kFirstKey);  // the instance goes mid-press: the key lets go while it can hear it
  synth.reset();
}

// However a press ends, the held control hears its release once (a key lets go and its note
// stops, the pitch wheel springs back) and the host's edit ends once; a release whose press the
// editor did not see moves nothing and tells the host nothing.
TEST_F(EditorMouse, EveryWayAPressEndsLetsTheHeldControlGo) {
  const int key = kFirstKey;
  const int litKey = kFirstKey + 12;  // note 48
  Light(48);
  IMouseKeys none{};
  const struct {
    const char* name;
    int control;
    bool pressed;
    std::function<void()> end;
    double value;
    int notes;  // MIDI messages queued
  } cases[] = {
      {"capture lost", key, true, [&] { gui->EndMousePress(); }, 0.0, 2},
      {"closed mid-drag", kPitchWheel, true,
       [&] { gui->OnMouseDrag(0, 0, &none), gui->CloseWindow(); }, 0.5, 0},
      {"chord", key, true,
       [&] {
         Mouse(true, 0, IMouseButton::kRight);
         Mouse(false, key);  // no longer the press of the left button: nothing
         Mouse(false, 0, IMouseButton::kRight);
       },
       0.0, 2},
      {"stray release over the wheel", kPitchWheel, false, [] {}, 0.5, 0},
      {"stray release over a lit key", litKey, false, [] {}, 1.0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    synth->hostEdits.clear();
    const int queued = synth->MidiQueue().Count();
    Mouse(c.pressed, c.control);
    c.end();
    std::string kinds;
    for (const Edit& e : synth->hostEdits)
      kinds += e.idx == Control(c.control)->ParamIdx() ? "BPE"[e.kind] : '?';
    EXPECT_EQ(kinds, c.pressed ? "BPPE" : "");
    EXPECT_EQ(Control(c.control)->GetValue(), c.value);
    EXPECT_EQ(synth->MidiQueue().Count() - queued, c.notes);
    EXPECT_EQ(gui->CaptureIndex(), -1);
  }
}

}  // namespace
