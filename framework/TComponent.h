#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/TObject.h"

enum TOperation { opInsert, opRemove };

// Flags of TComponent::ComponentState.
enum TComponentStateFlag : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };

// A component may own others: an owner frees what it owns, last created first. A component
// that follows another one asks it for a free notification and hears of its end through
// Notification, so that it can clear its pointer.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& value) { FName = value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents[index].get(); }
  TComponent* FindComponent(const std::string& name) const;

  // Asks this component to call AComponent->Notification(this, opRemove) when it is destroyed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  unsigned ComponentState() const { return FComponentState; }
  void SetDesigning(bool value);
  // The class name as the form descriptions write it.
  virtual std::string ClassName() const { return "TComponent"; }

  // Frees an owned component before its owner ends.
  void DestroyComponent(TComponent* component);

  // Creates a component owned by owner; the owner frees it.
  template <class T, class... Args>
  static T* Create(TComponent* owner, Args&&... args) {
    auto component = std::make_unique<T>(owner, std::forward<Args>(args)...);
    T* raw = component.get();
    owner->InsertComponent(std::move(component));
    return raw;
  }

 protected:
  // Told when a component of the same owner, or one that was asked for a free notification, is
  // inserted or removed. Overrides call the base first.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called once a form description has set every property.
  virtual void Loaded() { FComponentState &= ~csLoading; }
  void SetLoading(bool value);
  // Sends the free notifications and frees the owned components. A C++ destructor runs after
  // those of the derived classes, so each framework class whose parts the owned components may
  // still touch calls this first in its own destructor; later calls do nothing.
  void Destroying();

 private:
  friend class TFormLoader;
  void InsertComponent(std::unique_ptr<TComponent> component);
  std::unique_ptr<TComponent> RemoveComponent(TComponent* component);
  // The owner and every component it owns hear of the removal.
  void NotifyOwned(TComponent* component, TOperation operation);

  TComponent* FOwner;
  std::string FName;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  unsigned FComponentState = 0;
};
