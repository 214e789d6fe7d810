#include "controls/ChromeClasses.h"

#include "controls/f_PNGImageButton.h"
#include "framework/ClassRegistry.h"

namespace {

using V = const TFormValue&;
using C = TLoadContext&;
using Button = TPNGImageButton;
using ButtonEx = TPNGImageButtonEx;

// A PNG property is stored as the complete file: PngImg.Data = png("close.png").
template <void (Button::*Setter)(const TPNGObject*)>
void SetPng(Button& button, V value, C context) {
  TPNGObject picture;
  picture.LoadFromBytes(context.Picture(value));
  (button.*Setter)(&picture);
}

template <void (Button::*Setter)(const TPicture*)>
void SetPicture(Button& button, V value, C context) {
  TPicture picture;
  picture.LoadFromBytes(context.Picture(value));
  (button.*Setter)(&picture);
}

template <void (Button::*Setter)(int)>
void SetInteger(Button& button, V value, C context) {
  (button.*Setter)(context.Integer(value));
}

template <void (ButtonEx::*Setter)(int)>
void SetExInteger(ButtonEx& button, V value, C context) {
  (button.*Setter)(context.Integer(value));
}

void RegisterButton(TClassRegistry& registry) {
  registry.Register<Button>("TPNGImageButton", "TControl")
      .Property<Button>("AutoSize", [](Button& o, V v, C c) { o.SetAutoSize(c.Boolean(v)); })
      .Property<Button>("PngOver.Data", SetPng<&Button::SetPngOver>)
      .Property<Button>("PngDown.Data", SetPng<&Button::SetPngDown>)
      .Property<Button>("PngUp.Data", SetPng<&Button::SetPngUp>)
      .Property<Button>("PngDisabled.Data", SetPng<&Button::SetPngDisabled>)
      .Property<Button>("PngImg.Data", SetPng<&Button::SetPngImg>)
      .Property<Button>("Icon.Data", SetPicture<&Button::SetIcon>)
      .Property<Button>("IconOffsetX", SetInteger<&Button::SetIconOffsetX>)
      .Property<Button>("IconOffsetY", SetInteger<&Button::SetIconOffsetY>)
      .Property<Button>("PopupArrow.Data", SetPicture<&Button::SetPopupArrow>)
      .Property<Button>("PopupArrowOffsetX", SetInteger<&Button::SetPopupArrowOffsetX>)
      .Property<Button>("PopupArrowOffsetY", SetInteger<&Button::SetPopupArrowOffsetY>)
      .Property<Button>("FixedHeight", SetInteger<&Button::SetFixedHeight>)
      .Property<Button>("FixedWidth", SetInteger<&Button::SetFixedWidth>)
      .Property<Button>("FocusControl",
                        [](Button& o, V v, C c) {
                          auto* control = dynamic_cast<TControl*>(c.Component(v));
                          if (!control) c.Fail(v, v.text + " is no control");
                          o.SetFocusControl(control);
                        })
      .Property<Button>("Stretch", [](Button& o, V v, C c) { o.SetStretch(c.Boolean(v)); })
      .Property<Button>("Tile", [](Button& o, V v, C c) { o.SetTile(c.Boolean(v)); })
      .Property<Button>("OnPictureChange", [](Button& o, V v, C c) {
        o.SetOnPictureChange(c.Handler<TNotifyEvent>(v));
      });
}

void RegisterButtonEx(TClassRegistry& registry) {
  registry.Register<ButtonEx>("TPNGImageButtonEx", "TPNGImageButton")
      .Property<ButtonEx>("FontSpace", SetExInteger<&ButtonEx::SetFontSpace>)
      .Property<ButtonEx>("Down", [](ButtonEx& o, V v, C c) { o.SetDown(c.Boolean(v)); })
      .Property<ButtonEx>("GroupIndex", SetExInteger<&ButtonEx::SetGroupIndex>)
      .Property<ButtonEx>(
          "Alignment",
          [](ButtonEx& o, V v, C c) {
            o.SetAlignment(c.Enum<TAlignment>(v, {{"taLeftJustify", taLeftJustify},
                                                  {"taRightJustify", taRightJustify},
                                                  {"taCenter", taCenter}}));
          })
      .Property<ButtonEx>("CaptionOffsetX", SetExInteger<&ButtonEx::SetCaptionOffsetX>)
      .Property<ButtonEx>("CaptionOffsetY", SetExInteger<&ButtonEx::SetCaptionOffsetY>);
}

}  // namespace

void RegisterChromeControls(TClassRegistry& registry) {
  RegisterButton(registry);
  RegisterButtonEx(registry);
}
