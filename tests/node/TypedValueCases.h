#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "VOZ/Parameters.h"

// One row per typed writer/reader pair of VOZ::Parameters: a sample to write and a sentinel,
// different from the sample, that a failing read must leave in place.
struct TypedValueCase {
  std::string name;
  std::function<HRESULT(VOZ::Parameters&, const std::string&)> writeSample;
  std::function<bool(const VOZ::Parameters&, const std::string&)> readsSample;
  std::function<bool(const VOZ::Parameters&, const std::string&)> failsLeavingSentinel;
};

inline void PrintTo(const TypedValueCase& typedCase, std::ostream* out) {
  *out << typedCase.name;
}

template <typename T, typename WriteArgument>
TypedValueCase MakeTypedValueCase(
    std::string name, HRESULT (VOZ::Parameters::*write)(const std::string&, WriteArgument),
    HRESULT (VOZ::Parameters::*read)(const std::string&, T&) const, T sample, T sentinel) {
  return {
      std::move(name),
      [=](VOZ::Parameters& record, const std::string& key) { return (record.*write)(key, sample); },
      [=](const VOZ::Parameters& record, const std::string& key) {
        T value = sentinel;
        return (record.*read)(key, value) == S_OK && value == sample;
      },
      [=](const VOZ::Parameters& record, const std::string& key) {
        T value = sentinel;
        return FAILED((record.*read)(key, value)) && value == sentinel;
      }};
}

inline std::vector<TypedValueCase> AllTypedValueCases() {
  using VOZ::Parameters;
  Parameters nested;
  nested.WriteString("inner", "value");
  return {
      MakeTypedValueCase<bool>("Bool", &Parameters::WriteBool, &Parameters::ReadBool, true, false),
      MakeTypedValueCase<uint8_t>("Uint8", &Parameters::WriteUint8, &Parameters::ReadUint8, 200, 7),
      MakeTypedValueCase<uint16_t>("Uint16", &Parameters::WriteUint16, &Parameters::ReadUint16,
                                   60000, 7),
      MakeTypedValueCase<uint32_t>("Uint32", &Parameters::WriteUint32, &Parameters::ReadUint32,
                                   4000000000u, 7),
      MakeTypedValueCase<int32_t>("Int32", &Parameters::WriteInt32, &Parameters::ReadInt32,
                                  -2000000000, 7),
      MakeTypedValueCase<uint64_t>("Uint64", &Parameters::WriteUint64, &Parameters::ReadUint64,
                                   UINT64_MAX, 7),
      MakeTypedValueCase<float>("Float", &Parameters::WriteFloat, &Parameters::ReadFloat, 0.1f,
                                7.0f),
      MakeTypedValueCase<double>("Double", &Parameters::WriteDouble, &Parameters::ReadDouble, 0.1,
                                 7.0),
      MakeTypedValueCase<std::string>("String", &Parameters::WriteString, &Parameters::ReadString,
                                      "h\xC3\xA9llo", "sentinel"),
      MakeTypedValueCase<std::vector<std::string>>("StringArray", &Parameters::WriteStringArray,
                                                   &Parameters::ReadStringArray, {"a", "", "c"},
                                                   {"sentinel"}),
      MakeTypedValueCase<std::vector<uint32_t>>("Uint32Array", &Parameters::WriteUint32Array,
                                                &Parameters::ReadUint32Array, {0, 1, UINT32_MAX},
                                                {7}),
      MakeTypedValueCase<std::vector<int32_t>>("Int32Array", &Parameters::WriteInt32Array,
                                               &Parameters::ReadInt32Array,
                                               {INT32_MIN, -1, INT32_MAX}, {7}),
      MakeTypedValueCase<std::vector<uint8_t>>("Uint8Array", &Parameters::WriteUint8Array,
                                               &Parameters::ReadUint8Array, {0, 128, 255}, {7}),
      MakeTypedValueCase<std::vector<double>>("DoubleArray", &Parameters::WriteDoubleArray,
                                              &Parameters::ReadDoubleArray, {-1.5, 0.1, 1e300},
                                              {7.0}),
      MakeTypedValueCase<Vorn::Binary>("Buffer", &Parameters::WriteBuffer, &Parameters::ReadBuffer,
                                       Vorn::Binary::Copy("\0\1\2", 3), Vorn::Binary::Copy("x", 1)),
      MakeTypedValueCase<Parameters>("Parameters", &Parameters::WriteParameters,
                                     &Parameters::ReadParameters, nested, Parameters()),
  };
}

// A record holding every type, typed and plain nested records, record arrays and empty values.
inline VOZ::Parameters RecordWithEveryType() {
  VOZ::Parameters record;
  for (const TypedValueCase& typedCase : AllTypedValueCases()) {
    typedCase.writeSample(record, typedCase.name);
  }
  VOZ::Parameters camera;
  camera.WriteDouble("fov", 45.0);
  camera.WriteParameters("plain", record);
  record.WriteObjectPrivate("camera", "Camera", camera);
  std::vector<std::unique_ptr<VOZ::Parameters>> lights;
  lights.push_back(std::make_unique<VOZ::Parameters>(camera));
  lights.push_back(std::make_unique<VOZ::Parameters>());
  record.WriteObjectArrayPrivate("lights", "Light", std::move(lights));
  record.WriteObjectArrayPrivate("noLights", "Light", {});
  record.WriteString("emptyString", "");
  record.WriteStringArray("emptyStrings", {});
  record.WriteUint32Array("emptyUint32s", {});
  record.WriteInt32Array("emptyInt32s", {});
  record.WriteUint8Array("emptyUint8s", {});
  record.WriteDoubleArray("emptyDoubles", {});
  record.WriteBuffer("emptyBuffer", Vorn::Binary());
  record.WriteParameters("emptyRecord", VOZ::Parameters());
  return record;
}
