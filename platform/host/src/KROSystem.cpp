#include "KROSystem.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

const char* KROGetEnv(const char* name) {
  return name ? std::getenv(name) : nullptr;
}

void KROFatalError(const char* text) {
  std::fprintf(stderr, "%s\n", text ? text : "");
  std::fflush(stderr);
  std::abort();
}

int KROGetGraphicCardVendorID() {
  std::error_code error;
  for (const auto& device : std::filesystem::directory_iterator("/sys/bus/pci/devices", error)) {
    std::ifstream classFile(device.path() / "class");
    std::string deviceClass;
    // Display controllers are PCI class 0x03.
    if (!(classFile >> deviceClass) || deviceClass.rfind("0x03", 0) != 0) continue;
    std::ifstream vendorFile(device.path() / "vendor");
    unsigned int vendor = 0;
    if (vendorFile >> std::hex >> vendor) return static_cast<int>(vendor);
  }
  return 0;
}
