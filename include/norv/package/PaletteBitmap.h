#pragma once
// The palette icon of TNorvGPSSimulator: a 16x16, 8 bits per pixel Windows bitmap (BMP file).
#include <cstdint>
#include <span>

#include "norv/Export.h"

namespace norv {

// The whole BMP file: file header, info header, 256-colour palette, bottom-up pixel rows.
NORV_API std::span<const std::uint8_t> NorvGPSSimulatorBitmap();

}  // namespace norv
