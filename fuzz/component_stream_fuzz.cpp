// Fuzzes ReadComponent: arbitrary text as the streamed form of a component, read into a fresh
// one; its sentences must build well-formed, and what reads must write and read back to the
// same text.
#include "FuzzSupport.h"
#include "norv/NorvGPSSimulator.h"

using namespace norv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::string text = fuzz::AsText(Data, Size);
  TNorvGPSSimulator sim;
  if (!fuzz::LoadsOrRefuses("ReadComponent", [&] { ComponentFromString(text, sim); })) return 0;
  // Whatever state the stream sets, the sentences of it must build and be well-formed.
  fuzz::CheckSentences("read component", sim);
  std::string written;
  if (!fuzz::LoadsOrRefuses("WriteComponent", [&] { written = ComponentToString(sim); })) return 0;
  TNorvGPSSimulator reread;
  // The constructor stamps the clock with the current time; a zero date is not stored, so start
  // from zero to compare like with like.
  reread.SetUTCDateTime(0);
  try {
    ComponentFromString(written, reread);
  } catch (const Exception& e) {
    fuzz::Finding("a written component does not read back: " + e.Message() + "\n" + written);
  }
  if (ComponentToString(reread) != written)
    fuzz::Finding("writing the re-read component gives another text:\n" + written + "---\n" +
                  ComponentToString(reread));
  return 0;
}
