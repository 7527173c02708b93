// TIniFile: SimpleIni parses the file; the document is kept in file order and written by us,
// so the output is exactly "[Section]" and "Key=Value" lines, with no blank lines added.
#include "norv/framework/IniFile.h"

// Byte strings only: no wide-character converter is needed.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION  // the template bodies are compiled here, not taken from a library
#include <SimpleIni.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "norv/framework/Exception.h"
#include "norv/framework/SysUtils.h"

namespace norv {

namespace {

struct TSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Keys;
};

// Section names match without regard to ASCII letter case. The index hashes and compares them
// in place (FNV-1a over the upper-case bytes), so a read finds its section without a copy.
struct TNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const noexcept {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(UpperChar(c))) * 1099511628211ull;
    return static_cast<std::size_t>(hash);
  }
};

struct TNameEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};

}  // namespace

struct TIniFile::Impl {
  std::vector<TSection> Sections;
  std::unordered_map<std::string, std::size_t, TNameHash, TNameEqual> Index;  // name -> position

  const TSection* Find(std::string_view name) const {
    auto it = Index.find(name);
    return it == Index.end() ? nullptr : &Sections[it->second];
  }

  TSection& FindOrAdd(const std::string& name) {
    auto it = Index.find(std::string_view(name));
    if (it == Index.end()) {
      it = Index.emplace(name, Sections.size()).first;
      Sections.push_back(TSection{name, {}});
    }
    return Sections[it->second];
  }

  // Keys compare without building upper-cased copies: a section is searched once per key read or
  // written, and a copy per key compared was most of a load's or save's allocations.
  static const std::string* Value(const TSection& s, const std::string& key) {
    for (const auto& kv : s.Keys)
      if (SameText(kv.first, key)) return &kv.second;
    return nullptr;
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    TSection& s = FindOrAdd(section);
    for (auto& kv : s.Keys)
      if (SameText(kv.first, key)) {
        kv.second = value;
        return;
      }
    s.Keys.emplace_back(key, value);
  }

  void Load(const std::filesystem::path& file) {
    CSimpleIniA ini(/*utf8*/ false, /*multikey*/ false, /*multiline*/ false);
    const SI_Error rc = ini.LoadFile(file.c_str());
    if (rc < 0) {
      const std::string why = rc == SI_FILE ? std::system_category().message(errno) : "parse error";
      throw Exception("Cannot read INI file " + file.string() + ": " + why);
    }
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    // Each section's pairs are taken from its own map and put in file order: looking every key
    // up again by name would compare it against the others once more.
    std::vector<const CSimpleIniA::TKeyVal::value_type*> pairs;
    for (const auto& section : sections) {
      TSection& s = FindOrAdd(section.pItem);
      const CSimpleIniA::TKeyVal* keys = ini.GetSection(section.pItem);
      if (keys == nullptr) continue;
      pairs.clear();
      for (const auto& pair : *keys) pairs.push_back(&pair);
      std::sort(pairs.begin(), pairs.end(), [](const auto* a, const auto* b) {
        return CSimpleIniA::Entry::LoadOrder()(a->first, b->first);
      });
      for (const auto* pair : pairs)
        s.Keys.emplace_back(pair->first.pItem, pair->second != nullptr ? pair->second : "");
    }
  }
};

TIniFile::TIniFile(const std::filesystem::path& FileName, TStart Start)
    : FFileName(FileName), FImpl(std::make_unique<Impl>()) {
  std::error_code ec;
  if (Start == LoadFile && std::filesystem::is_regular_file(FileName, ec)) FImpl->Load(FileName);
}

TIniFile::~TIniFile() = default;

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  names.reserve(FImpl->Sections.size());
  for (const auto& s : FImpl->Sections) names.push_back(s.Name);
  return names;
}

bool TIniFile::SectionExists(const std::string& Section) const {
  return FImpl->Find(Section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
  const TSection* s = FImpl->Find(Section);
  return s != nullptr && Impl::Value(*s, Ident) != nullptr;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FImpl->Find(Section))
    for (const auto& kv : s->Keys) keys.push_back(kv.first);
  return keys;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
  const TSection* s = FImpl->Find(Section);
  const std::string* v = s ? Impl::Value(*s, Ident) : nullptr;
  return v ? *v : Default;
}

std::int32_t TIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                   std::int32_t Default) const {
  const TSection* s = FImpl->Find(Section);
  const std::string* v = s ? Impl::Value(*s, Ident) : nullptr;
  return v ? StrToIntDef(*v, Default) : Default;
}

Extended TIniFile::ReadFloat(const std::string& Section, const std::string& Ident,
                             Extended Default) const {
  const TSection* s = FImpl->Find(Section);
  const std::string* v = s ? Impl::Value(*s, Ident) : nullptr;
  Extended value = Default;
  if (v && TryStrToFloat(*v, value)) return value;
  return Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
  FImpl->Set(Section, Ident, Value);
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident,
                            std::int32_t Value) {
  FImpl->Set(Section, Ident, IntToStr(Value));
}

void TIniFile::WriteFloat(const std::string& Section, const std::string& Ident, Extended Value) {
  FImpl->Set(Section, Ident, FloatToStr(Value));
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  FImpl->Set(Section, Ident, Value ? "1" : "0");
}

void TIniFile::UpdateFile() const {
  std::string text;
  for (const auto& s : FImpl->Sections) {
    text += '[';
    text += s.Name;
    text += "]\n";
    for (const auto& [key, value] : s.Keys) {
      text += key;
      text += '=';
      text += value;
      text += '\n';
    }
  }
  WriteFileAtomically(FFileName, text);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The name as a message can show it: control characters that break the line are spelled out.
std::string Visible(const std::string& name) {
  std::string out;
  for (char c : name) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\0': out += "\\0"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

void TIniFile::CheckName(const std::string& Name, const std::string& What) {
  static const std::string kBreaksTheLayout("\r\n[]=\0", 6);
  const bool carried = !Name.empty() &&
                       Name.find_first_of(kBreaksTheLayout) == std::string::npos &&
                       !IsBlank(Name.front()) && !IsBlank(Name.back()) &&
                       Name.front() != ';' && Name.front() != '#';
  if (!carried)
    throw Exception("Cannot save " + What + " \"" + Visible(Name) +
                    "\": an INI file cannot carry it back unchanged.");
}

}  // namespace norv
