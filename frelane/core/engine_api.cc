#include "frelane/core/engine_api.h"

namespace frelane {

std::string RuntimeError::Message() const {
  return "Error # " + std::to_string(number) + " occurred.\r\n" + description;
}

}  // namespace frelane
