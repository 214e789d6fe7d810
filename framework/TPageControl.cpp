#include "framework/TPageControl.h"

#include <algorithm>
#include <utility>

#include "framework/TCanvas.h"
#include "platform/kernel/Exception.h"

namespace {

constexpr int kTabHeight = 22;
constexpr int kTabPadding = 8;  // on each side of a tab's caption
constexpr int kButtonGap = 3;   // between button-style tabs

}  // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  Destroying();
  // Pages not freed yet leave while this control still knows them.
  while (!FPages.empty()) FPages.back()->SetParent(nullptr);
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  if (FActivePage == page) FActivePage = nullptr;
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
  const auto at = std::clamp<long>(index, 0, static_cast<long>(FPages.size()));
  FPages.insert(FPages.begin() + at, page);
  Invalidate();
}

int TPageControl::IndexOfPage(const TTabSheet* page) const {
  const auto it = std::find(FPages.begin(), FPages.end(), page);
  return it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == FActivePage) return;
  if (page && page->PageControl() != this) {
    throw kernel::Exception(page->Name() + " is no page of " + Name());
  }
  TTabSheet* previous = FActivePage;
  FActivePage = page;
  if (page) page->SetVisible(true);
  if (previous) previous->SetVisible(false);
  Invalidate();
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<size_t>(index)] : nullptr);
}

void TPageControl::SetStyle(TTabStyle value) {
  if (FStyle == value) return;
  FStyle = value;
  Invalidate();
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  LayoutPages();
  if (!FActivePageName) return;
  const std::string name = *std::exchange(FActivePageName, std::nullopt);
  auto* page = Owner() ? dynamic_cast<TTabSheet*>(Owner()->FindComponent(name)) : nullptr;
  if (!page) throw kernel::Exception(Name() + ": no page named " + name);
  SetActivePage(page);
}

void TPageControl::TabsChanged() {
  LayoutPages();
  Invalidate();
}

bool TPageControl::TabsShowing() const {
  return std::any_of(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->TabVisible(); });
}

TRect TPageControl::DisplayRect() const {
  return TabsShowing() ? Rect(0, kTabHeight, Width(), Height()) : Rect(0, 0, Width(), Height());
}

void TPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutPages();
}

void TPageControl::LayoutPages() {
  const TRect display = DisplayRect();
  for (TTabSheet* page : FPages) {
    page->SetBounds(display.Left, display.Top, display.Width(), display.Height());
  }
}

std::vector<TPageControl::TTab> TPageControl::Tabs() const {
  TCanvas measure;
  measure.Font().Assign(Font());
  std::vector<TTab> tabs;
  int x = 0;
  for (TTabSheet* page : FPages) {
    if (!page->TabVisible()) continue;
    const int width = measure.TextWidth(page->Caption()) + 2 * kTabPadding;
    tabs.push_back({page, Bounds(x, 0, width, kTabHeight)});
    x += width + (FStyle == tsTabs ? 0 : kButtonGap);
  }
  return tabs;
}

void TPageControl::PaintBackground(TCanvas& canvas) {
  TWinControl::PaintBackground(canvas);
  if (!TabsShowing()) return;
  canvas.Font().Assign(Font());
  canvas.Pen().SetColor(clBtnShadow);
  for (const TTab& tab : Tabs()) {
    const bool active = tab.Page == FActivePage;
    TRect box = tab.Bounds;
    if (FStyle == tsTabs && !active) box.Top += 2;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(active ? (FStyle == tsTabs ? clWindow : clBtnShadow) : clBtnFace);
    if (FStyle == tsFlatButtons && !active) {
      canvas.FillRect(box);
    } else {
      canvas.Rectangle(box);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(tab.Page->Caption(), box, tfCenter | tfVerticalCenter);
  }
  if (FStyle == tsTabs) {
    canvas.Brush().SetColor(clBtnShadow);
    canvas.FillRect({0, kTabHeight - 1, Width(), kTabHeight});
  }
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  for (const TTab& tab : Tabs()) {
    if (Button == mbLeft && tab.Bounds.Contains({X, Y})) SetActivePage(tab.Page);
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}
