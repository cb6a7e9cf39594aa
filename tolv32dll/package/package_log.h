// The text log's sections of a package rating: the request as the caller sent it, and the
// request (with the codes the rating wrote in) beside its response afterwards.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_LOG_H_
#define TOLV32DLL_PACKAGE_PACKAGE_LOG_H_

#include <cstdint>
#include <span>

#include "tolv32dll/engine/rating_engine.h"

namespace tolv {

// request: a whole PackageRequest. Nothing is written unless the engine's DebugFlag is 'Y'.
void LogPackageRequest(const RatingEngine& engine, std::span<const std::uint8_t> request);

// response: a PackageResponse with room for the request's packages.
void LogPackageResponse(const RatingEngine& engine, std::span<const std::uint8_t> request,
                        std::span<const std::uint8_t> response);

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_LOG_H_
