#pragma once
// The tracks of the moving sky on the sky plot: where each satellite in use has been over the
// hours before the plot's instant, a line ending in its disc.
#include <cstdint>
#include <vector>

#include "norv/framework/Canvas.h"
#include "norv/orbits/Sky.h"

namespace norvgpssim {

// A canvas that passes every call on to Target and draws the tracks just before the first
// satellite disc, so that they lie above the rings and spokes and below the discs. The library's
// sky plot draws its six rings and the centre mark, seven ellipses, before any disc.
class SkyTracksCanvas : public norv::TCanvas {
 public:
  // The tracks of the satellites used at Utc over the Hours before it, sampled every two
  // minutes, drawn only while above the elevation mask.
  SkyTracksCanvas(norv::TCanvas& target, std::int32_t radius,
                  const norv::orbits::TSkySettings& settings, const norv::orbits::TGeodetic& place,
                  norv::TDateTime utc, double hours);

 protected:
  void DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) override;
  void DrawLine(norv::TPoint From, norv::TPoint To) override;
  void DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) override;

 private:
  struct Track {
    norv::TSatelliteType system;
    std::vector<std::vector<norv::TPoint>> pieces;  // each above the mask throughout
  };
  void SyncTools();
  void DrawTracks();

  norv::TCanvas& FTarget;
  std::vector<Track> FTracks;
  int FEllipses = 0;
};

}  // namespace norvgpssim
