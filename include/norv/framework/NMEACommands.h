#pragma once
// The set of sentence kinds that GetNMEA produces, held in 16 bits.
#include <cstdint>
#include <initializer_list>

#include "norv/Export.h"

namespace norv {

enum TNMEACommand : std::uint8_t {
  GPGLL, GPGGA, GPVTG, GPRMC, GPGSA, GPGSV, GPZDA, GPWPL, GPRTE, GPAAM, AllNMEA
};

// A set of TNMEACommand; element i is bit i.
class NORV_API TNMEACommands {
 public:
  constexpr TNMEACommands() = default;
  constexpr TNMEACommands(std::initializer_list<TNMEACommand> elements) {
    for (auto e : elements) FBits |= Bit(e);
  }
  static constexpr TNMEACommands FromBits(std::uint16_t bits) {
    TNMEACommands s;
    s.FBits = bits & kAllBits;
    return s;
  }
  static constexpr TNMEACommands All() { return FromBits(kAllBits); }

  constexpr bool Contains(TNMEACommand e) const { return (FBits & Bit(e)) != 0; }
  constexpr void Include(TNMEACommand e) { FBits |= Bit(e); }
  constexpr void Exclude(TNMEACommand e) { FBits &= static_cast<std::uint16_t>(~Bit(e)); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint16_t Bits() const { return FBits; }
  friend constexpr bool operator==(TNMEACommands, TNMEACommands) = default;

 private:
  static constexpr std::uint16_t kAllBits = 0x7FF;
  static constexpr std::uint16_t Bit(TNMEACommand e) {
    return static_cast<std::uint16_t>(1u << static_cast<unsigned>(e));
  }
  std::uint16_t FBits = 0;
};

}  // namespace norv
