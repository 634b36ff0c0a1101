// Where the instrument's editor gets its platform part: the IGraphics subclass that owns the
// window, the dialogs and the images. On Windows that is the editor window of the module the
// images are embedded in; other systems have no editor window, so the instrument has no editor
// there unless a maker is installed (the tests and benchmarks install one that draws into
// memory).
#pragma once

class IGraphics;
class IPluginCore;

// Makes an editor of width x height at fps frames per second for plug, or null.
using EditorGraphicsMaker = IGraphics* (*)(IPluginCore* plug, int width, int height, int fps);

// The editor for plug: the installed maker's, else the platform's (null where there is none),
// which loads its images from module (the binding's module handle). Creating thread; allocates.
IGraphics* NewEditorGraphics(IPluginCore* plug, int width, int height, int fps, void* module);

// Installs the maker later editors come from; null returns to the platform's. Any thread, but
// not while an instance is being created; allocates nothing.
void SetEditorGraphicsMaker(EditorGraphicsMaker maker);

// The platform's own editor (editor_platform_win32.cpp, editor_platform_native.cpp).
// Creating thread; allocates.
IGraphics* NewPlatformEditorGraphics(IPluginCore* plug, int width, int height, int fps,
                                     void* module);
