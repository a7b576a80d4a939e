#pragma once

namespace Vorn {

// A login session with the central authentication service; it keeps the ticket-granting
// ticket between logins.
class CASSession {
 public:
  CASSession() = default;
  CASSession(const CASSession&) = delete;
  CASSession& operator=(const CASSession&) = delete;
};

}  // namespace Vorn
