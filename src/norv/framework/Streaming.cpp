#include "norv/framework/Streaming.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "norv/framework/Located.h"
#include "norv/framework/PropertyText.h"
#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

[[noreturn]] void Fail(int Line, const std::string& What) {
  throw EReadError("Line " + std::to_string(Line) + ": " + What);
}

// One `Name = value` line, checked and converted but not yet applied.
struct TAssignment {
  int Line = 0;
  const TPropertyInfo* Property = nullptr;
  TPropertyValue Value;
};

struct TObjectText {
  std::string Name;
  std::vector<TAssignment> Assignments;
};

// `object Name: Class` or `object Class`; returns the name.
std::string ParseHeader(std::string_view line, int lineNo, const TComponentClass& Class) {
  constexpr std::string_view kObject = "object";
  if (line.size() <= kObject.size() || !SameText(line.substr(0, kObject.size()), kObject) ||
      (line[kObject.size()] != ' ' && line[kObject.size()] != '\t'))
    Fail(lineNo, "'object " + Class.ClassName + "' expected");
  const std::string_view rest = Trim(line.substr(kObject.size()));
  const size_t colon = rest.find(':');
  const std::string_view name = colon == std::string_view::npos ? "" : Trim(rest.substr(0, colon));
  const std::string_view className =
      colon == std::string_view::npos ? rest : Trim(rest.substr(colon + 1));
  if (colon != std::string_view::npos && !IsValidIdent(name))
    Fail(lineNo, "'" + Excerpt(name) + "' is not a valid component name");
  if (!SameText(className, Class.ClassName))
    Fail(lineNo, "an object of class " + Class.ClassName + " expected, found '" +
                     Excerpt(className) + "'");
  return std::string(name);
}

TAssignment ParseAssignment(std::string_view line, int lineNo, const TComponentClass& Class) {
  const size_t eq = line.find('=');
  const std::string_view name = Trim(line.substr(0, eq));
  if (eq == std::string_view::npos || !IsValidIdent(name))
    Fail(lineNo, "'" + Excerpt(line) + "' is not of the form 'Name = value'");
  const TPropertyInfo* property = Class.FindProperty(name);
  if (property == nullptr)
    Fail(lineNo, "unknown property '" + Excerpt(name) + "' of " + Class.ClassName);
  const std::string_view text = Trim(line.substr(eq + 1));
  auto value = ParsePropertyValue(*property, text);
  if (!value)
    Fail(lineNo, "invalid value '" + Excerpt(text) + "' for " + property->Name + ": " +
                     ExpectedValueText(*property) + " expected");
  return TAssignment{lineNo, property, std::move(*value)};
}

TObjectText ParseObject(std::istream& Stream, const TComponentClass& Class) {
  TObjectText object;
  enum { kHeader, kBody, kAfterEnd } state = kHeader;
  std::string raw;
  int lineNo = 0;
  while (std::getline(Stream, raw)) {
    ++lineNo;
    const std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (state == kHeader) {
      object.Name = ParseHeader(line, lineNo, Class);
      state = kBody;
    } else if (state == kAfterEnd) {
      Fail(lineNo, "nothing may follow 'end'");
    } else if (SameText(line, "end")) {
      state = kAfterEnd;
    } else {
      object.Assignments.push_back(ParseAssignment(line, lineNo, Class));
    }
  }
  if (Stream.bad())
    throw EReadError("The stream could not be read after line " + std::to_string(lineNo));
  if (state == kHeader) Fail(lineNo + 1, "'object " + Class.ClassName + "' expected");
  if (state == kBody) Fail(lineNo + 1, "'end' expected before the end of the stream");
  return object;
}

}  // namespace

void WriteComponent(std::ostream& Stream, const TComponent& Instance,
                    const TComponentClass& Class) {
  if (!Class.IsInstance(Instance))
    throw Exception("WriteComponent: the component is not a " + Class.ClassName);
  const std::string& name = Instance.Name();
  if (!name.empty() && !IsValidIdent(name))
    throw Exception("WriteComponent: '" + name + "' is not a valid component name");
  Stream << "object " << (name.empty() ? "" : name + ": ") << Class.ClassName << '\n';
  for (const TPropertyInfo& p : Class.Properties)
    if (p.IsStored(Instance))
      Stream << "  " << p.Name << " = " << FormatPropertyValue(p, p.Get(Instance)) << '\n';
  Stream << "end\n";
  if (!Stream) throw Exception("WriteComponent: the stream could not be written");
}

void ReadComponent(std::istream& Stream, TComponent& Instance, const TComponentClass& Class) {
  if (!Class.IsInstance(Instance))
    throw Exception("ReadComponent: the component is not a " + Class.ClassName);
  const TObjectText object = ParseObject(Stream, Class);
  Instance.SetName(object.Name);
  for (const TAssignment& a : object.Assignments) {
    // The setter's exception keeps its class (ENorvNMEAException, ...) and says where it arose.
    WithPlace([&] { return "Line " + std::to_string(a.Line) + ": " + a.Property->Name + ": "; },
              [&] { a.Property->Set(Instance, a.Value); });
  }
}

std::string ComponentToString(const TComponent& Instance, const TComponentClass& Class) {
  std::ostringstream out;
  WriteComponent(out, Instance, Class);
  return out.str();
}

void ComponentFromString(const std::string& Text, TComponent& Instance,
                         const TComponentClass& Class) {
  std::istringstream in(Text);
  ReadComponent(in, Instance, Class);
}

}  // namespace norv
