// Program and bank chunks. Both start with an 8-byte header (the bytes "tffp", then the int32
// version 0x00010000, little-endian). A program chunk carries the serialised parameter state;
// a bank chunk every preset slot (name length, name, flag byte, state of a filled slot).
//
// A chunk from the host is checked at the boundary: its size must hold a header and stay within
// 16 MiB, it is copied into a buffer of its own before anything reads it (the host may hand back
// the very pointer effGetChunk gave out), and a chunk that does not read completely is refused
// whole: it answers 0 and changes nothing.
#include <cstring>

#include "framework/little_endian.h"
#include "vst2/plugin_vst2.h"

bool WriteChunkHeader(HeapBuffer* chunk) {
  if (!chunk) return false;
  chunk->Resize(0, false);
  unsigned char header[IPluginVST2::kChunkHeaderBytes];
  LittleEndian::StoreInt32(header, IPluginVST2::kChunkMagic);
  LittleEndian::StoreInt32(header + 4, IPluginVST2::kChunkVersion);
  return chunk->PutBytes(header, IPluginVST2::kChunkHeaderBytes);
}

int32_t ReadChunkHeaderVersion(const HeapBuffer* chunk, int* pos) {
  if (!chunk || !pos || *pos < 0) return 0;
  const int64_t remaining = int64_t{chunk->Size()} - *pos;
  if (remaining < 4 || LittleEndian::LoadInt32(chunk->Bytes() + *pos) != IPluginVST2::kChunkMagic) {
    return 0;  // no header: the data starts where it is
  }
  if (remaining < IPluginVST2::kChunkHeaderBytes) {
    *pos = -1;
    return 0;
  }
  const int32_t version = LittleEndian::LoadInt32(chunk->Bytes() + *pos + 4);
  *pos += IPluginVST2::kChunkHeaderBytes;
  return version;
}

intptr_t IPluginVST2::GetChunk(int32_t index, void* ptr) {
  if (!ptr) return 0;
  const bool program = index != 0;
  HeapBuffer& chunk = program ? programChunk : bankChunk;
  bool written = WriteChunkHeader(&chunk);
  if (written && program) {
    written = SerializeState(&chunk);
  } else if (written) {
    ModifyCurrentPreset();  // the current slot holds the current sound
    written = SerializePresets(&chunk);
  }
  if (!written || chunk.Size() <= 0) return 0;
  *static_cast<void**>(ptr) = chunk.Get();
  return chunk.Size();
}

intptr_t IPluginVST2::SetChunk(int32_t index, intptr_t size, const void* data) {
  if (!data || size < kChunkHeaderBytes || size > kMaxChunkBytes) return 0;
  HeapBuffer incoming(HeapBuffer::kPageGranularity);
  incoming.Resize(static_cast<int32_t>(size), false);
  if (incoming.Size() != size) return 0;
  std::memcpy(incoming.Bytes(), data, static_cast<size_t>(size));

  int pos = 0;
  const int32_t version = ReadChunkHeaderVersion(&incoming, &pos);
  // A cut header, or a format newer than this one, is not read at all.
  if (pos < 0 || version > kChunkVersion) return 0;
  if (index != 0 || version < kChunkVersion) {
    // A program, or a bank from before banks had a header of this version: one state.
    if (UnserializeState(&incoming, pos) < 0) return 0;
    ModifyCurrentPreset();
  } else if (UnserializePresets(&incoming, pos) < 0) {
    return 0;
  }
  RefreshParamControls();
  return 1;
}
