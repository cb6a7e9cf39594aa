#include "tolv32dll/ratebasis/rate_record.h"

namespace tolv {

std::string RateRecord::Text(std::size_t offset, std::size_t width) const {
  std::string s(width, ' ');
  for (std::size_t i = 0; i < width && offset + i < bytes_.size(); ++i) {
    s[i] = static_cast<char>(bytes_[offset + i]);
  }
  return s;
}

int RateRecord::FactorSetNumber() const {
  return ParseLeadingNumber(Text(rate_record::kFactorSet));
}

int RateRecord::AreaNumber() const { return ParseLeadingNumber(Text(rate_record::kArea)); }

char RateRecord::KindLetter() const {
  return bytes_.size() > rate_record::kLetter.offset
             ? static_cast<char>(bytes_[rate_record::kLetter.offset])
             : ' ';
}

int ParseLeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace tolv
