// The last factor-file load of an engine, kept to be handed out again. A load depends
// only on the file's bytes, the request and the options it starts from; an image of the
// file is immutable, so the same image loaded with the same request from the same options
// gives the same options, tables and result as before, without reading a line.
//
// Thread safety: one cache belongs to one engine, that is to one thread.
#ifndef TOLV32DLL_TARIFF_FACTOR_LOAD_CACHE_H_
#define TOLV32DLL_TARIFF_FACTOR_LOAD_CACHE_H_

#include <cstdio>

#include "platform/os/file_cache.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/tariff/factor_file.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

class FactorLoadCache {
 public:
  // Parm_LoadFactorFile of stream, positioned at its start. image is the image the stream
  // reads, null when it reads the file itself (such a load is never kept). The stream is
  // left where it stands when the load is handed out again.
  ErrorNumber Load(const os::FileImagePtr& image, std::FILE* stream,
                   const FactorFileRequest& request, FactorOptions& options,
                   FactorTables& tables);

  // Forgets the kept load (and lets its image go).
  void Clear() { image_.reset(); }

 private:
  os::FileImagePtr image_;  // null: nothing kept
  FactorFileRequest request_;
  FactorOptions options_before_;
  FactorOptions options_after_;
  FactorTables tables_after_;
  ErrorNumber result_ = kOk;
};

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FACTOR_LOAD_CACHE_H_
