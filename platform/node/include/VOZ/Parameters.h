#pragma once

#include <memory>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "KROResult.h"
#include "VOZ/ObjectSerializers.h"
#include "VOZ/ParameterValue.h"
#include "Vorn/Binary.h"

namespace VOZ {

// A keyed record of typed values, kept in insertion order. Values are read back only as the type
// they were written with: a reader never converts.
class Parameters {
 public:
  using Entry = std::pair<std::string, ParameterValue>;

  // Writers replace any value of the same key, whatever its type, keeping the key's position.
  // An empty key is E_INVALIDARG.
  HRESULT WriteBool(const std::string& key, bool value);
  HRESULT WriteUint8(const std::string& key, uint8_t value);
  HRESULT WriteUint16(const std::string& key, uint16_t value);
  HRESULT WriteUint32(const std::string& key, uint32_t value);
  HRESULT WriteInt32(const std::string& key, int32_t value);
  HRESULT WriteUint64(const std::string& key, uint64_t value);
  HRESULT WriteFloat(const std::string& key, float value);
  HRESULT WriteDouble(const std::string& key, double value);
  HRESULT WriteString(const std::string& key, const std::string& value);
  HRESULT WriteStringArray(const std::string& key, const std::vector<std::string>& value);
  HRESULT WriteUint32Array(const std::string& key, const std::vector<uint32_t>& value);
  HRESULT WriteInt32Array(const std::string& key, const std::vector<int32_t>& value);
  HRESULT WriteUint8Array(const std::string& key, const std::vector<uint8_t>& value);
  HRESULT WriteDoubleArray(const std::string& key, const std::vector<double>& value);
  HRESULT WriteBuffer(const std::string& key, const Vorn::Binary& value);
  HRESULT WriteParameters(const std::string& key, const Parameters& value);
  HRESULT WriteObjectPrivate(const std::string& property, const std::string& typeKey,
                             const Parameters& nested);
  // A null record is E_INVALIDARG.
  HRESULT WriteObjectArrayPrivate(const std::string& property, const std::string& typeKey,
                                  std::vector<std::unique_ptr<Parameters>> records);
  // Also E_INVALIDARG for a record value holding a null record.
  HRESULT WriteValue(const std::string& key, ParameterValue value);

  // Readers fail with E_FAIL, leaving the output untouched, when the key is missing or holds
  // another type.
  HRESULT ReadBool(const std::string& key, bool& value) const;
  HRESULT ReadUint8(const std::string& key, uint8_t& value) const;
  HRESULT ReadUint16(const std::string& key, uint16_t& value) const;
  HRESULT ReadUint32(const std::string& key, uint32_t& value) const;
  HRESULT ReadInt32(const std::string& key, int32_t& value) const;
  HRESULT ReadUint64(const std::string& key, uint64_t& value) const;
  HRESULT ReadFloat(const std::string& key, float& value) const;
  HRESULT ReadDouble(const std::string& key, double& value) const;
  HRESULT ReadString(const std::string& key, std::string& value) const;
  HRESULT ReadStringArray(const std::string& key, std::vector<std::string>& value) const;
  HRESULT ReadUint32Array(const std::string& key, std::vector<uint32_t>& value) const;
  HRESULT ReadInt32Array(const std::string& key, std::vector<int32_t>& value) const;
  HRESULT ReadUint8Array(const std::string& key, std::vector<uint8_t>& value) const;
  HRESULT ReadDoubleArray(const std::string& key, std::vector<double>& value) const;
  // The buffer shares the stored bytes.
  HRESULT ReadBuffer(const std::string& key, Vorn::Binary& value) const;
  // Reads a plain nested record, one written without a type key.
  HRESULT ReadParameters(const std::string& key, Parameters& value) const;
  // Also fails when the stored type key differs.
  HRESULT ReadParameters(const std::string& property, const std::string& typeKey,
                         Parameters& nested) const;
  // Appends to records.
  HRESULT ReadParametersArray(const std::string& property, const std::string& typeKey,
                              std::vector<std::unique_ptr<Parameters>>& records) const;

  // Typed objects: an object travels as a nested record tagged with its type key, converted by
  // the serialisers registered for (type key, T). A failed conversion publishes an error text
  // on this record; a missing property fails quietly.
  template <class T>
  HRESULT ReadObject(const std::string& property, const std::string& typeKey, T*& object) const;
  // Appends; objects read before a failure stay.
  template <class T>
  HRESULT ReadObjectArray(const std::string& property, const std::string& typeKey,
                          std::vector<std::unique_ptr<T>>& objects) const;
  template <class T>
  HRESULT WriteObject(const std::string& property, const std::string& typeKey, const T& object);
  // Writes nothing, quietly, when any entry is null or cannot be serialised.
  template <class T>
  HRESULT WriteObjectArray(const std::string& property, const std::string& typeKey,
                           const std::vector<std::unique_ptr<T>>& objects);

  SerializeFunction GetSerializeFunction(const std::string& typeKey, std::type_index type) const;
  UnserializeFunction GetUnserializeFunction(const Parameters& nested, const std::string& typeKey,
                                             std::type_index type) const;
  // Reports a conversion failure to the library's error channel (a trace warning); negative.
  HRESULT PublishError(const std::string& text) const;

  Parameters CreateEmptyParameters() const;
  std::unique_ptr<Parameters> NewEmptyParameters() const;

  bool Has(const std::string& key) const;
  size_t GetCount() const;
  std::vector<std::string> GetKeys() const;
  // Null when the key is missing.
  const ParameterValue* Find(const std::string& key) const;
  // Replaces the whole record with `entries`, refusing (E_INVALIDARG, record untouched) empty or
  // repeated keys and null records. Linear in the number of entries, whatever it is.
  HRESULT Assign(std::vector<Entry> entries);
  const std::vector<Entry>& GetEntries() const { return entries_; }

  // Deep and independent of key order.
  bool operator==(const Parameters& other) const;

 private:
  template <typename T>
  HRESULT Write(const std::string& key, T value);
  template <typename T>
  HRESULT Read(const std::string& key, T& value) const;
  template <typename Record>
  const Record* FindRecord(const std::string& property, const std::string& typeKey) const;

  // Records are small: a scan beats a hash index, and copying one costs a single allocation.
  std::vector<Entry> entries_;
};

template <class T>
HRESULT Parameters::ReadObject(const std::string& property, const std::string& typeKey,
                               T*& object) const {
  Parameters nested = CreateEmptyParameters();
  if (FAILED(ReadParameters(property, typeKey, nested))) return E_FAIL;
  const UnserializeFunction unserialize = GetUnserializeFunction(nested, typeKey, typeid(T));
  object = unserialize ? static_cast<T*>(unserialize(nested)) : nullptr;
  if (object) return S_OK;
  PublishError("Unserialize Error in Parameters::ReadObject() property <" + property + "> type <" +
               typeKey + ">");
  return E_FAIL;
}

template <class T>
HRESULT Parameters::ReadObjectArray(const std::string& property, const std::string& typeKey,
                                    std::vector<std::unique_ptr<T>>& objects) const {
  std::vector<std::unique_ptr<Parameters>> records;
  if (FAILED(ReadParametersArray(property, typeKey, records))) return E_FAIL;
  for (const auto& record : records) {
    const UnserializeFunction unserialize = GetUnserializeFunction(*record, typeKey, typeid(T));
    T* object = unserialize ? static_cast<T*>(unserialize(*record)) : nullptr;
    if (!object) {
      return PublishError("Unserialize Error in Parameters::ReadObjectArray() property <" +
                          property + "> type <" + typeKey + ">");
    }
    objects.emplace_back(object);
  }
  return S_OK;
}

template <class T>
HRESULT Parameters::WriteObject(const std::string& property, const std::string& typeKey,
                                const T& object) {
  Parameters nested = CreateEmptyParameters();
  const SerializeFunction serialize = GetSerializeFunction(typeKey, typeid(T));
  if (serialize && SUCCEEDED(serialize(nested, &object))) {
    return WriteObjectPrivate(property, typeKey, nested);
  }
  return PublishError("Serialize Error in Parameters::WriteObject() property <" + property +
                      "> type <" + typeKey + ">");
}

template <class T>
HRESULT Parameters::WriteObjectArray(const std::string& property, const std::string& typeKey,
                                     const std::vector<std::unique_ptr<T>>& objects) {
  const SerializeFunction serialize = GetSerializeFunction(typeKey, typeid(T));
  std::vector<std::unique_ptr<Parameters>> nestedRecords;
  nestedRecords.reserve(objects.size());
  for (const auto& object : objects) {
    nestedRecords.push_back(NewEmptyParameters());
    if (!object || !serialize || FAILED(serialize(*nestedRecords.back(), object.get()))) {
      return E_FAIL;
    }
  }
  return WriteObjectArrayPrivate(property, typeKey, std::move(nestedRecords));
}

}  // namespace VOZ
