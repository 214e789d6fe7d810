#pragma once

#include <string>
#include <vector>

#include "framework/TComponent.h"
#include "platform/winsys/Types.h"

class TCustomForm;

// The program's application object: its title (the text of its task-bar entry, carried by a
// hidden window that owns the forms), the main form, and the message loop.
class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value);
  // The hidden window that stands for the application; made on first need.
  winsys::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  TCustomForm* MainForm() const { return FMainForm; }
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = TComponent::Create<T>(this);
    if (!FMainForm) FMainForm = form;
    return form;
  }

  // Shows the main form and works off messages until the application is told to end.
  void Run();
  // Waits for one message and handles it.
  void HandleMessage();
  // Handles every pending message, then returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void Minimize();

  // An exception that left a message handler: written to the debug output.
  void HandleException(const std::exception& e);

  // Every form of the program, for modal showing.
  const std::vector<TCustomForm*>& Forms() const { return FForms; }
  void AddForm(TCustomForm* form) { FForms.push_back(form); }
  void RemoveForm(TCustomForm* form);
  std::vector<TCustomForm*> DisableOtherForms(TCustomForm* modal);
  void EnableForms(const std::vector<TCustomForm*>& forms);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool Dispatch(const winsys::MSG& msg);

  std::string FTitle;
  winsys::HWND FHandle = nullptr;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::vector<TCustomForm*> FForms;
};

// The one application object, while it exists.
extern TApplication* Application;
