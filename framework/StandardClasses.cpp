#include "framework/StandardClasses.h"

#include "framework/ClassRegistry.h"
#include "framework/TCustomForm.h"
#include "framework/TTimer.h"

namespace {

TAlign AlignValue(const TLoadContext& c, const TFormValue& v) {
  return c.Enum<TAlign>(v, {{"alNone", alNone},
                            {"alTop", alTop},
                            {"alBottom", alBottom},
                            {"alLeft", alLeft},
                            {"alRight", alRight},
                            {"alClient", alClient}});
}

TFontStyles FontStyleValue(const TLoadContext& c, const TFormValue& v) {
  return c.Set(v, {{"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}});
}

void RegisterControl(TClassRegistry& registry) {
  using V = const TFormValue&;
  using C = TLoadContext&;
  registry.Register("TControl", "", nullptr)
      .Property<TControl>("Left", [](TControl& o, V v, C c) { o.SetLeft(c.Integer(v)); })
      .Property<TControl>("Top", [](TControl& o, V v, C c) { o.SetTop(c.Integer(v)); })
      .Property<TControl>("Width", [](TControl& o, V v, C c) { o.SetWidth(c.Integer(v)); })
      .Property<TControl>("Height", [](TControl& o, V v, C c) { o.SetHeight(c.Integer(v)); })
      .Property<TControl>(
          "ClientWidth",
          [](TControl& o, V v, C c) { o.SetClientSize(c.Integer(v), o.ClientHeight()); })
      .Property<TControl>(
          "ClientHeight",
          [](TControl& o, V v, C c) { o.SetClientSize(o.ClientWidth(), c.Integer(v)); })
      .Property<TControl>("Align", [](TControl& o, V v, C c) { o.SetAlign(AlignValue(c, v)); })
      .Property<TControl>("Anchors",
                          [](TControl& o, V v, C c) {
                            o.SetAnchors(c.Set(v, {{"akLeft", akLeft},
                                                   {"akTop", akTop},
                                                   {"akRight", akRight},
                                                   {"akBottom", akBottom}}));
                          })
      .Property<TControl>("Visible", [](TControl& o, V v, C c) { o.SetVisible(c.Boolean(v)); })
      .Property<TControl>("Enabled", [](TControl& o, V v, C c) { o.SetEnabled(c.Boolean(v)); })
      .Property<TControl>("Cursor",
                          [](TControl& o, V v, C c) {
                            o.SetCursor(c.Enum<TCursor>(
                                v, {{"crDefault", crDefault}, {"crHandPoint", crHandPoint}}));
                          })
      .Property<TControl>("Color", [](TControl& o, V v, C c) { o.SetColor(c.Color(v)); })
      .Property<TControl>("Caption", [](TControl& o, V v, C c) { o.SetCaption(c.String(v)); })
      .Property<TControl>("ParentFont",
                          [](TControl& o, V v, C c) { o.SetParentFont(c.Boolean(v)); })
      .Property<TControl>("Font.Name", [](TControl& o, V v, C c) { o.Font().SetName(c.String(v)); })
      .Property<TControl>("Font.Height",
                          [](TControl& o, V v, C c) { o.Font().SetHeight(c.Integer(v)); })
      .Property<TControl>("Font.Color",
                          [](TControl& o, V v, C c) { o.Font().SetColor(c.Color(v)); })
      .Property<TControl>("Font.Style",
                          [](TControl& o, V v, C c) { o.Font().SetStyle(FontStyleValue(c, v)); })
      .Property<TControl>(
          "Font.Charset",
          [](TControl& o, V v, C c) {
            o.Font().SetCharset(c.Enum<TFontCharset>(v, {{"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                                         {"ANSI_CHARSET", ANSI_CHARSET},
                                                         {"GB2312_CHARSET", GB2312_CHARSET}}));
          })
      .Property<TControl>("ShowHint", [](TControl& o, V v, C c) { o.SetShowHint(c.Boolean(v)); })
      .Property<TControl>("ParentShowHint",
                          [](TControl& o, V v, C c) { o.SetParentShowHint(c.Boolean(v)); })
      .Property<TControl>("PopupMenu",
                          [](TControl& o, V v, C c) {
                            auto* menu = dynamic_cast<TPopupMenu*>(c.Component(v));
                            if (!menu) c.Fail(v, v.text + " is no popup menu");
                            o.SetPopupMenu(menu);
                          })
      .Property<TControl>("OnClick",
                          [](TControl& o, V v, C c) { o.SetOnClick(c.Handler<TNotifyEvent>(v)); })
      .Property<TControl>(
          "OnDblClick", [](TControl& o, V v, C c) { o.SetOnDblClick(c.Handler<TNotifyEvent>(v)); })
      .Property<TControl>(
          "OnMouseDown", [](TControl& o, V v, C c) { o.SetOnMouseDown(c.Handler<TMouseEvent>(v)); })
      .Property<TControl>("OnMouseUp",
                          [](TControl& o, V v, C c) { o.SetOnMouseUp(c.Handler<TMouseEvent>(v)); })
      .Property<TControl>(
          "OnMouseMove",
          [](TControl& o, V v, C c) { o.SetOnMouseMove(c.Handler<TMouseMoveEvent>(v)); })
      .Property<TControl>(
          "OnMouseEnter",
          [](TControl& o, V v, C c) { o.SetOnMouseEnter(c.Handler<TNotifyEvent>(v)); })
      .Property<TControl>("OnMouseLeave", [](TControl& o, V v, C c) {
        o.SetOnMouseLeave(c.Handler<TNotifyEvent>(v));
      });

  registry.Register("TWinControl", "TControl", nullptr)
      .Property<TWinControl>("TabStop",
                             [](TWinControl& o, V v, C c) { o.SetTabStop(c.Boolean(v)); })
      .Property<TWinControl>("TabOrder",
                             [](TWinControl& o, V v, C c) { o.SetTabOrder(c.Integer(v)); })
      .Property<TWinControl>("DoubleBuffered",
                             [](TWinControl& o, V v, C c) { o.SetDoubleBuffered(c.Boolean(v)); })
      .Property<TWinControl>(
          "OnEnter", [](TWinControl& o, V v, C c) { o.SetOnEnter(c.Handler<TNotifyEvent>(v)); })
      .Property<TWinControl>(
          "OnExit", [](TWinControl& o, V v, C c) { o.SetOnExit(c.Handler<TNotifyEvent>(v)); })
      .Property<TWinControl>(
          "OnKeyDown", [](TWinControl& o, V v, C c) { o.SetOnKeyDown(c.Handler<TKeyEvent>(v)); });
}

void RegisterForm(TClassRegistry& registry) {
  using V = const TFormValue&;
  using C = TLoadContext&;
  registry.Register("TForm", "TWinControl", nullptr)
      .Property<TCustomForm>("BorderStyle",
                             [](TCustomForm&, V v, C c) {
                               c.Enum<TBorderStyle>(v, {{"bsNone", bsNone}});
                             })
      .Property<TCustomForm>("FormStyle",
                             [](TCustomForm& o, V v, C c) {
                               o.SetFormStyle(c.Enum<TFormStyle>(
                                   v, {{"fsNormal", fsNormal}, {"fsStayOnTop", fsStayOnTop}}));
                             })
      .Property<TCustomForm>(
          "Position",
          [](TCustomForm& o, V v, C c) {
            o.SetPosition(c.Enum<TPosition>(v, {{"poDesigned", poDesigned},
                                                {"poScreenCenter", poScreenCenter},
                                                {"poDesktopCenter", poDesktopCenter}}));
          })
      .Property<TCustomForm>("KeyPreview",
                             [](TCustomForm& o, V v, C c) { o.SetKeyPreview(c.Boolean(v)); })
      .Property<TCustomForm>("TransparentColor",
                             [](TCustomForm& o, V v, C c) { o.SetTransparentColor(c.Boolean(v)); })
      .Property<TCustomForm>(
          "TransparentColorValue",
          [](TCustomForm& o, V v, C c) { o.SetTransparentColorValue(c.Color(v)); })
      .Property<TCustomForm>("AlphaBlend",
                             [](TCustomForm& o, V v, C c) { o.SetAlphaBlend(c.Boolean(v)); })
      .Property<TCustomForm>("AlphaBlendValue",
                             [](TCustomForm& o, V v, C c) {
                               const int value = c.Integer(v);
                               if (value < 0 || value > 255) c.Fail(v, "goes from 0 to 255");
                               o.SetAlphaBlendValue(static_cast<uint8_t>(value));
                             })
      .Property<TCustomForm>(
          "OnCreate", [](TCustomForm& o, V v, C c) { o.SetOnCreate(c.Handler<TNotifyEvent>(v)); })
      .Property<TCustomForm>(
          "OnShow", [](TCustomForm& o, V v, C c) { o.SetOnShow(c.Handler<TNotifyEvent>(v)); });

  registry.Register<TTimer>("TTimer", "")
      .Property<TTimer>("Interval", [](TTimer& o, V v,
                                       C c) { o.SetInterval(static_cast<unsigned>(c.Integer(v))); })
      .Property<TTimer>("Enabled", [](TTimer& o, V v, C c) { o.SetEnabled(c.Boolean(v)); })
      .Property<TTimer>("OnTimer",
                        [](TTimer& o, V v, C c) { o.SetOnTimer(c.Handler<TNotifyEvent>(v)); });
}

}  // namespace

void RegisterStandardClasses(TClassRegistry& registry) {
  RegisterControl(registry);
  RegisterForm(registry);
  RegisterStandardControls(registry);
  RegisterControlPack(registry);
}
