#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "KROResult.h"

namespace Vorn {

// A central authentication service: users log in with their password for a ticket-granting
// ticket, which buys one-time service tickets that a service validates. For now reachable in
// this process, by the exact URL it listens at.
class LoginService {
 public:
  LoginService() = default;
  LoginService(const LoginService&) = delete;
  LoginService& operator=(const LoginService&) = delete;
  ~LoginService();

  void AddUser(const std::string& login, const std::string& password);
  // E_INVALIDARG when url is empty or taken.
  HRESULT ListenInProcess(const std::string& url);

  // E_ACCESSDENIED for an unknown user or a wrong password.
  HRESULT CreateTicketGrantingTicket(const std::string& login, const std::string& password,
                                     std::string& ticketGrantingTicket);
  // E_ACCESSDENIED for an unknown ticket-granting ticket.
  HRESULT CreateServiceTicket(const std::string& ticketGrantingTicket, const std::string& service,
                              std::string& serviceTicket);
  // A service ticket is good once, for the service it was made for.
  bool ValidateServiceTicket(const std::string& serviceTicket, const std::string& service);

  // Runs `use` on the service listening at `url` while it cannot go away; false when none.
  template <class Use>
  static bool WithInProcess(const std::string& url, Use use);

 private:
  static std::mutex& RegistryMutex();
  static std::map<std::string, LoginService*>& Registry();

  std::mutex _Mutex;
  std::string _Url;
  std::map<std::string, std::string> _Passwords;
  std::set<std::string> _TicketGrantingTickets;
  std::map<std::string, std::string> _ServiceTickets;  // ticket → service
  std::uint64_t _NextTicket = 1;
};

template <class Use>
bool LoginService::WithInProcess(const std::string& url, Use use) {
  std::lock_guard lock(RegistryMutex());
  const auto found = Registry().find(url);
  if (found == Registry().end()) return false;
  use(*found->second);
  return true;
}

}  // namespace Vorn
