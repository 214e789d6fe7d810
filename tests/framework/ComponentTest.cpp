#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/TComponent.h"

namespace {

// Records what it is told and when it ends.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* AOwner, std::string name, std::vector<std::string>* log)
      : TComponent(AOwner), log_(log) {
    SetName(std::move(name));
  }
  ~TProbe() override {
    Destroying();
    log_->push_back("~" + Name());
  }
  TProbe* watched = nullptr;
  void Watch(TProbe* other) {
    watched = other;
    other->FreeNotification(this);
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    log_->push_back(Name() + (Operation == opRemove ? " hears removal of " : " hears insert of ") +
                    AComponent->Name());
    if (Operation == opRemove && AComponent == watched) watched = nullptr;
  }

 private:
  std::vector<std::string>* log_;
};

TEST(ComponentTest, AnOwnerFreesWhatItOwnsNewestFirstAndTellsTheOthers) {
  std::vector<std::string> log;
  {
    TProbe form(nullptr, "form", &log);
    TProbe* a = TComponent::Create<TProbe>(&form, "a", &log);
    TComponent::Create<TProbe>(&form, "b", &log);
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.FindComponent("a"), a);
    EXPECT_EQ(form.FindComponent("missing"), nullptr);
    log.clear();
  }
  // The others hear of a removal while the removed component is still whole.
  EXPECT_EQ(log, (std::vector<std::string>{"form hears removal of b", "a hears removal of b", "~b",
                                           "form hears removal of a", "~a", "~form"}));
}

TEST(ComponentTest, AFreeNotificationClearsTheWatchersPointer) {
  std::vector<std::string> log;
  TProbe owner(nullptr, "owner", &log);
  auto outsider = std::make_unique<TProbe>(nullptr, "outsider", &log);
  TProbe* watcher = TComponent::Create<TProbe>(&owner, "watcher", &log);
  watcher->Watch(outsider.get());
  outsider.reset();
  EXPECT_EQ(watcher->watched, nullptr);

  // A watcher that ends first leaves nothing dangling behind in the one it watched.
  auto second = std::make_unique<TProbe>(nullptr, "second", &log);
  watcher->Watch(second.get());
  owner.DestroyComponent(watcher);
  log.clear();
  second.reset();
  EXPECT_EQ(log, std::vector<std::string>{"~second"});
}

}  // namespace
