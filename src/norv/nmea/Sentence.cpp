#include "norv/nmea/Sentence.h"

#include <algorithm>
#include <cstring>

#include "norv/nmea/SentenceWriter.h"

namespace norv {

namespace {

// A field for each element of each of FieldLists.
template <class... Lists>
void FrameSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                   const Lists&... FieldLists) {
  std::size_t room = 0;
  const auto measure = [&](const auto& fields) {
    for (std::string_view f : fields) room += 1 + f.size();
  };
  (measure(FieldLists), ...);
  TSentenceWriter sentence(Out, Talker, Kind, room);
  const auto write = [&](const auto& fields) {
    for (std::string_view f : fields) sentence.Field(f);
  };
  (write(FieldLists), ...);
  sentence.Close();
}

}  // namespace

void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields) {
  FrameSentence(Out, Talker, Kind, Fields);
}

void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::span<const std::string_view> Fields,
                    const std::vector<std::string>& MoreFields) {
  FrameSentence(Out, Talker, Kind, Fields, MoreFields);
}

void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::initializer_list<std::string_view> Fields) {
  FrameSentence(Out, Talker, Kind, Fields);
}

void AppendSentence(TSentenceText& Out, std::string_view Talker, std::string_view Kind,
                    std::string_view Fields) {
  FrameSentence(Out, Talker, Kind, std::span(&Fields, 1));
}

TConstellations::TConstellations(const TSatelliteTable& Table) {
  // Each satellite is stored and counted only when active: no branch on the activity pattern,
  // which follows the codes in use rather than any order.
  std::size_t count = 0;
  for (const TSatellite& s : Table.Records()) {
    FActive[count] = &s;
    count += s.Active() ? 1 : 0;
  }
  FActiveCount = count;
  Group();
}

TConstellations::TConstellations(std::span<TSatellite* const> Active) {
  FActiveCount = std::min(Active.size(), FActive.size());
  std::copy_n(Active.begin(), FActiveCount, FActive.begin());
  Group();
}

void TConstellations::Group() {
  // One counter per constellation in a register; a satellite of no known constellation
  // belongs to none.
  std::size_t gps = 0, glonass = 0, beidou = 0;
  for (std::size_t i = 0; i < FActiveCount; ++i) {
    const TSatellite* s = FActive[i];
    switch (s->SatelliteType()) {
      case GpsSatellite: FByTalker[GpsSatellite][gps++] = s; break;
      case GlonassSatellite: FByTalker[GlonassSatellite][glonass++] = s; break;
      case BeidouSatellite: FByTalker[BeidouSatellite][beidou++] = s; break;
    }
  }
  FCount = {gps, glonass, beidou};
}

std::size_t TConstellations::TalkersInUse() const {
  std::size_t n = 0;
  for (std::size_t count : FCount) n += count != 0;
  return n;
}

}  // namespace norv
