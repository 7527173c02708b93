#include "norv/nmea/Sentence.h"

#include "norv/framework/SysUtils.h"
#include "norv/satellites/Satellite.h"

namespace norv {

std::string_view TalkerOf(TSatelliteType Type) {
  for (const auto& t : kTalkers)
    if (t.Type == Type) return t.Id;
  return "BD";
}

std::size_t BeginSentence(std::string& Out, std::string_view Talker, std::string_view Kind) {
  const std::size_t start = Out.size();
  Out += '$';
  Out += Talker;
  Out += Kind;
  Out += ',';
  return start;
}

void EndSentence(std::string& Out, std::size_t Start) {
  std::uint8_t c = 0;
  for (std::size_t i = Start + 1; i < Out.size(); ++i) c ^= static_cast<std::uint8_t>(Out[i]);
  static constexpr char kHex[] = "0123456789ABCDEF";
  Out += '*';
  Out += kHex[c >> 4];
  Out += kHex[c & 0xF];
  Out += "\r\n";
}

void AppendSentence(std::string& Out, std::string_view Talker, std::string_view Kind,
                    std::string_view Fields) {
  const std::size_t start = BeginSentence(Out, Talker, Kind);
  Out += Fields;
  EndSentence(Out, start);
}

TConstellations::TConstellations(const std::vector<TSatellite*>& Active) {
  for (TSatellite* s : Active)
    for (std::size_t i = 0; i < kTalkers.size(); ++i)
      if (s->SatelliteType() == kTalkers[i].Type) FByType[i].push_back(s);
}

}  // namespace norv
