#include "Vorn/LoginService.h"

#include <random>

namespace Vorn {

namespace {

// Tickets must not be guessable from one another.
std::string NewTicket(const char* prefix, std::uint64_t serial) {
  static thread_local std::mt19937_64 random(std::random_device{}());
  return std::string(prefix) + std::to_string(serial) + "-" + std::to_string(random());
}

}  // namespace

std::mutex& LoginService::RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<std::string, LoginService*>& LoginService::Registry() {
  static std::map<std::string, LoginService*> registry;
  return registry;
}

LoginService::~LoginService() {
  std::lock_guard lock(RegistryMutex());
  if (!_Url.empty()) Registry().erase(_Url);
}

void LoginService::AddUser(const std::string& login, const std::string& password) {
  std::lock_guard lock(_Mutex);
  _Passwords.insert_or_assign(login, password);
}

HRESULT LoginService::ListenInProcess(const std::string& url) {
  std::lock_guard lock(RegistryMutex());
  if (url.empty() || !_Url.empty() || !Registry().emplace(url, this).second) return E_INVALIDARG;
  _Url = url;
  return S_OK;
}

HRESULT LoginService::CreateTicketGrantingTicket(const std::string& login,
                                                 const std::string& password,
                                                 std::string& ticketGrantingTicket) {
  std::lock_guard lock(_Mutex);
  const auto user = _Passwords.find(login);
  if (user == _Passwords.end() || user->second != password) return E_ACCESSDENIED;
  ticketGrantingTicket = NewTicket("TGT-", _NextTicket++);
  _TicketGrantingTickets.insert(ticketGrantingTicket);
  return S_OK;
}

HRESULT LoginService::CreateServiceTicket(const std::string& ticketGrantingTicket,
                                          const std::string& service, std::string& serviceTicket) {
  std::lock_guard lock(_Mutex);
  if (!_TicketGrantingTickets.contains(ticketGrantingTicket)) return E_ACCESSDENIED;
  serviceTicket = NewTicket("ST-", _NextTicket++);
  _ServiceTickets.emplace(serviceTicket, service);
  return S_OK;
}

bool LoginService::ValidateServiceTicket(const std::string& serviceTicket,
                                         const std::string& service) {
  std::lock_guard lock(_Mutex);
  const auto found = _ServiceTickets.find(serviceTicket);
  if (found == _ServiceTickets.end() || found->second != service) return false;
  _ServiceTickets.erase(found);
  return true;
}

}  // namespace Vorn
