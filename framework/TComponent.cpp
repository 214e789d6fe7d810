#include "framework/TComponent.h"

#include <algorithm>

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {}

TComponent::~TComponent() {
  Destroying();
}

void TComponent::Destroying() {
  FComponentState |= csDestroying;
  // Those who asked to hear of this end clear their pointers first; then the owned components
  // go, newest first, while this object is still whole.
  while (!FFreeNotifies.empty()) {
    TComponent* listener = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Erase(listener->FFreeNotifies, this);
    listener->Notification(this, opRemove);
  }
  while (!FComponents.empty()) {
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    NotifyOwned(last.get(), opRemove);
    last.reset();
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (const auto& component : FComponents) {
    if (!name.empty() && component->FName == name) return component.get();
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  Erase(FFreeNotifies, AComponent);
  if (AComponent) Erase(AComponent->FFreeNotifies, this);
}

void TComponent::SetDesigning(bool value) {
  FComponentState = value ? FComponentState | csDesigning : FComponentState & ~csDesigning;
}

void TComponent::SetLoading(bool value) {
  FComponentState = value ? FComponentState | csLoading : FComponentState & ~csLoading;
}

void TComponent::DestroyComponent(TComponent* component) {
  std::unique_ptr<TComponent> removed = RemoveComponent(component);
  if (removed) NotifyOwned(removed.get(), opRemove);
}

void TComponent::Notification(TComponent* /*AComponent*/, TOperation /*Operation*/) {}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  TComponent* raw = component.get();
  FComponents.push_back(std::move(component));
  NotifyOwned(raw, opInsert);
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find_if(FComponents.begin(), FComponents.end(),
                         [&](const auto& owned) { return owned.get() == component; });
  if (it == FComponents.end()) return nullptr;
  std::unique_ptr<TComponent> removed = std::move(*it);
  FComponents.erase(it);
  return removed;
}

void TComponent::NotifyOwned(TComponent* component, TOperation operation) {
  Notification(component, operation);
  for (const auto& owned : FComponents) {
    if (owned.get() != component) owned->Notification(component, operation);
  }
}
