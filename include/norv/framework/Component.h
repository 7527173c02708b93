#pragma once
// Base of components: an owner deletes the components it owns when it is destroyed.
#include <string>
#include <vector>

#include "norv/Export.h"

namespace norv {

// A named object that may own other components and is freed by its owner.
class NORV_API TComponent {
 public:
  explicit TComponent(TComponent* AOwner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const { return FComponents.at(Index); }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

 private:
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::string FName;
};

}  // namespace norv
