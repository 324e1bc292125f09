#include "platform/registry/reg_status.h"

namespace qv::platform {

std::string RegStatusText(int32_t code) {
  switch (code) {
    case regerr::kSuccess:
      return "The operation completed successfully.";
    case regerr::kFileNotFound:
      return "The system cannot find the file specified.";
    case regerr::kAccessDenied:
      return "Access is denied.";
    case regerr::kInvalidHandle:
      return "The handle is invalid.";
    case regerr::kBadNetPath:
      return "The network path was not found.";
    case regerr::kInvalidParameter:
      return "The parameter is incorrect.";
    case regerr::kCantRead:
      return "The configuration registry key could not be read.";
    case regerr::kCantWrite:
      return "The configuration registry key could not be written.";
    case regerr::kRegistryCorrupt:
      return "The registry is corrupted.";
    default:
      return "Registry error " + std::to_string(code) + ".";
  }
}

}  // namespace qv::platform
