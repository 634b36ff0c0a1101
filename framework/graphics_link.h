#pragma once

// The editor core (IGraphics) is built on top of this framework. The plug-in base owns the
// attached editor and reaches it only through this small interface, which IGraphics derives
// from and implements. Every value the plug-in hands to the editor goes through
// IPluginCore::PushParamToGui, which is the only caller of PushParamToControls.
class IGraphics;

class IGraphicsLink {
 public:
  // Window thread; frees the editor with its controls.
  virtual ~IGraphicsLink() = default;

  // The editor itself (IGraphics returns this). Any thread; allocates nothing.
  virtual IGraphics* GetGraphics() = 0;

  // Hands a parameter's value to every control bound to it (and to the first auxiliary binding
  // of each control that names it). A value that is not normalized is converted through the
  // parameter's range and shape first. The value waits in a fixed slot until the editor's
  // window applies it (ApplyPendingUpdates).
  // Any thread under the instance lock (the audio thread included); allocates nothing.
  virtual void PushParamToControls(int paramIdx, double value, bool normalized) = 0;

  // Creates the back buffer at the editor's size. Window or attaching thread; allocates.
  virtual void PrepareBackBuffer() = 0;

  // Moves every pushed value into the controls. Under the instance lock, on the window thread
  // or the thread attaching the editor; may allocate.
  virtual void ApplyPendingUpdates() = 0;
};
