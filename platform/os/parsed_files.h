// What readers made of data files (parsed tables, version lines, loads), kept by the image
// they were made of. An image is immutable and the file cache serves the same image while
// its file is unchanged, so the image stands for the file's identity and version: a
// changed file comes as a new image and is made afresh. Files read without an image are
// made afresh every time.
//
// Thread safety: each thread keeps its own (engines are one to a thread), so readers never
// meet at a lock; what is kept is immutable.
#ifndef FRELANE_PLATFORM_OS_PARSED_FILES_H_
#define FRELANE_PLATFORM_OS_PARSED_FILES_H_

#include <memory>
#include <typeindex>

#include "platform/os/file_cache.h"

namespace os {

namespace parsed_files_internal {
std::shared_ptr<const void> Find(const FileImagePtr& image, std::type_index kind);
void Keep(const FileImagePtr& image, std::type_index kind, std::shared_ptr<const void> made);
}  // namespace parsed_files_internal

// What was kept of image as a T; null when nothing was (or image is null).
template <typename T>
std::shared_ptr<const T> KeptParse(const FileImagePtr& image) {
  return std::static_pointer_cast<const T>(parsed_files_internal::Find(image, typeid(T)));
}

// Keeps made as the T of image, replacing what was kept; nothing for a null image.
template <typename T>
void KeepParse(const FileImagePtr& image, std::shared_ptr<const T> made) {
  parsed_files_internal::Keep(image, typeid(T), std::move(made));
}

// Lets go of everything the calling thread keeps (its images with it).
void ForgetParsedFiles();

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_PARSED_FILES_H_
