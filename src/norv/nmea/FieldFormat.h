#pragma once
// Field texts shared by every sentence: padding, two-decimal rounding, separators.
#include <cstdint>
#include <string>
#include <string_view>

#include "norv/framework/Types.h"
#include "norv/nmea/Checksum.h"

namespace norv {

// Text cut to its leftmost Length characters, or left-padded with Pad up to Length.
std::string MaxLenStr(std::string_view Text, std::int32_t Length, char Pad);
// As MaxLenStr, but a long text keeps its rightmost Length characters.
std::string MaxLenStrInv(std::string_view Text, std::int32_t Length, char Pad);
// Two decimals: half up for positive values, truncation toward zero for negative ones.
double RRound(double Value);
// Every FormatSettings.DecimalSeparator in Text replaced by NewSeparator.
std::string ReplaceDecimalSeparatorEx(std::string_view Text, std::string_view NewSeparator);

// A real field reduced to two decimals, written with '.' and no trailing zeros; never "-0".
std::string DecimalField(Extended Value);
// A real field with every digit FloatToStr gives (up to 15 significant), written with '.'.
std::string FullDecimalField(Extended Value);

// Room for any decimal field text.
inline constexpr std::size_t kDecimalFieldCapacity = 32;
// DecimalField and FullDecimalField written into a buffer of kDecimalFieldCapacity bytes;
// they return the length.
std::size_t DecimalFieldText(char* Buffer, Extended Value);
std::size_t FullDecimalFieldText(char* Buffer, Extended Value);

}  // namespace norv
