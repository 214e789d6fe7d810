#include "framework/ClassRegistry.h"

#include "framework/Resources.h"
#include "framework/StandardClasses.h"

const TPropertySetter* TClassEntry::FindProperty(const std::string& name) const {
  for (const TClassEntry* entry = this; entry; entry = entry->Parent) {
    const auto it = entry->Properties.find(name);
    if (it != entry->Properties.end()) return &it->second;
  }
  return nullptr;
}

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry* registry = [] {
    static TClassRegistry instance;
    RegisterStandardClasses(instance);
    return &instance;
  }();
  return *registry;
}

TClassEntry& TClassRegistry::Register(const std::string& name, const std::string& parent,
                                      std::function<TComponent*(TComponent* owner)> create) {
  auto entry = std::make_unique<TClassEntry>();
  entry->Name = name;
  entry->Parent = parent.empty() ? nullptr : Find(parent);
  if (!parent.empty() && !entry->Parent) {
    throw kernel::Exception("class " + name + " derives from the unknown class " + parent);
  }
  entry->Create = std::move(create);
  TClassEntry& result = *entry;
  FClasses[name] = std::move(entry);
  return result;
}

const TClassEntry* TClassRegistry::Find(const std::string& name) const {
  const auto it = FClasses.find(name);
  return it == FClasses.end() ? nullptr : it->second.get();
}

void TLoadContext::Fail(const TFormValue& value, const std::string& reason) const {
  throw EFormError(FFileName, value.line, reason);
}

int TLoadContext::Integer(const TFormValue& value) const {
  if (value.kind != TFormValue::vkInteger) Fail(value, "expected a number");
  if (value.integer < INT32_MIN || value.integer > INT32_MAX) Fail(value, "number out of range");
  return static_cast<int>(value.integer);
}

bool TLoadContext::Boolean(const TFormValue& value) const {
  return Enum<bool>(value, {{"true", true}, {"false", false}});
}

const std::string& TLoadContext::String(const TFormValue& value) const {
  if (value.kind != TFormValue::vkString) Fail(value, "expected a string");
  return value.text;
}

TColor TLoadContext::Color(const TFormValue& value) const {
  if (value.kind == TFormValue::vkInteger) return static_cast<TColor>(value.integer);
  if (value.kind == TFormValue::vkCall && value.text == "rgb" && value.items.size() == 3) {
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
      rgb[i] = Integer(value.items[i]);
      if (rgb[i] < 0 || rgb[i] > 255) Fail(value.items[i], "a colour part goes from 0 to 255");
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
  }
  return Enum<TColor>(value, {{"clBlack", clBlack},
                              {"clWhite", clWhite},
                              {"clNavy", clNavy},
                              {"clGray", clGray},
                              {"clSilver", clSilver},
                              {"clRed", clRed},
                              {"clBlue", clBlue},
                              {"clBtnFace", clBtnFace},
                              {"clWindow", clWindow},
                              {"clWindowText", clWindowText},
                              {"clGrayText", clGrayText},
                              {"clNone", clNone},
                              {"clDefault", clDefault}});
}

unsigned TLoadContext::Set(const TFormValue& value,
                           std::initializer_list<std::pair<const char*, unsigned>> table) const {
  if (value.kind != TFormValue::vkSet) Fail(value, "expected a set in [ ]");
  unsigned flags = 0;
  for (const TFormValue& member : value.items) {
    bool known = false;
    for (const auto& [name, flag] : table) {
      if (member.text == name) {
        flags |= flag;
        known = true;
      }
    }
    if (!known) Fail(member, "unknown set member " + member.text);
  }
  return flags;
}

std::span<const uint8_t> TLoadContext::Picture(const TFormValue& value) const {
  if (value.kind != TFormValue::vkCall || value.text != "png" || value.items.size() != 1) {
    Fail(value, "expected png(\"file.png\")");
  }
  const std::string& name = String(value.items[0]);
  const auto bytes = FindResource(name);
  if (!bytes) Fail(value, "no embedded picture " + name);
  return *bytes;
}

TComponent* TLoadContext::Component(const TFormValue& value) const {
  if (value.kind != TFormValue::vkName) Fail(value, "expected a component name");
  TComponent* component = FForm.FindComponent(value.text);
  if (!component) Fail(value, "no component named " + value.text + " before this line");
  return component;
}
