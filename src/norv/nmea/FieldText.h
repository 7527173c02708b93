#pragma once
// The shared field texts written into a small buffer of their own, so that a sentence is built
// without a string per field. The component's field texts and the sentence generators both use
// them.
#include <array>
#include <cstdint>
#include <string_view>

#include "norv/model/NorvTypes.h"
#include "norv/framework/DateTime.h"
#include "norv/framework/Types.h"

namespace norv {

// One field's text, held in place.
class TFieldText {
 public:
  static constexpr std::size_t kCapacity = 64;
  // Fills the text through Write(char* begin) -> char* end.
  template <class F>
  void Make(F&& Write) {
    FLength = static_cast<std::size_t>(Write(FData.data()) - FData.data());
  }
  std::string_view View() const { return {FData.data(), FLength}; }
  operator std::string_view() const { return View(); }

 private:
  std::array<char, kCapacity> FData;
  std::size_t FLength = 0;
};

// IntToStr's text.
TFieldText IntegerText(std::int64_t Value);
// DecimalField and FullDecimalField.
TFieldText DecimalText(Extended Value);
TFieldText FullDecimalText(Extended Value);
// ddmm.ffffff,N or S: the minutes fraction is Second / 60 in millionths, rounded half to even;
// one that rounds to 1000000 carries into the minutes and degrees.
TFieldText LatitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                        TCardinalPoint Direction);
// dddmm.ffffff,E or W, by the same rule.
TFieldText LongitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                         TCardinalPoint Direction);
// ddmm.fffff,N and dddmm.fffff,E: the same rule with five decimals of the minutes.
TFieldText ShortLatitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                             TCardinalPoint Direction);
TFieldText ShortLongitudeText(std::int32_t Degree, std::int32_t Minute, Extended Second,
                              TCardinalPoint Direction);
// hhmmss.ss of the time of day, the milliseconds cut to hundredths.
TFieldText CentisecondTimeText(const TDateTimeParts& DateTime);
// hhmmss.sss of the time of day.
TFieldText UTCTimeText(TDateTime DateTime);
TFieldText UTCTimeText(const TDateTimeParts& DateTime);
// ddmmyy.
TFieldText UTCDateText(TDateTime DateTime);
TFieldText UTCDateText(const TDateTimeParts& DateTime);
// dd,mm,yyyy.
TFieldText CommaSeparatedUTCDateText(TDateTime DateTime);
TFieldText CommaSeparatedUTCDateText(const TDateTimeParts& DateTime);
// "E" or "W" of a magnetic variation; empty for a side that is neither.
std::string_view VariationSideText(TCardinalPoint Side);

}  // namespace norv
