#include "tolv32dll/tariff/factor_load_cache.h"

namespace tolv {

ErrorNumber FactorLoadCache::Load(const os::FileImagePtr& image, std::FILE* stream,
                                  const FactorFileRequest& request, FactorOptions& options,
                                  FactorTables& tables) {
  if (image && image == image_ && request == request_ && options == options_before_) {
    options = options_after_;
    tables = tables_after_;
    return result_;
  }
  image_.reset();
  if (image) options_before_ = options;
  const ErrorNumber result = Parm_LoadFactorFile(stream, request, options, tables);
  if (image) {
    image_ = image;
    request_ = request;
    options_after_ = options;
    tables_after_ = tables;
    result_ = result;
  }
  return result;
}

}  // namespace tolv
