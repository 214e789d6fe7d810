#include "framework/TTabSheet.h"

#include "framework/TPageControl.h"

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  // Only the active page shows; the page control shows it when it becomes active.
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  Destroying();
  // The base destructor would leave the page control with a page that no longer exists.
  SetParent(nullptr);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  if (AParent == Parent()) return;
  if (FPageControl) FPageControl->RemovePage(this);
  FPageControl = dynamic_cast<TPageControl*>(AParent);
  TWinControl::SetParent(AParent);
  if (FPageControl) FPageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  return FPageControl ? FPageControl->IndexOfPage(this) : -1;
}

void TTabSheet::SetPageIndex(int value) {
  if (FPageControl) FPageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
  if (FTabVisible == value) return;
  FTabVisible = value;
  if (FPageControl) FPageControl->TabsChanged();
}

void TTabSheet::CMShowingChanged(TMessage& Message) {
  TWinControl::CMShowingChanged(Message);
  if (Showing() && FOnShow) FOnShow(this);
}
