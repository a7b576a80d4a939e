#pragma once

#include <memory>
#include <vector>

#include "KROResult.h"
#include "Vorn/Message.h"

namespace Vorn {

// Encodes message as a msgpack array: the kind, then the fields of that kind in a fixed order. A
// record travels as a bin holding its record encoding (VOZ::EncodeRecord). E_INVALIDARG, with bytes
// left empty, when the record cannot be encoded or the message would exceed kMaxMessageSize.
HRESULT EncodeMessage(const Message& message, std::vector<unsigned char>& bytes);

// Decodes what EncodeMessage made. Anything else (an unknown kind, a missing, extra or mistyped
// field, a malformed record, trailing bytes, more than kMaxMessageSize bytes) is E_INVALIDARG and
// leaves out untouched. Buffers of the decoded record point into bytes and keep them alive.
HRESULT DecodeMessage(std::shared_ptr<const std::vector<unsigned char>> bytes, Message& out);

}  // namespace Vorn
