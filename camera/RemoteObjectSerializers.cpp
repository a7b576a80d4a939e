// Record forms of the typed objects exchanged with the rendering service. The layout is
// documented in docs/architecture.md; the reference service reads and writes the same keys.
#include <array>
#include <string>
#include <typeindex>
#include <vector>

#include "KROPtr.h"
#include "KROVisOrthogonalCamera.h"
#include "KROVisPerspectiveCamera.h"
#include "VOZ/Parameters.h"
#include "Vis/UID.h"
#include "camera/RemoteObjectSerializers.h"
#include "camera/RemoteObjectTypes.h"
#include "camera/VisRepPath.h"

namespace {

constexpr std::uint8_t kPerspectiveKind = 0;
constexpr std::uint8_t kOrthogonalKind = 1;

std::vector<double> ToArray(const KROMathPoint& p) {
  return {p.x, p.y, p.z};
}
std::vector<double> ToArray(const KROMathDirectionf& d) {
  return {d.x, d.y, d.z};
}

bool ReadTriple(const VOZ::Parameters& record, const char* key, std::array<double, 3>& out) {
  std::vector<double> values;
  if (FAILED(record.ReadDoubleArray(key, values)) || values.size() != 3) return false;
  std::copy(values.begin(), values.end(), out.begin());
  return true;
}

KROMathDirectionf ToDirection(const std::array<double, 3>& v) {
  return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

HRESULT SerializeCamera(VOZ::Parameters& record, const void* object) {
  const auto& camera = *static_cast<const KROVisCamera*>(object);
  const bool perspective = camera.GetType() == 0;
  record.WriteUint8("kind", perspective ? kPerspectiveKind : kOrthogonalKind);
  record.WriteDoubleArray("origin", ToArray(camera.GetOrigin()));
  record.WriteDoubleArray("direction", ToArray(camera.GetDirection()));
  record.WriteDoubleArray("up", ToArray(camera.GetUpDirection()));
  record.WriteBool("automaticClipping", camera.IsAutomaticClipping());
  record.WriteFloat("nearDistance", camera.GetNearDistance());
  record.WriteFloat("farDistance", camera.GetFarDistance());
  record.WriteFloat("focusDistance", camera.GetFocusDistance());
  record.WriteFloat("angle", camera.GetAngle());
  record.WriteFloat("aperture", camera.GetAperture());
  if (perspective) {
    const auto& lens = static_cast<const KROVisPerspectiveCamera&>(camera);
    record.WriteInt32("blades", lens.GetBlades());
    record.WriteFloat("bladeRotation", lens.GetBladeRotation());
  }
  return S_OK;
}

// Every property must be there with its type; a partial camera would silently move the view.
void* UnserializeCamera(const VOZ::Parameters& record) {
  std::uint8_t kind = 0;
  std::array<double, 3> origin{}, direction{}, up{};
  bool automaticClipping = true;
  float nearDistance = 0, farDistance = 0, focusDistance = 0, angle = 0, aperture = 0;
  if (FAILED(record.ReadUint8("kind", kind)) ||
      (kind != kPerspectiveKind && kind != kOrthogonalKind) ||
      !ReadTriple(record, "origin", origin) || !ReadTriple(record, "direction", direction) ||
      !ReadTriple(record, "up", up) ||
      FAILED(record.ReadBool("automaticClipping", automaticClipping)) ||
      FAILED(record.ReadFloat("nearDistance", nearDistance)) ||
      FAILED(record.ReadFloat("farDistance", farDistance)) ||
      FAILED(record.ReadFloat("focusDistance", focusDistance)) ||
      FAILED(record.ReadFloat("angle", angle)) || FAILED(record.ReadFloat("aperture", aperture))) {
    return nullptr;
  }
  std::int32_t blades = 0;
  float bladeRotation = 0;
  if (kind == kPerspectiveKind && (FAILED(record.ReadInt32("blades", blades)) ||
                                   FAILED(record.ReadFloat("bladeRotation", bladeRotation)))) {
    return nullptr;
  }

  const KROMathPoint eye{origin[0], origin[1], origin[2]};
  KROVisCamera* camera = nullptr;
  if (kind == kPerspectiveKind) {
    KROVisPerspectiveCamera* lens =
        KROVisPerspectiveCamera::Create(eye, ToDirection(direction), ToDirection(up));
    lens->SetBlades(blades);
    lens->SetBladeRotation(bladeRotation);
    camera = lens;
  } else {
    camera = KROVisOrthogonalCamera::Create(eye, ToDirection(direction), ToDirection(up));
  }
  camera->SetNearDistance(nearDistance);
  camera->SetFarDistance(farDistance);
  camera->SetAutomaticClipping(automaticClipping);
  camera->SetFocusDistance(focusDistance);
  camera->SetAngle(angle);
  camera->SetAperture(aperture);
  return camera;
}

HRESULT SerializeRepPath(VOZ::Parameters& record, const void* object) {
  const auto& path = *static_cast<const Vis::RepPath*>(object);
  std::vector<std::string> ids;
  ids.reserve(path.repIDs.size());
  for (const KROUnicodeString& id : path.repIDs) ids.push_back(id.ToStdString());
  record.WriteStringArray("repIds", ids);
  record.WriteInt32Array("subElementIndices", path.subElementIndices);
  return S_OK;
}

void* UnserializeRepPath(const VOZ::Parameters& record) {
  std::vector<std::string> ids;
  std::vector<std::int32_t> subElements;
  if (FAILED(record.ReadStringArray("repIds", ids)) ||
      FAILED(record.ReadInt32Array("subElementIndices", subElements))) {
    return nullptr;
  }
  auto* path = new Vis::RepPath;
  path->repIDs.assign(ids.begin(), ids.end());
  path->subElementIndices = std::move(subElements);
  return path;
}

HRESULT SerializeUID(VOZ::Parameters& record, const void* object) {
  return record.WriteString("id", static_cast<const Vis::UID*>(object)->ToString());
}

void* UnserializeUID(const VOZ::Parameters& record) {
  std::string id;
  if (FAILED(record.ReadString("id", id))) return nullptr;
  return new Vis::UID(id);
}

}  // namespace

void RegisterRemoteObjectSerializers() {
  VOZ::RegisterObjectSerializer(RemoteObjectType::kCamera, typeid(KROVisCamera), SerializeCamera,
                                UnserializeCamera);
  VOZ::RegisterObjectSerializer(RemoteObjectType::kRepPath, typeid(Vis::RepPath), SerializeRepPath,
                                UnserializeRepPath);
  VOZ::RegisterObjectSerializer(RemoteObjectType::kFrameId, typeid(Vis::UID), SerializeUID,
                                UnserializeUID);
}

namespace {
// Registered when the library loads, before any record can be read or written.
[[maybe_unused]] const bool s_Registered = (RegisterRemoteObjectSerializers(), true);
}  // namespace
