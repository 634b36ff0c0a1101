// The editor view a VST3 host embeds in its own window.
//
// IPluginVST3View draws nothing itself: it opens and closes the plug-in's editor (IGraphics) in
// the window the host gives, reports the editor's size, and carries the plug-in's resize
// requests to the host's frame. Several views of one instance may exist; the editor has one
// window, which the view attached last holds: attaching another view moves the window there
// (the one before hears GuiClosing, the new one GuiOpened), and removing a view that no longer
// holds the window closes nothing. Resize requests and context menus go to the view holding the
// window, else to the first view created.
//
// Threads: every call comes on the host's UI thread; none takes the instance lock.
#pragma once

#include "public.sdk/source/common/pluginview.h"

class IPluginVST3;

class IPluginVST3View : public Steinberg::CPluginView {
 public:
  // A view of plugin's editor with one reference of its own on the plug-in; it joins the
  // plug-in's open views. UI thread; allocates.
  explicit IPluginVST3View(IPluginVST3* plugin);
  // Closes the editor's window when this view still holds it, leaves the open views and lets go
  // of its reference. UI thread.
  ~IPluginVST3View() override;

  // kResultOk for "HWND" when the plug-in has an editor, else kResultFalse.
  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) SMTG_OVERRIDE;
  // Opens the editor in parent (an "HWND"): kResultOk and GuiOpened; kResultFalse, reporting
  // nothing, without an editor, for another type or when the window cannot be created.
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;
  // GuiClosing and the window closed when this view holds it; kResultOk.
  Steinberg::tresult PLUGIN_API removed() SMTG_OVERRIDE;
  // {0, 0, editor width, editor height}; kResultFalse without an editor.
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) SMTG_OVERRIDE;
  // Stores the size; the first one after the plug-in's request reports GuiResized. kResultOk.
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
  Steinberg::tresult PLUGIN_API canResize() SMTG_OVERRIDE { return Steinberg::kResultFalse; }

  // Asks the host's frame for the size w x h; nothing without a frame. UI thread.
  void RequestResize(int w, int h);
  // Whether the editor's window is open in this view. UI thread.
  bool HoldsEditorWindow() const;
  bool ResizeRequested() const { return resizeRequested; }

 private:
  // Ends this view's hold on the window: GuiClosing, then the window closed.
  void CloseEditorWindow();

  IPluginVST3* plugin;
  bool resizeRequested = false;
};
