#pragma once
// INI files: case-insensitive sections and keys, sections in file order, typed reads with defaults,
// and the line each section and key was read from.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "norv/Export.h"
#include "norv/framework/Located.h"
#include "norv/framework/Types.h"

namespace norv {

// An INI file held in memory: loaded when opened, written back atomically by UpdateFile.
class NORV_API TIniFile {
 public:
  // How a TIniFile starts: with the file's content, or empty for a save that replaces the file
  // whole (the old file is then never read, so nothing of it can survive or get in the way).
  enum TStart : std::uint8_t { LoadFile, Empty };

  // With LoadFile, loads FileName when it is a regular file; anything else gives an empty
  // document. A file that cannot be read, or whose text ParseIniText refuses (a NUL byte, a key
  // before the first section), raises norv::Exception naming the file (and the line).
  explicit TIniFile(const std::filesystem::path& FileName, TStart Start = LoadFile);
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::filesystem::path& FileName() const { return FFileName; }

  // Section names in the order they stand in the file.
  std::vector<std::string> ReadSections() const;
  bool SectionExists(const std::string& Section) const;
  bool ValueExists(const std::string& Section, const std::string& Ident) const;
  // Key names of Section in the order they stand in the file (empty for a missing section).
  std::vector<std::string> ReadSection(const std::string& Section) const;

  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) const;
  // A missing key or a text that is not an integer gives Default.
  std::int32_t ReadInteger(const std::string& Section, const std::string& Ident,
                           std::int32_t Default) const;
  // Accepts '.' or ',' as decimal separator; anything else gives Default.
  Extended ReadFloat(const std::string& Section, const std::string& Ident, Extended Default) const;
  // Read as an integer; non-zero means true.
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;

  // A new section goes to the end of the file, a new key to the end of its section;
  // an existing key keeps its place and takes the new value.
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Ident, std::int32_t Value);
  // Written with FloatToStr, i.e. with FormatSettings.DecimalSeparator.
  void WriteFloat(const std::string& Section, const std::string& Ident, Extended Value);
  void WriteBool(const std::string& Section, const std::string& Ident, bool Value);

  // The line Section's header stands on (its first, when repeated); 0 for a section that was
  // not read from the file.
  int SectionLine(const std::string& Section) const;
  // The line Ident's value in Section was read from (the last, when repeated); SectionLine when
  // the key was not read from the file.
  int ValueLine(const std::string& Section, const std::string& Ident) const;
  // "<file>:<line>: [<Section>] <Ident>: ", the start of a message about that key, or
  // "<file>:<line>: [<Section>] " about the section when Ident is empty.
  std::string Place(const std::string& Section, const std::string& Ident = "") const;
  // Runs Step and returns what it returns; a norv::Exception it raises leaves with
  // Place(Section, Ident) before its message and keeps its class.
  template <class TStep>
  decltype(auto) Located(const std::string& Section, const std::string& Ident, TStep&& Step) const {
    return WithPlace([&] { return Place(Section, Ident); }, std::forward<TStep>(Step));
  }

  // Whether there is a file to load at FileName: true for a regular file, false for nothing
  // there. A directory, FIFO or device raises norv::Exception naming it: it holds no INI text,
  // and reading it would block or find nothing.
  static bool FileToLoad(const std::filesystem::path& FileName);

  // Writes the document to FileName atomically (temporary file beside it, flushed, renamed over
  // it). Raises norv::Exception naming the file and the OS error; the old file is then unchanged.
  void UpdateFile() const;

  // Raises norv::Exception naming Name (described by What, e.g. "waypoint name") when Name cannot
  // be written as a section name or value and read back unchanged: holding CR, LF, NUL, '[', ']'
  // or '='; starting or ending with a blank; starting with ';' or '#'. An empty name is carried
  // ("[]", "Name=").
  static void CheckName(const std::string& Name, const std::string& What);
  // The same for a text written only as a value: CR, LF and NUL, and blanks at either end (which
  // reading trims), are refused.
  static void CheckValue(const std::string& Value, const std::string& What);

 private:
  struct Impl;
  std::filesystem::path FFileName;
  std::unique_ptr<Impl> FImpl;
};

// Writes Content to FileName through a temporary file in the same directory, flushed and renamed
// over the target, so a reader sees either the old file or the new one. Raises norv::Exception on
// failure, leaving any previous file untouched. A replaced file keeps its mode (without setuid
// and setgid) and, where the process may, its owner and group; a new file gets 0666 less the
// umask. Through a symbolic link the link's target is replaced, atomically in the target's
// directory, and the link stays.
NORV_API void WriteFileAtomically(const std::filesystem::path& FileName,
                                  const std::string& Content);

}  // namespace norv
