#pragma once
// Writing and reading a component's published properties as readable text:
//
//   object GPS1: TNorvGPSSimulator
//     Latitude_Degree = 48
//     Latitude_Direction = cpNorth
//     Commands = [GPGLL, GPGGA]
//     Port = '/dev/ttyUSB0'
//   end
//
// One line per stored property, in declaration order. A value equal to the property's declared
// default is not stored; reals, date-times and strings are stored when non-zero or non-empty.
// An unnamed component is written `object TNorvGPSSimulator`.
#include <iosfwd>
#include <string>

#include "norv/Export.h"
#include "norv/framework/ComponentClass.h"
#include "norv/framework/Exception.h"

namespace norv {

// A stream that cannot be read: malformed line, unknown class or property, bad value, missing end.
// The message names the line: "Line 3: unknown property 'Foo' of TNorvGPSSimulator".
class NORV_API EReadError : public Exception {
 public:
  using Exception::Exception;
};

// Writes Instance, an instance of Class. Raises norv::Exception if Instance is not of Class or
// its Name is neither empty nor an identifier (it could not be read back).
NORV_API void WriteComponent(std::ostream& Stream, const TComponent& Instance,
                             const TComponentClass& Class);

// Reads one object of Class into Instance: its Name, then each stored property through the
// property's setter, in the order of the stream. Properties the stream does not name keep their
// values. The whole text is checked before anything is applied, so an EReadError changes
// nothing. A setter that refuses its value raises its own exception, with "Line N: Property: "
// before its message; the properties of the lines before it have then been applied.
NORV_API void ReadComponent(std::istream& Stream, TComponent& Instance,
                            const TComponentClass& Class);

NORV_API std::string ComponentToString(const TComponent& Instance, const TComponentClass& Class);
NORV_API void ComponentFromString(const std::string& Text, TComponent& Instance,
                                  const TComponentClass& Class);

// The same for any class C that has a descriptor (ComponentClassOf<C>).
template <class C>
void WriteComponent(std::ostream& Stream, const C& Instance) {
  WriteComponent(Stream, Instance, ComponentClassOf<C>());
}
template <class C>
void ReadComponent(std::istream& Stream, C& Instance) {
  ReadComponent(Stream, Instance, ComponentClassOf<C>());
}
template <class C>
std::string ComponentToString(const C& Instance) {
  return ComponentToString(Instance, ComponentClassOf<C>());
}
template <class C>
void ComponentFromString(const std::string& Text, C& Instance) {
  ComponentFromString(Text, Instance, ComponentClassOf<C>());
}

}  // namespace norv
