#include "framework/ClassRegistry.h"
#include "framework/StandardClasses.h"
#include "framework/TFlatEdit.h"
#include "framework/TFlatRadioButton.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TSkinPanel.h"

namespace {

using V = const TFormValue&;
using C = TLoadContext&;

void RegisterSkinPanel(TClassRegistry& registry) {
  registry.Register<TSkinPanel>("TSkinPanel", "TWinControl")
      .Property<TSkinPanel>(
          "Picture", [](TSkinPanel& o, V v, C c) { o.Picture().LoadFromBytes(c.Picture(v)); })
      .Property<TSkinPanel>("Stretch", [](TSkinPanel& o, V v, C c) { o.SetStretch(c.Boolean(v)); })
      .Property<TSkinPanel>("Transparent",
                            [](TSkinPanel& o, V v, C c) { o.SetTransparent(c.Boolean(v)); });
}

void RegisterFlatRadioButton(TClassRegistry& registry) {
  using T = TFlatRadioButton;
  registry.Register<T>("TFlatRadioButton", "TWinControl")
      .Property<T>("Checked", [](T& o, V v, C c) { o.SetChecked(c.Boolean(v)); })
      .Property<T>("CheckMarkColor", [](T& o, V v, C c) { o.SetCheckMarkColor(c.Color(v)); })
      .Property<T>("BorderColor", [](T& o, V v, C c) { o.SetBorderColor(c.Color(v)); })
      .Property<T>("Transparent", [](T& o, V v, C c) { o.SetTransparent(c.Boolean(v)); });
}

void RegisterFlatEdit(TClassRegistry& registry) {
  using T = TFlatEdit;
  registry.Register<T>("TFlatEdit", "TWinControl")
      .Property<T>("Text", [](T& o, V v, C c) { o.SetText(c.String(v)); })
      .Property<T>("ReadOnly", [](T& o, V v, C c) { o.SetReadOnly(c.Boolean(v)); })
      .Property<T>("BorderColor", [](T& o, V v, C c) { o.SetBorderColor(c.Color(v)); })
      .Property<T>("OnChange", [](T& o, V v, C c) { o.SetOnChange(c.Handler<TNotifyEvent>(v)); });
}

void RegisterModalSpeedButton(TClassRegistry& registry) {
  using T = TModalSpeedButton;
  registry.Register<T>("TModalSpeedButton", "TWinControl")
      .Property<T>("Flat", [](T& o, V v, C c) { o.SetFlat(c.Boolean(v)); })
      .Property<T>("Style",
                   [](T& o, V v, C c) {
                     o.SetStyle(c.Enum<TSpeedButtonStyle>(v, {{"bsNormal", bsNormal}}));
                   })
      .Property<T>("FaceColor", [](T& o, V v, C c) { o.SetFaceColor(c.Color(v)); })
      .Property<T>("PressedColor", [](T& o, V v, C c) { o.SetPressedColor(c.Color(v)); })
      .Property<T>("HotTrackColor", [](T& o, V v, C c) { o.SetHotTrackColor(c.Color(v)); })
      .Property<T>("LightColor", [](T& o, V v, C c) { o.SetLightColor(c.Color(v)); })
      .Property<T>("ShadowColor", [](T& o, V v, C c) { o.SetShadowColor(c.Color(v)); })
      .Property<T>("ModalResult", [](T& o, V v, C c) {
        o.SetModalResult(
            c.Enum<TModalResult>(v, {{"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel}}));
      });
}

}  // namespace

void RegisterControlPack(TClassRegistry& registry) {
  RegisterSkinPanel(registry);
  RegisterFlatRadioButton(registry);
  RegisterFlatEdit(registry);
  RegisterModalSpeedButton(registry);
}
