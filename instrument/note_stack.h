// The notes still held in mono and unison play, in the order they were pressed, with their
// velocities. Entry 0 is never used; entries 1..Depth() hold the notes, the newest on top.
#pragma once

#include <cstdint>

class NoteStack {
 public:
  static constexpr int kEntries = 128;
  static constexpr int kMaxDepth = 100;  // at this depth a new note overwrites the top entry

  // Empties the stack. Any thread; allocates nothing.
  void Clear();
  // Puts a note on top. Any thread; allocates nothing.
  void Push(int note, int velocity);
  // Takes every entry of note off the stack (later entries move down). True when the note was
  // on the stack; otherwise nothing changes. Any thread; allocates nothing.
  bool Remove(int note);

  // Any thread; allocate nothing.
  int Depth() const { return depth; }
  bool Empty() const { return depth == 0; }
  int TopNote() const { return notes[depth]; }
  int TopVelocity() const { return velocities[depth]; }

 private:
  int32_t depth = 0;
  int32_t notes[kEntries] = {};
  int32_t velocities[kEntries] = {};
};
