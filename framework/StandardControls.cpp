#include "framework/ClassRegistry.h"
#include "framework/StandardClasses.h"
#include "framework/TCheckBox.h"
#include "framework/TImage.h"
#include "framework/TImageList.h"
#include "framework/TLabel.h"
#include "framework/TListBox.h"
#include "framework/TListView.h"
#include "framework/TMemo.h"
#include "framework/TPageControl.h"
#include "framework/TPanel.h"
#include "framework/TRichEdit.h"

namespace {

using V = const TFormValue&;
using C = TLoadContext&;

TAlignment AlignmentValue(C c, V v) {
  return c.Enum<TAlignment>(v, {{"taLeftJustify", taLeftJustify},
                                {"taRightJustify", taRightJustify},
                                {"taCenter", taCenter}});
}

TBevelCut BevelValue(C c, V v) {
  return c.Enum<TBevelCut>(v,
                           {{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}});
}

void RegisterLabel(TClassRegistry& registry) {
  using T = TLabel;
  registry.Register<T>("TLabel", "TGraphicControl")
      .Property<T>("AutoSize", [](T& o, V v, C c) { o.SetAutoSize(c.Boolean(v)); })
      .Property<T>("WordWrap", [](T& o, V v, C c) { o.SetWordWrap(c.Boolean(v)); })
      .Property<T>("Transparent", [](T& o, V v, C c) { o.SetTransparent(c.Boolean(v)); })
      .Property<T>("Alignment", [](T& o, V v, C c) { o.SetAlignment(AlignmentValue(c, v)); })
      .Property<T>("Layout", [](T& o, V v, C c) {
        o.SetLayout(c.Enum<TTextLayout>(
            v, {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}}));
      });
}

void RegisterImage(TClassRegistry& registry) {
  using T = TImage;
  registry.Register<T>("TImage", "TGraphicControl")
      .Property<T>("Picture", [](T& o, V v, C c) { o.Picture().LoadFromBytes(c.Picture(v)); })
      .Property<T>("Stretch", [](T& o, V v, C c) { o.SetStretch(c.Boolean(v)); })
      .Property<T>("Center", [](T& o, V v, C c) { o.SetCenter(c.Boolean(v)); })
      .Property<T>("Transparent", [](T& o, V v, C c) { o.SetTransparent(c.Boolean(v)); })
      .Property<T>("AutoSize", [](T& o, V v, C c) { o.SetAutoSize(c.Boolean(v)); });
}

void RegisterPanel(TClassRegistry& registry) {
  using T = TPanel;
  registry.Register<T>("TPanel", "TWinControl")
      .Property<T>("BevelInner", [](T& o, V v, C c) { o.SetBevelInner(BevelValue(c, v)); })
      .Property<T>("BevelOuter", [](T& o, V v, C c) { o.SetBevelOuter(BevelValue(c, v)); })
      .Property<T>("BevelWidth", [](T& o, V v, C c) { o.SetBevelWidth(c.Integer(v)); })
      .Property<T>("Alignment", [](T& o, V v, C c) { o.SetAlignment(AlignmentValue(c, v)); });
}

void RegisterPages(TClassRegistry& registry) {
  registry.Register<TPageControl>("TPageControl", "TWinControl")
      .Property<TPageControl>("ActivePage",
                              [](TPageControl& o, V v, C c) {
                                if (v.kind != TFormValue::vkName) c.Fail(v, "expected a page name");
                                o.SetActivePageName(v.text);
                              })
      .Property<TPageControl>("Style", [](TPageControl& o, V v, C c) {
        o.SetStyle(c.Enum<TTabStyle>(
            v, {{"tsTabs", tsTabs}, {"tsButtons", tsButtons}, {"tsFlatButtons", tsFlatButtons}}));
      });
  registry.Register<TTabSheet>("TTabSheet", "TWinControl")
      .Property<TTabSheet>("TabVisible",
                           [](TTabSheet& o, V v, C c) { o.SetTabVisible(c.Boolean(v)); })
      .Property<TTabSheet>("PageIndex",
                           [](TTabSheet& o, V v, C c) { o.SetPageIndex(c.Integer(v)); })
      .Property<TTabSheet>("OnShow",
                           [](TTabSheet& o, V v, C c) { o.SetOnShow(c.Handler<TNotifyEvent>(v)); });
}

void RegisterRows(TClassRegistry& registry) {
  registry.Register("TRowControl", "TWinControl", nullptr)
      .Property<TRowControl>("ScrollBars", [](TRowControl& o, V v, C c) {
        o.SetScrollBars(c.Enum<TScrollStyle>(v, {{"ssNone", ssNone},
                                                 {"ssHorizontal", ssHorizontal},
                                                 {"ssVertical", ssVertical},
                                                 {"ssBoth", ssBoth}}));
      });
  registry.Register("TCustomMemo", "TRowControl", nullptr)
      .Property<TCustomMemo>("Lines",
                             [](TCustomMemo& o, V v, C c) { o.Lines().SetText(c.String(v)); })
      .Property<TCustomMemo>("ReadOnly",
                             [](TCustomMemo& o, V v, C c) { o.SetReadOnly(c.Boolean(v)); });
  registry.Register<TMemo>("TMemo", "TCustomMemo");
  registry.Register<TRichEdit>("TRichEdit", "TCustomMemo");
  registry.Register<TListBox>("TListBox", "TRowControl")
      .Property<TListBox>("Items", [](TListBox& o, V v, C c) { o.Items().SetText(c.String(v)); })
      .Property<TListBox>("ItemIndex", [](TListBox& o, V v, C c) { o.SetItemIndex(c.Integer(v)); });
  registry.Register<TImageList>("TImageList", "")
      .Property<TImageList>("Width", [](TImageList& o, V v, C c) { o.SetWidth(c.Integer(v)); })
      .Property<TImageList>("Height", [](TImageList& o, V v, C c) { o.SetHeight(c.Integer(v)); });
  registry.Register<TListView>("TListView", "TRowControl")
      .Property<TListView>("ViewStyle",
                           [](TListView& o, V v, C c) {
                             o.SetViewStyle(c.Enum<TViewStyle>(v, {{"vsIcon", vsIcon},
                                                                   {"vsSmallIcon", vsSmallIcon},
                                                                   {"vsList", vsList},
                                                                   {"vsReport", vsReport}}));
                           })
      .Property<TListView>("SmallImages", [](TListView& o, V v, C c) {
        auto* images = dynamic_cast<TImageList*>(c.Component(v));
        if (!images) c.Fail(v, v.text + " is no image list");
        o.SetSmallImages(images);
      });
}

void RegisterCheckBox(TClassRegistry& registry) {
  registry.Register<TCheckBox>("TCheckBox", "TWinControl")
      .Property<TCheckBox>("Checked", [](TCheckBox& o, V v, C c) { o.SetChecked(c.Boolean(v)); });
}

}  // namespace

void RegisterStandardControls(TClassRegistry& registry) {
  // Other layers' graphic controls may have put the common entry there first.
  if (!registry.Find("TGraphicControl")) registry.Register("TGraphicControl", "TControl", nullptr);
  RegisterLabel(registry);
  RegisterImage(registry);
  RegisterPanel(registry);
  RegisterPages(registry);
  RegisterRows(registry);
  RegisterCheckBox(registry);
}
