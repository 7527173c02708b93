#pragma once
// TWayPoints: the component's ordered list of waypoints, which owns them, and its INI file.
#include <filesystem>

#include "norv/Export.h"
#include "norv/navigation/OwningList.h"
#include "norv/navigation/WayPoint.h"

namespace norv {

// The waypoints in order. Ownership, name matching and index rules are those of TOwningList:
// Delete and Clear free the waypoints unless DisposeItems is false.
//
// The component model's Free and Dispose(true) are this destructor (every waypoint still held is
// deleted with the list); Dispose(false) is Clear(false) followed by deleting the list.
class NORV_API TWayPoints : private TOwningList<TWayPoint> {
 public:
  TWayPoints() = default;

  using TOwningList::Add;
  using TOwningList::Clear;
  using TOwningList::Count;
  using TOwningList::Delete;
  using TOwningList::GetByName;
  using TOwningList::GetByNames;
  using TOwningList::GetCount;
  using TOwningList::GetItem;
  using TOwningList::IndexOf;
  using TOwningList::Insert;
  using TOwningList::Items;
  using TOwningList::SetItem;
  using TOwningList::Swap;

  // One section per waypoint, named by it, in list order. The file is replaced atomically: a
  // save that fails leaves the previous file as it was; mode, owner and a symbolic link are
  // treated as WriteFileAtomically says. A list without waypoints removes the
  // file and writes none. A name an INI file cannot carry back raises before anything is written.
  void SaveToFile(const std::filesystem::path& FileName) const;
  // Replaces the list with the file's waypoints (a missing file leaves it empty). A value that a
  // setter refuses raises its exception with "<file>:<line>: [<section>] <key>: " before its
  // message: the earlier sections stay loaded, the later are not read. A file that cannot be
  // read as INI text (a directory, a FIFO, a NUL byte...) raises and leaves the list as it was.
  void LoadFromFile(const std::filesystem::path& FileName);
};

}  // namespace norv
