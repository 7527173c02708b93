#pragma once
// Moving the receiver's position on the library's sphere, through its arc-second movers.
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/model/Geodesy.h"

namespace norvgpssim {

// Signed decimal degrees, north and east positive.
struct LatLon {
  long double lat = 0;
  long double lon = 0;
};

// Metres per arc second on the sphere the library measures distances on (norv::kEarthRadiusKm),
// so a move of d metres changes Distance_KM by d / 1000.
long double MetresPerArcSecond();

LatLon CurrentPosition(const norv::TNorvGPSSimulator& sim);
// The receiver's position as the library's distance routines take it.
norv::TGeoPoint ReceiverPoint(const norv::TNorvGPSSimulator& sim);

// Moves the position by signed arc seconds of latitude (north positive) and longitude (east
// positive). The library's movers stop at the equator, the poles, the prime meridian and
// longitude 180; this continues into the other hemisphere instead. Returns true when the move
// went over a pole (the longitude then lies 180 degrees on, and a course is reversed).
bool MovePosition(norv::TNorvGPSSimulator& sim, long double northArcSec, long double eastArcSec);

// Moves `metres` along a true course from the current position (a short rhumb-line step).
bool MoveAlongCourse(norv::TNorvGPSSimulator& sim, long double metres, long double courseDeg);

// Initial great-circle course from one point to another, in [0, 360).
long double CourseTo(const LatLon& from, const LatLon& to);

// An angle in degrees brought into [0, 360).
long double NormalizeDegrees(long double deg);

}  // namespace norvgpssim
