#pragma once

#include <string>

#include "KROResult.h"

namespace Vorn {

// A login session with the central authentication service: it logs in once, keeps the
// ticket-granting ticket, and buys service tickets with it.
class CASSession {
 public:
  CASSession(std::string loginURL, std::string login, std::string password)
      : _LoginURL(std::move(loginURL)), _Login(std::move(login)), _Password(std::move(password)) {}
  CASSession(const CASSession&) = delete;
  CASSession& operator=(const CASSession&) = delete;

  // True, with the ticket-granting ticket in `ticket`, once logged in.
  bool HasTGC(std::string& ticket) const;
  // Logs in first if needed. E_ACCESSDENIED for refused credentials, E_FAIL when no login
  // service answers at the session's address.
  HRESULT GetServiceTicket(const std::string& service, std::string& ticket);

 private:
  const std::string _LoginURL;
  const std::string _Login;
  const std::string _Password;
  std::string _TicketGrantingTicket;
};

}  // namespace Vorn
