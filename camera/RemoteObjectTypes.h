#pragma once

// Type keys of the typed objects that travel in remote records.
namespace RemoteObjectType {
inline constexpr const char* kCamera = "VisVOZCamera";      // KROVisCamera
inline constexpr const char* kRepPath = "VisVOZRepPath";    // Vis::RepPath
inline constexpr const char* kFrameId = "VisStreamingUID";  // Vis::UID
}  // namespace RemoteObjectType
