#pragma once

#include <string>

#include "VOZ/Parameters.h"

namespace Vorn {

// The "status" of the error records that the node library makes itself; each record also explains
// under "errorMessage".
namespace ErrorStatus {
inline constexpr char kTimeout[] = "Timeout";                  // no answer within the call timeout
inline constexpr char kStopped[] = "Stopped";                  // the asking node was stopped
inline constexpr char kConnectionLost[] = "ConnectionLost";    // the connection ended first
inline constexpr char kUnknownFunction[] = "UnknownFunction";  // no such function and version
inline constexpr char kNoSuchNode[] = "NoSuchNode";            // the target is not served
inline constexpr char kNodeRemoved[] = "NodeRemoved";          // the target left before answering
inline constexpr char kNoMatchingNode[] = "NoMatchingNode";    // nothing answers a select
inline constexpr char kNotGranted[] = "NotGranted";  // a select without a valid service ticket
}  // namespace ErrorStatus

// {"status": status, "errorMessage": errorMessage}
VOZ::Parameters MakeErrorRecord(const std::string& status, const std::string& errorMessage);

}  // namespace Vorn
