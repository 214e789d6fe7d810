#include "framework/TFormLoader.h"

#include <vector>

#include "framework/ClassRegistry.h"
#include "framework/Resources.h"
#include "framework/TCustomForm.h"

namespace {

// Every component made while loading, so that Loaded reaches each of them once at the end.
void CollectLoaded(TComponent& root, std::vector<TComponent*>& out) {
  out.push_back(&root);
  for (int i = 0; i < root.ComponentCount(); ++i) out.push_back(root.Components(i));
}

}  // namespace

void TFormLoader::Load(const std::string& resourceName) {
  const auto bytes = FindResource(resourceName);
  if (!bytes) throw EFormError(resourceName, 0, "no such form description is embedded");
  LoadFromText(std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()),
               resourceName);
}

void TFormLoader::LoadFromText(const std::string& text, const std::string& fileName) {
  const TFormObject root = ParseFormDescription(text, fileName);
  if (root.className != FForm.ClassName()) {
    throw EFormError(fileName, root.line,
                     "the description is of " + root.className + ", not of " + FForm.ClassName());
  }
  const TClassRegistry& registry = TClassRegistry::Instance();
  const TClassEntry* entry = registry.Find(root.className);
  if (!entry) entry = registry.Find("TForm");
  FForm.SetName(root.name);
  FForm.SetLoading(true);
  Build(root, FForm, *entry, fileName);

  for (const auto& [name, bind] : FFields) {
    TComponent* component = FForm.FindComponent(name);
    if (!component) throw EFormError(fileName, root.line, "no component named " + name);
    if (!bind(component)) {
      throw EFormError(fileName, root.line,
                       "the component " + name + " is a " + component->ClassName() +
                           ", which does not fit its field");
    }
  }
  std::vector<TComponent*> loaded;
  CollectLoaded(FForm, loaded);
  for (TComponent* component : loaded) component->Loaded();
  FForm.DoCreate();
}

void TFormLoader::Build(const TFormObject& object, TComponent& component, const TClassEntry& entry,
                        const std::string& fileName) {
  TLoadContext context(fileName, FHandlers, FForm);
  for (const TFormProperty& property : object.properties) {
    const TPropertySetter* setter = entry.FindProperty(property.name);
    if (!setter) {
      throw EFormError(fileName, property.line, entry.Name + " has no property " + property.name);
    }
    (*setter)(component, property.value, context);
  }
  for (const TFormObject& child : object.children) {
    const TClassEntry* childEntry = TClassRegistry::Instance().Find(child.className);
    if (!childEntry || !childEntry->Create) {
      throw EFormError(fileName, child.line, "unknown class " + child.className);
    }
    if (FForm.FindComponent(child.name)) {
      throw EFormError(fileName, child.line, "a second component named " + child.name);
    }
    TComponent* made = childEntry->Create(&FForm);
    made->SetName(child.name);
    made->SetLoading(true);
    if (auto* control = dynamic_cast<TControl*>(made)) {
      auto* parent = dynamic_cast<TWinControl*>(&component);
      if (!parent) {
        throw EFormError(fileName, child.line,
                         object.name + " cannot hold the control " + child.name);
      }
      control->SetParent(parent);
    }
    Build(child, *made, *childEntry, fileName);
  }
}
