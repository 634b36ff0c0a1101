#include "instrument/note_stack.h"

void NoteStack::Clear() {
  depth = 0;
  for (int k = 0; k < kEntries; ++k) {
    notes[k] = 0;
    velocities[k] = 0;
  }
}

void NoteStack::Push(int note, int velocity) {
  if (depth < kMaxDepth) ++depth;
  notes[depth] = note;
  velocities[depth] = velocity;
}

bool NoteStack::Remove(int note) {
  int kept = 0;
  for (int k = 1; k <= depth; ++k) {
    if (notes[k] == note) continue;
    ++kept;
    notes[kept] = notes[k];
    velocities[kept] = velocities[k];
  }
  if (kept == depth) return false;
  for (int k = kept + 1; k <= depth; ++k) {
    notes[k] = 0;
    velocities[k] = 0;
  }
  depth = kept;
  return true;
}
