// TIniFile: the text is read by ParseIniText; the document is kept in file order and written by
// us, so the output is exactly "[Section]" and "Key=Value" lines, with no blank lines added.
#include "norv/framework/IniFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "norv/framework/Exception.h"
#include "norv/framework/IniParser.h"
#include "norv/framework/Located.h"
#include "norv/framework/SysUtils.h"
#include "norv/posix/ErrorText.h"

namespace norv {

namespace {

// Names match without regard to ASCII letter case. The indexes hash and compare them in place
// (FNV-1a over the upper-case bytes), so a read finds its entry without a copy.
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

using TNameIndex = std::unordered_map<std::string, std::size_t, TNameHash, TNameEqual>;

struct TKey {
  std::string Name;
  std::string Value;
  int Line = 0;  // where the value was read (the last time, for a repeated key); 0 if written
};

// A section's keys in file order. A few keys are searched in place; past kScanLimit an index
// keeps a section with many keys linear to load and read.
struct TSection {
  static constexpr std::size_t kScanLimit = 16;
  std::string Name;
  int Line = 0;  // where the (first) header stands; 0 for a section written by the program
  std::vector<TKey> Keys;
  TNameIndex KeyIndex;  // filled once Keys outgrows kScanLimit

  const TKey* Find(std::string_view name) const {
    if (Keys.size() > kScanLimit) {
      auto it = KeyIndex.find(name);
      return it == KeyIndex.end() ? nullptr : &Keys[it->second];
    }
    for (const auto& k : Keys)
      if (SameText(k.Name, name)) return &k;
    return nullptr;
  }

  // A new key goes to the end; an existing one keeps its place and spelling, takes the value.
  void Set(std::string_view name, std::string_view value, int line) {
    if (const TKey* found = Find(name)) {
      TKey& k = Keys[static_cast<std::size_t>(found - Keys.data())];
      k.Value = value;
      k.Line = line;
      return;
    }
    Keys.push_back(TKey{std::string(name), std::string(value), line});
    if (Keys.size() == kScanLimit + 1)
      for (std::size_t i = 0; i < Keys.size(); ++i) KeyIndex.emplace(Keys[i].Name, i);
    else if (Keys.size() > kScanLimit + 1)
      KeyIndex.emplace(Keys.back().Name, Keys.size() - 1);
  }
};

std::string ReadWholeFile(const std::filesystem::path& file) {
  const auto fail = [&](int error) {
    return Exception("Cannot read INI file " + file.string() + ": " +
                     posix::ErrnoText(error));
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"), &std::fclose);
  if (!in) throw fail(errno);
  std::string text;
  char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) text.append(buffer, n);
  if (std::ferror(in.get())) throw fail(errno);
  return text;
}

}  // namespace

struct TIniFile::Impl {
  std::vector<TSection> Sections;
  TNameIndex Index;  // name -> position

  const TSection* Find(std::string_view name) const {
    auto it = Index.find(name);
    return it == Index.end() ? nullptr : &Sections[it->second];
  }

  TSection& FindOrAdd(std::string_view name, int line) {
    auto it = Index.find(name);
    if (it == Index.end()) {
      it = Index.emplace(std::string(name), Sections.size()).first;
      Sections.push_back(TSection{std::string(name), line, {}, {}});
    }
    return Sections[it->second];
  }

  const TKey* Key(std::string_view section, std::string_view key) const {
    const TSection* s = Find(section);
    return s ? s->Find(key) : nullptr;
  }

  const std::string* Value(std::string_view section, std::string_view key) const {
    const TKey* k = Key(section, key);
    return k ? &k->Value : nullptr;
  }

  void Set(std::string_view section, std::string_view key, std::string_view value) {
    FindOrAdd(section, 0).Set(key, value, 0);
  }

  void Load(const std::filesystem::path& file) {
    TSection* current = nullptr;
    ParseIniText(ReadWholeFile(file), file.string(),
                 {[&](std::string_view name, int line) { current = &FindOrAdd(name, line); },
                  [&](std::string_view key, std::string_view value, int line) {
                    current->Set(key, value, line);
                  }});
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
  return FImpl->Value(Section, Ident) != nullptr;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FImpl->Find(Section))
    for (const auto& k : s->Keys) keys.push_back(k.Name);
  return keys;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
  const std::string* v = FImpl->Value(Section, Ident);
  return v ? *v : Default;
}

std::int32_t TIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                   std::int32_t Default) const {
  const std::string* v = FImpl->Value(Section, Ident);
  return v ? StrToIntDef(*v, Default) : Default;
}

Extended TIniFile::ReadFloat(const std::string& Section, const std::string& Ident,
                             Extended Default) const {
  const std::string* v = FImpl->Value(Section, Ident);
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
    for (const auto& k : s.Keys) {
      text += k.Name;
      text += '=';
      text += k.Value;
      text += '\n';
    }
  }
  WriteFileAtomically(FFileName, text);
}

int TIniFile::SectionLine(const std::string& Section) const {
  const TSection* s = FImpl->Find(Section);
  return s ? s->Line : 0;
}

int TIniFile::ValueLine(const std::string& Section, const std::string& Ident) const {
  const TKey* k = FImpl->Key(Section, Ident);
  return k && k->Line > 0 ? k->Line : SectionLine(Section);
}

std::string TIniFile::Place(const std::string& Section, const std::string& Ident) const {
  const int line = Ident.empty() ? SectionLine(Section) : ValueLine(Section, Ident);
  return IniPlace(FFileName.string(), line, Section, Ident);
}

bool TIniFile::FileToLoad(const std::filesystem::path& FileName) {
  std::error_code ec;
  const auto status = std::filesystem::status(FileName, ec);
  if (status.type() == std::filesystem::file_type::regular) return true;
  if (status.type() == std::filesystem::file_type::not_found) return false;
  throw Exception("Cannot read INI file " + FileName.string() +
                  (ec ? ": " + ec.message() : ": not a regular file"));
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

[[noreturn]] void Refuse(const std::string& Text, const std::string& What) {
  throw Exception("Cannot save " + What + " \"" + Excerpt(Text) +
                  "\": an INI file cannot carry it back unchanged.");
}

bool BlankAtAnEnd(const std::string& Text) {
  return !Text.empty() && (IsBlank(Text.front()) || IsBlank(Text.back()));
}

}  // namespace

void TIniFile::CheckName(const std::string& Name, const std::string& What) {
  static const std::string kBreaksTheLayout("\r\n[]=\0", 6);
  if (Name.find_first_of(kBreaksTheLayout) != std::string::npos || BlankAtAnEnd(Name) ||
      (!Name.empty() && (Name.front() == ';' || Name.front() == '#')))
    Refuse(Name, What);
}

void TIniFile::CheckValue(const std::string& Value, const std::string& What) {
  static const std::string kEndsTheLine("\r\n\0", 3);
  if (Value.find_first_of(kEndsTheLine) != std::string::npos || BlankAtAnEnd(Value))
    Refuse(Value, What);
}

}  // namespace norv
