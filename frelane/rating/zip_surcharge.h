// Postal-code surcharges and notes: AccAdjustment.dat lists code ranges with a weight window
// and either a surcharge in dollars or a note code. The charge display adds a positive
// result to the accessorial charge and shows a non-blank message.
#ifndef FRELANE_RATING_ZIP_SURCHARGE_H_
#define FRELANE_RATING_ZIP_SURCHARGE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace frelane {

namespace zipadj {

// What one point's first covering record says: the amount (0 when no record covers it) and
// the trimmed rules item.
struct PointAdjustment {
  double amount = 0.0;
  std::string rules_item;
};

PointAdjustment FindAdjustment(const std::vector<std::uint8_t>& file, std::string_view zip,
                               std::int32_t weight);

// The note text of a code (-1, -2 or -3); `telephone` is named in the note of -2 when not
// empty. Empty for any other value.
std::string NoteText(double code, const std::string& telephone);

// The surcharge of the two points' findings and the message to show ("" when none).
double CombineAdjustments(const PointAdjustment& origin, const PointAdjustment& destination,
                          const std::string& telephone, std::string& message);

}  // namespace zipadj

namespace modMain {

// The surcharge in dollars for the lane and weight (0 when none; notes alone give 0); sets
// `message` to the text the rating screen shows, "" when there is nothing to say.
double GetZipSurcharge(std::string_view origin_zip, std::string_view destination_zip,
                       std::int32_t weight, std::string& message);

}  // namespace modMain

}  // namespace frelane

#endif  // FRELANE_RATING_ZIP_SURCHARGE_H_
