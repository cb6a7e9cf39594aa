// The outcome of reading one TD file. The engine turns each into the error number of the
// file concerned (open error, read error, not found).
#ifndef KMLIB_TD_STATUS_H_
#define KMLIB_TD_STATUS_H_

namespace kmlib {

enum class TdStatus {
  kOk,
  kCannotOpen,  // the file is missing or unreadable
  kBadData,     // a line or record is malformed, too long, or there are too many of them
  kEmpty,       // the file holds no usable line
  kNotFound,    // a search found no record
};

}  // namespace kmlib

#endif  // KMLIB_TD_STATUS_H_
