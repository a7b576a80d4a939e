#include "Vorn/CASSession.h"

#include "Vorn/LoginService.h"

namespace Vorn {

bool CASSession::HasTGC(std::string& ticket) const {
  if (_TicketGrantingTicket.empty()) return false;
  ticket = _TicketGrantingTicket;
  return true;
}

HRESULT CASSession::GetServiceTicket(const std::string& service, std::string& ticket) {
  HRESULT result = E_FAIL;
  LoginService::WithInProcess(_LoginURL, [&](LoginService& login) {
    if (_TicketGrantingTicket.empty()) {
      result = login.CreateTicketGrantingTicket(_Login, _Password, _TicketGrantingTicket);
      if (FAILED(result)) return;
    }
    result = login.CreateServiceTicket(_TicketGrantingTicket, service, ticket);
    // A ticket-granting ticket the service no longer knows is useless: log in again next time.
    if (FAILED(result)) _TicketGrantingTicket.clear();
  });
  return result;
}

}  // namespace Vorn
