#pragma once

#include <memory>
#include <vector>

#include "KROResult.h"
#include "VOZ/Parameters.h"

namespace VOZ {

// Deepest nesting of records a decoded or encoded record may have.
inline constexpr int kMaxRecordDepth = 32;

// Encodes a record as msgpack, each value tagged with its type. Returns an empty vector (never a
// valid encoding) when the record cannot be encoded: a string, buffer or array longer than
// 2^32 - 1, or records nested deeper than kMaxRecordDepth.
std::vector<unsigned char> EncodeRecord(const Parameters& record);

// Decodes a record made by EncodeRecord. Decoded buffers point into message and keep it alive.
// Any malformed input is E_INVALIDARG and leaves out untouched.
HRESULT DecodeRecord(std::shared_ptr<const std::vector<unsigned char>> message, Parameters& out);

// Decodes the record encoded in the size bytes at offset of message, such as a record nested in a
// larger message. Bounds outside message are E_INVALIDARG.
HRESULT DecodeRecord(std::shared_ptr<const std::vector<unsigned char>> message, size_t offset,
                     size_t size, Parameters& out);

}  // namespace VOZ
