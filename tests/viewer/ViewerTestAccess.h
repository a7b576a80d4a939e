#pragma once

#include <memory>
#include <vector>

#include "viewer/KRO3DStreamingViewer.h"

// The narrow door through which tests reach the viewer's private state.
class KRO3DStreamingViewerTestAccess {
 public:
  explicit KRO3DStreamingViewerTestAccess(KRO3DStreamingViewer& viewer) : _Viewer(viewer) {}

  std::vector<ViewParameters>& Views() { return _Viewer._Views; }
  void GrowViews(std::size_t size) { _Viewer._GrowViews(size); }
  void Clean() { _Viewer.Clean(); }
  void Disconnect(unsigned int index) { _Viewer.DisconnectView(_Viewer._Views[index]); }
  bool IsExposed() const { return _Viewer.IsExposed(); }
  std::uint32_t TraceID() const { return _Viewer._TraceID; }
  int& MainViewpointCallbackId() { return _Viewer._MainViewpointCallbackId; }
  int& DeviceActionCallbackId() { return _Viewer._DeviceActionCallbackId; }
  int& ExposeCallbackId() { return _Viewer._ExposeCallbackId; }

  // What a connection gives an entry that the skeleton's tests need: its lock.
  void MarkConnected(unsigned int index) {
    _Viewer._Views[index].mutex = std::make_unique<KROMutex>(0, 1, 0);
  }

 private:
  KRO3DStreamingViewer& _Viewer;
};
