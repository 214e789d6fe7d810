#pragma once

#include "framework/TWinControl.h"

class TPageControl;

// One page of a page control; its parent is the page control, which shows only its active
// page and places every page over its display area. OnShow fires whenever the page starts
// showing: when it becomes the active page of a showing page control, or when the form shows
// with it active.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  std::string ClassName() const override { return "TTabSheet"; }

  void SetParent(TWinControl* AParent) override;
  TPageControl* PageControl() const { return FPageControl; }
  // The place among the pages of the page control; -1 without one.
  int PageIndex() const;
  void SetPageIndex(int value);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  void SetOnShow(TNotifyEvent e) { FOnShow = std::move(e); }

 protected:
  void CMShowingChanged(TMessage& Message) override;

 private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  TNotifyEvent FOnShow;
};
