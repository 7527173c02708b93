#pragma once
// Class descriptors of components: name, unit, factory and the table of published properties.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "norv/Export.h"
#include "norv/framework/Component.h"
#include "norv/framework/Types.h"

namespace norv {

// How a published property's value is held and written as text.
enum class TPropertyKind : std::uint8_t {
  Integer,
  Enumeration,
  Set,
  Boolean,
  Float,
  DateTime,
  String
};

// A property value: ordinal kinds (integer, enumeration, set bits, Boolean) as std::int64_t,
// Float and DateTime as Extended, String as std::string.
using TPropertyValue = std::variant<std::int64_t, Extended, std::string>;

// One published property: its name, kind, declared default and access through the component.
struct TPropertyInfo {
  std::string Name;
  TPropertyKind Kind = TPropertyKind::Integer;
  // Enumeration: the value names by ordinal. Set: the element names by bit. Boolean: False, True.
  std::vector<std::string> ElementNames;
  // Ordinal kinds only: a value equal to it is not stored; empty means always stored.
  // Float, DateTime and String have none: they are stored when non-zero or non-empty.
  std::optional<std::int64_t> Default;
  std::function<TPropertyValue(const TComponent&)> Get;
  // Goes through the component's own setter, so a refused value raises its exception.
  std::function<void(TComponent&, const TPropertyValue&)> Set;

  // True when the current value of Instance must be written to a stream.
  NORV_API bool IsStored(const TComponent& Instance) const;
};

// A class reference: what the palette, the factory and the streaming need about a class.
struct TComponentClass {
  std::string ClassName;
  std::string UnitName;  // the unit that declares the class; its package unregisters it on unload
  std::function<TComponent*(TComponent* AOwner)> Create;
  std::function<bool(const TComponent&)> IsInstance;
  std::vector<TPropertyInfo> Properties;  // published, in declaration order

  // The published property of that name (ASCII case-insensitive), or nullptr.
  NORV_API const TPropertyInfo* FindProperty(std::string_view Name) const;
};

// The class descriptor of C; each component class defines its specialisation.
template <class C>
const TComponentClass& ComponentClassOf();

// ---- Builders of property table entries from a class's getter and setter ----

template <class C, class T>
std::function<TPropertyValue(const TComponent&)> PropertyGetter(T (C::*get)() const) {
  return [get](const TComponent& c) -> TPropertyValue {
    const T v = (static_cast<const C&>(c).*get)();
    if constexpr (std::is_same_v<T, std::string>)
      return v;
    else if constexpr (std::is_floating_point_v<T>)
      return static_cast<Extended>(v);
    else if constexpr (requires { v.Bits(); })
      return static_cast<std::int64_t>(v.Bits());
    else
      return static_cast<std::int64_t>(v);
  };
}

template <class C, class T, class Arg>
std::function<void(TComponent&, const TPropertyValue&)> PropertySetter(void (C::*set)(Arg)) {
  return [set](TComponent& c, const TPropertyValue& value) {
    C& instance = static_cast<C&>(c);
    if constexpr (std::is_same_v<T, std::string>)
      (instance.*set)(std::get<std::string>(value));
    else if constexpr (std::is_floating_point_v<T>)
      (instance.*set)(static_cast<T>(std::get<Extended>(value)));
    else if constexpr (requires { T::FromBits(0); })
      (instance.*set)(T::FromBits(static_cast<std::uint16_t>(std::get<std::int64_t>(value))));
    else
      (instance.*set)(static_cast<T>(std::get<std::int64_t>(value)));
  };
}

template <class C, class T, class Arg>
TPropertyInfo MakeProperty(std::string Name, TPropertyKind Kind, T (C::*get)() const,
                           void (C::*set)(Arg), std::optional<std::int64_t> Default = {},
                           std::vector<std::string> ElementNames = {}) {
  TPropertyInfo p;
  p.Name = std::move(Name);
  p.Kind = Kind;
  p.ElementNames = Kind == TPropertyKind::Boolean ? std::vector<std::string>{"False", "True"}
                                                  : std::move(ElementNames);
  p.Default = Default;
  p.Get = PropertyGetter<C, T>(get);
  p.Set = PropertySetter<C, T, Arg>(set);
  return p;
}

// A descriptor whose factory creates a C with an owner.
template <class C>
TComponentClass MakeComponentClass(std::string ClassName, std::string UnitName,
                                   std::vector<TPropertyInfo> Properties) {
  TComponentClass cls;
  cls.ClassName = std::move(ClassName);
  cls.UnitName = std::move(UnitName);
  cls.Create = [](TComponent* AOwner) -> TComponent* { return new C(AOwner); };
  cls.IsInstance = [](const TComponent& c) { return dynamic_cast<const C*>(&c) != nullptr; };
  cls.Properties = std::move(Properties);
  return cls;
}

}  // namespace norv
