#pragma once
// Messages that say where in a file they arise: "<file>:<line>: [<section>] <key>: <message>".
#include <string>
#include <string_view>

#include "norv/Export.h"
#include "norv/framework/Exception.h"

namespace norv {

// "<File>:<Line>: ", the start of a message about one line of a file (": " alone after File
// when Line is 0, i.e. not known).
NORV_API std::string FilePlace(std::string_view File, int Line);

// "<File>:<Line>: [<Section>] <Key>: ", the start of a message about a key of an INI section;
// "<File>:<Line>: [<Section>] " when Key is empty (the section as a whole). Section and Key are
// quoted as Excerpt quotes them.
NORV_API std::string IniPlace(std::string_view File, int Line, std::string_view Section,
                              std::string_view Key);

// Runs Step and returns what it returns. A norv::Exception it raises is raised again with
// Place() before its message; the exception keeps its class (ENorvNMEAException stays one), so
// callers catch it as before. Place is called only on failure.
template <class TPlace, class TStep>
decltype(auto) WithPlace(TPlace&& Place, TStep&& Step) {
  try {
    return Step();
  } catch (Exception& e) {
    e.SetMessage(Place() + e.Message());
    throw;
  }
}

}  // namespace norv
