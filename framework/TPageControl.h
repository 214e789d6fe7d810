#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/TTabSheet.h"
#include "framework/TWinControl.h"

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// A stack of pages of which only the active one shows. While any page has a visible tab, a
// strip of tabs runs along the top and a click on a tab activates its page; with every tab
// hidden there is no strip and the pages fill the whole control.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  std::string ClassName() const override { return "TPageControl"; }

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  // The page must be one of this control's, or null for none.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const { return FActivePage ? IndexOfPage(FActivePage) : -1; }
  void SetActivePageIndex(int index);
  // A description names the active page before the pages exist; the name is looked up once
  // the whole description is loaded.
  void SetActivePageName(const std::string& name) { FActivePageName = name; }
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle value);

  // Where the pages lie.
  TRect DisplayRect() const;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void PaintBackground(TCanvas& canvas) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Loaded() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  int IndexOfPage(const TTabSheet* page) const;
  void TabsChanged();
  bool TabsShowing() const;
  // The tabs of the pages whose tab is visible, left to right.
  struct TTab {
    TTabSheet* Page;
    TRect Bounds;
  };
  std::vector<TTab> Tabs() const;
  void LayoutPages();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  std::optional<std::string> FActivePageName;
  TTabStyle FStyle = tsTabs;
};
