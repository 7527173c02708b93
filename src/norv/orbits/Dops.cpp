// Dilutions of precision by least squares over the line-of-sight directions.
#include "norv/orbits/Dops.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace norv::orbits {

namespace {

using TMatrix4 = std::array<std::array<double, 4>, 4>;

// A pivot this small relative to the normal matrix's scale (at most the satellite count) means
// the satellites do not fix a position.
constexpr double kSingular = 1e-9;

// The inverse of N by Gauss-Jordan elimination with partial pivoting; none when singular.
std::optional<TMatrix4> Inverse(TMatrix4 n) {
  TMatrix4 inv{};
  for (int i = 0; i < 4; ++i) inv[i][i] = 1.0;
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 4; ++row)
      if (std::fabs(n[row][col]) > std::fabs(n[pivot][col])) pivot = row;
    if (std::fabs(n[pivot][col]) < kSingular) return std::nullopt;
    std::swap(n[pivot], n[col]);
    std::swap(inv[pivot], inv[col]);
    const double scale = 1.0 / n[col][col];
    for (int k = 0; k < 4; ++k) n[col][k] *= scale, inv[col][k] *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == col) continue;
      const double f = n[row][col];
      for (int k = 0; k < 4; ++k) n[row][k] -= f * n[col][k], inv[row][k] -= f * inv[col][k];
    }
  }
  return inv;
}

}  // namespace

std::optional<TDops> DopsOf(std::span<const TLookAngle> Used) {
  if (Used.size() < 4) return std::nullopt;
  constexpr double kDegree = std::numbers::pi / 180.0;
  TMatrix4 normal{};
  for (const TLookAngle& a : Used) {
    const double el = a.ElevationDeg * kDegree, az = a.AzimuthDeg * kDegree;
    const std::array<double, 4> row{std::cos(el) * std::sin(az), std::cos(el) * std::cos(az),
                                    std::sin(el), 1.0};
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) normal[r][c] += row[r] * row[c];
  }
  const std::optional<TMatrix4> q = Inverse(normal);
  if (!q) return std::nullopt;
  const double horizontal = (*q)[0][0] + (*q)[1][1], vertical = (*q)[2][2];
  if (horizontal <= 0 || vertical <= 0) return std::nullopt;
  return TDops{std::sqrt(horizontal + vertical), std::sqrt(horizontal), std::sqrt(vertical)};
}

}  // namespace norv::orbits
