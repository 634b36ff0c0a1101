#pragma once

// The plug-in framework core.
//
// IPluginCore is the base of every plug-in instance: identity, parameter records (IParameter),
// preset slots (IPresetSlot) with the serialised parameter state (one little-endian double per
// parameter, in index order), channel records with double-precision scratch buffers and the
// processing path that converts to and from the host's floats, the MIDI message record and
// queue (IMidiMessage, IMidiEventQueue), host identification by name (IdentifyHost) and one
// recursive instance lock. The host bindings derive from it; the instrument derives from a
// binding. The editor is reached through IGraphicsLink.
//
// The framework keeps its own containers: HeapBuffer (growable bytes), HeapString (text),
// PtrList (owned pointers), Mutex and MutexLock. None of them throws; failures show as null
// results, false or an unchanged size.

#include "framework/channels.h"
#include "framework/graphics_link.h"
#include "framework/heap_buffer.h"
#include "framework/heap_string.h"
#include "framework/host_id.h"
#include "framework/latency_delay.h"
#include "framework/little_endian.h"
#include "framework/midi_message.h"
#include "framework/midi_queue.h"
#include "framework/mutex.h"
#include "framework/parameter.h"
#include "framework/plugin_api.h"
#include "framework/plugin_core.h"
#include "framework/preset_slot.h"
#include "framework/ptr_list.h"
#include "framework/transport_info.h"
#include "framework/utf8_text.h"
