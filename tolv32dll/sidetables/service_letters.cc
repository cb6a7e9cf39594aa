#include "tolv32dll/sidetables/service_letters.h"

#include <array>

#include "KMLIB/packed_zip.h"
#include "tolv32dll/sidetables/zip_range.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace L = direct_indirect_record;

bool IsServiceLetter(char c) { return c == 'D' || c == 'I'; }

// Block B replaces block A unless both ends are served directly. Block B applies only
// when the request has one (its marker begins with "I").
void ChooseDiscounts(const ServiceRequest& request, ServiceChoice& choice) {
  choice.effective = request.block_a;
  bool both_direct = choice.origin == 'D' && choice.destination == 'D';
  if (!both_direct && request.block_b.marker.compare(0, 1, "I") == 0) {
    choice.effective.marker = "D%";
    choice.effective.values = request.block_b.values;
  }
}

char LetterOf(const FileView& file, const std::string& zip, char default_letter) {
  std::optional<PackedZip> packed = Zip_Pack(zip);
  if (!packed) return default_letter;
  const kmlib::ZipText unpacked = kmlib::UnpackZipText(*packed);
  const ZipRangeKey key = ZipRangeKeyOf(unpacked.view());
  auto compare = [&key](os::ByteSpan, os::ByteSpan record) {
    return CompareZipWithRange(key, record.data() + L::kLow.offset,
                               record.data() + L::kHigh.offset);
  };
  std::int64_t i = RecordFile_Search(os::ByteSpan(), file, L::kSize, compare);
  std::array<std::uint8_t, L::kSize> record{};
  if (i < 0 || !ReadExact(file, i * L::kSize, record)) return default_letter;
  return static_cast<char>(record[L::kLetter.offset]);
}

}  // namespace

Result<ServiceChoice> FindServiceLetters(RatingFiles& files, const ServiceRequest& request) {
  ServiceChoice choice;
  choice.effective = request.block_a;
  CloseAfterUse close(files, RatingFiles::ReadOnce::kDirectIndirect);
  Result<const FileView*> opened = files.DirectIndirect();
  if (!opened.ok()) return Result<ServiceChoice>::Error(opened.error());
  if (*opened == nullptr) return choice;
  std::array<std::uint8_t, L::kSize> head{};
  if (!ReadExact(**opened, 0, head)) return choice;
  const char default_letter = static_cast<char>(head[L::kLetter.offset]);
  if (default_letter == ' ') return choice;
  choice.origin = IsServiceLetter(request.origin_service)
                      ? request.origin_service
                      : LetterOf(**opened, request.origin_zip, default_letter);
  choice.destination = IsServiceLetter(request.destination_service)
                           ? request.destination_service
                           : LetterOf(**opened, request.destination_zip, default_letter);
  ChooseDiscounts(request, choice);
  return choice;
}

ServiceChoice ServiceLettersFromGuide(const ServiceRequest& request, char guide_origin,
                                      char guide_destination) {
  ServiceChoice choice;
  choice.origin = IsServiceLetter(request.origin_service) ? request.origin_service
                  : guide_origin != '\0'                  ? guide_origin
                                                          : ' ';
  choice.destination = IsServiceLetter(request.destination_service) ? request.destination_service
                       : guide_destination != '\0'                  ? guide_destination
                                                                    : ' ';
  ChooseDiscounts(request, choice);
  return choice;
}

}  // namespace tolv
