// Writer of variable.dat, the desktop program's settings file, for tests and the sample
// data set. Field positions are written out here from the file's published layout, on
// purpose apart from the program's reader, so the two cannot share a misreading.
#ifndef TESTKIT_APP_SETTINGS_FILE_WRITER_H_
#define TESTKIT_APP_SETTINGS_FILE_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace testkit {

class SettingsFileWriter {
 public:
  static constexpr std::size_t kFullLength = 1206;

  // Text fields blank, numbers 0, except: rate adjustment factor 1, toolbar shown,
  // fuel-surcharge weight threshold 20000, unserved-lane message as older versions implied.
  SettingsFileWriter();

  SettingsFileWriter& CompanyName(std::string_view text) { return Text(0, 50, text); }
  SettingsFileWriter& EffectiveDateText(std::string_view text) { return Text(377, 30, text); }
  SettingsFileWriter& AboutText(int n, std::string_view text);  // n = 1..5
  SettingsFileWriter& RatingDate(std::string_view text) { return Text(517, 10, text); }
  SettingsFileWriter& FakInUse(bool on) { return Switch(545, on); }
  SettingsFileWriter& DefaultOrigin(std::string_view text) { return Text(563, 6, text); }
  SettingsFileWriter& DefaultDestination(std::string_view text) { return Text(571, 6, text); }
  SettingsFileWriter& DefaultClass(std::string_view text) { return Text(579, 3, text); }
  SettingsFileWriter& DefaultWeight(std::int32_t pounds) { return I32(584, pounds); }
  SettingsFileWriter& LtlFuelSurcharge(double percent) { return F64(590, percent); }
  SettingsFileWriter& TlFuelSurcharge(double percent) { return F64(600, percent); }
  SettingsFileWriter& RateAdjustmentFactor(double f) { return F64(610, f); }
  SettingsFileWriter& CanadianExchangeFactor(double percent) { return F64(620, percent); }
  SettingsFileWriter& DiscountsFixed(bool fixed) { return Switch(630, fixed); }
  SettingsFileWriter& DiscountCount(std::int16_t n) { return I16(632, n); }
  // i = 1 MC %, 2 LTL %, 3 TL %, 4 MC floor $.
  SettingsFileWriter& UsDiscount(int i, double v) { return F64(634 + 8 * (i - 1), v); }
  SettingsFileWriter& IconFileName(std::string_view text) { return Text(932, 12, text); }
  SettingsFileWriter& HiddenRateAdjustmentFactor(double f) { return F64(950, f); }
  SettingsFileWriter& LtlFuelSurchargeFloor(double v) { return F64(958, v); }
  SettingsFileWriter& WebAddress(std::string_view text) { return Text(976, 100, text); }
  SettingsFileWriter& IntrastateDiscount(int i, double v) { return F64(1076 + 8 * (i - 1), v); }
  SettingsFileWriter& IntrastateDiscountsEnabled(bool on) { return Switch(1108, on); }
  SettingsFileWriter& CanadaDiscount(int i, double v) { return F64(1110 + 8 * (i - 1), v); }
  SettingsFileWriter& CanadaDiscountsEnabled(bool on) { return Switch(1142, on); }
  SettingsFileWriter& FuelSurchargeWeightThreshold(std::int32_t pounds) {
    return I32(1144, pounds);
  }
  SettingsFileWriter& ZipDiscountsOffered(bool on) { return Switch(1148, on); }
  SettingsFileWriter& ToolbarShown(bool on) { return Switch(1154, on); }
  SettingsFileWriter& UnservedLaneMessage(std::string_view text) { return Text(1156, 50, text); }

  // Any field by its position, for switches and fields without a named setter.
  // Text is taken as single-byte bytes.
  SettingsFileWriter& Text(std::size_t offset, std::size_t width, std::string_view text);
  SettingsFileWriter& I16(std::size_t offset, std::int16_t value);
  SettingsFileWriter& I32(std::size_t offset, std::int32_t value);
  SettingsFileWriter& F64(std::size_t offset, double value);
  SettingsFileWriter& Switch(std::size_t offset, bool on) { return I16(offset, on ? -1 : 0); }

  // The file's bytes; a `length` below the full 1206 gives the file of an older version,
  // which simply ends early.
  std::vector<std::uint8_t> Bytes(std::size_t length = kFullLength) const;

 private:
  std::vector<std::uint8_t> bytes_;
};

// fak.dat: one little-endian i16 per class, in class-table order (500 first).
std::vector<std::uint8_t> FakFileBytes(const std::vector<std::int16_t>& entries);

// The 18 classes in class-table order; as fak.dat entries, the mapping that changes nothing.
std::vector<std::int16_t> FreightClasses();

}  // namespace testkit

#endif  // TESTKIT_APP_SETTINGS_FILE_WRITER_H_
