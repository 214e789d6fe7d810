#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "framework/FormDescription.h"
#include "framework/Graphics.h"
#include "framework/TComponent.h"

class TLoadContext;

// Sets one property of a component from its value in a form description.
using TPropertySetter =
    std::function<void(TComponent& component, const TFormValue& value, TLoadContext& context)>;

// A class that form descriptions may name: how to make one, and the properties it knows (its
// own and, through Parent, those of the classes it derives from).
struct TClassEntry {
  std::string Name;
  const TClassEntry* Parent = nullptr;
  std::function<TComponent*(TComponent* owner)> Create;  // empty for abstract classes
  std::map<std::string, TPropertySetter> Properties;

  const TPropertySetter* FindProperty(const std::string& name) const;

  // Registers a property whose setter takes the component as T&.
  template <class T>
  TClassEntry& Property(const std::string& name,
                        std::function<void(T&, const TFormValue&, TLoadContext&)> setter) {
    Properties[name] = [setter = std::move(setter)](TComponent& c, const TFormValue& v,
                                                    TLoadContext& context) {
      setter(dynamic_cast<T&>(c), v, context);
    };
    return *this;
  }
};

// Every class the form descriptions may name. The framework's own classes are there from the
// start; other layers add theirs.
class TClassRegistry {
 public:
  static TClassRegistry& Instance();

  // Parent names an already registered class, or is empty.
  TClassEntry& Register(const std::string& name, const std::string& parent,
                        std::function<TComponent*(TComponent* owner)> create);
  template <class T>
  TClassEntry& Register(const std::string& name, const std::string& parent) {
    return Register(name, parent, [](TComponent* owner) { return TComponent::Create<T>(owner); });
  }
  const TClassEntry* Find(const std::string& name) const;

 private:
  TClassRegistry() = default;
  std::map<std::string, std::unique_ptr<TClassEntry>> FClasses;
};

// What a property setter may ask while a form description loads: typed values, pictures,
// handlers of the form, and components by name. Every failure names the file and the line.
class TLoadContext {
 public:
  TLoadContext(std::string fileName, const std::map<std::string, std::any>& handlers,
               TComponent& form)
      : FFileName(std::move(fileName)), FHandlers(handlers), FForm(form) {}

  [[noreturn]] void Fail(const TFormValue& value, const std::string& reason) const;

  int Integer(const TFormValue& value) const;
  bool Boolean(const TFormValue& value) const;
  const std::string& String(const TFormValue& value) const;
  // clXxx names, rgb(r, g, b) or a number.
  TColor Color(const TFormValue& value) const;
  // A name from the table.
  template <class E>
  E Enum(const TFormValue& value, std::initializer_list<std::pair<const char*, E>> table) const {
    if (value.kind == TFormValue::vkName) {
      for (const auto& [name, e] : table) {
        if (value.text == name) return e;
      }
    }
    Fail(value, "unknown value for this property");
  }
  // A set of names from the table, as flags.
  unsigned Set(const TFormValue& value,
               std::initializer_list<std::pair<const char*, unsigned>> table) const;
  // The bytes of a file embedded with the forms: png("name.png").
  std::span<const uint8_t> Picture(const TFormValue& value) const;
  // The form's handler of that name, which must be of the event's kind.
  template <class Event>
  Event Handler(const TFormValue& value) const {
    if (value.kind != TFormValue::vkName) Fail(value, "expected the name of a handler");
    const auto it = FHandlers.find(value.text);
    if (it == FHandlers.end()) Fail(value, "the form has no handler " + value.text);
    if (const Event* event = std::any_cast<Event>(&it->second)) return *event;
    Fail(value, "the handler " + value.text + " does not fit this event");
  }
  // A component of the form, by name.
  TComponent* Component(const TFormValue& value) const;

 private:
  std::string FFileName;
  const std::map<std::string, std::any>& FHandlers;
  TComponent& FForm;
};
