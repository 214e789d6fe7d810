#pragma once

#include <any>
#include <functional>
#include <map>
#include <string>
#include <type_traits>

#include "framework/Controls.h"
#include "framework/FormDescription.h"

class TCustomForm;
class TComponent;
struct TClassEntry;

// Builds a form from its embedded description: a form's constructor names its component fields
// and its handlers, then loads. Components are made by class name and owned by the form, their
// properties set in the order written, controls placed in the object that encloses them, the
// fields bound by name, and at the end OnCreate runs.
//
//   TFormLoader loader(*this);
//   loader.Field("btnClose", btnClose);
//   loader.Handler("btnCloseClick", this, &Tfrm_Info::btnCloseClick);
//   loader.Load("frm_Info.form");
class TFormLoader {
 public:
  explicit TFormLoader(TCustomForm& form) : FForm(form) {}

  template <class T>
  void Field(const std::string& name, T*& field) {
    FFields[name] = [&field, name](TComponent* component) {
      field = dynamic_cast<T*>(component);
      return field != nullptr;
    };
  }

  template <class F>
  void Handler(const std::string& name, F* form, void (F::*method)(TObject*)) {
    FHandlers[name] = TNotifyEvent([form, method](TObject* s) { (form->*method)(s); });
  }
  template <class F>
  void Handler(const std::string& name, F* form,
               void (F::*method)(TObject*, TMouseButton, TShiftState, int, int)) {
    FHandlers[name] = TMouseEvent([form, method](TObject* s, TMouseButton b, TShiftState sh, int x,
                                                 int y) { (form->*method)(s, b, sh, x, y); });
  }
  template <class F>
  void Handler(const std::string& name, F* form,
               void (F::*method)(TObject*, TShiftState, int, int)) {
    FHandlers[name] = TMouseMoveEvent(
        [form, method](TObject* s, TShiftState sh, int x, int y) { (form->*method)(s, sh, x, y); });
  }
  template <class F>
  void Handler(const std::string& name, F* form,
               void (F::*method)(TObject*, winsys::WORD&, TShiftState)) {
    FHandlers[name] = TKeyEvent([form, method](TObject* s, winsys::WORD& key, TShiftState sh) {
      (form->*method)(s, key, sh);
    });
  }

  // Raises EFormError (file, line, reason) for anything the description gets wrong.
  void Load(const std::string& resourceName);
  // The same from a text already in memory.
  void LoadFromText(const std::string& text, const std::string& fileName);

 private:
  void Build(const TFormObject& object, TComponent& component, const TClassEntry& entry,
             const std::string& fileName);

  TCustomForm& FForm;
  std::map<std::string, std::function<bool(TComponent*)>> FFields;
  std::map<std::string, std::any> FHandlers;
};
