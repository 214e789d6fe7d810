#include "framework/TApplication.h"

#include <algorithm>

#include "framework/TCustomForm.h"
#include "platform/kernel/Process.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"

using namespace winsys;

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
}

TApplication::~TApplication() {
  Destroying();
  if (FHandle) DestroyWindow(FHandle);
  if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& value) {
  FTitle = value;
  if (FHandle) SetWindowText(FHandle, value);
}

HWND TApplication::Handle() {
  if (!FHandle) {
    WindowParams params;
    params.text = FTitle;
    params.proc = [](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
      return DefWindowProc(hwnd, msg, wParam, lParam);
    };
    FHandle = CreateWindowEx(params);
  }
  return FHandle;
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

bool TApplication::Dispatch(const MSG& msg) {
  try {
    DispatchMessage(msg);
  } catch (const std::exception& e) {
    HandleException(e);
  }
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!GetMessage(&msg)) {
    FTerminated = true;
    return;
  }
  Dispatch(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessage(&msg)) {
    if (msg.message == WM_QUIT) {
      FTerminated = true;
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
}

void TApplication::HandleException(const std::exception& e) {
  kernel::OutputDebugStringA(e.what());
}

void TApplication::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
  if (FMainForm == form) FMainForm = nullptr;
}

std::vector<TCustomForm*> TApplication::DisableOtherForms(TCustomForm* modal) {
  std::vector<TCustomForm*> disabled;
  for (TCustomForm* form : FForms) {
    if (form != modal && form->Visible() && form->Enabled()) {
      form->SetEnabled(false);
      disabled.push_back(form);
    }
  }
  return disabled;
}

void TApplication::EnableForms(const std::vector<TCustomForm*>& forms) {
  for (TCustomForm* form : forms) {
    if (std::find(FForms.begin(), FForms.end(), form) != FForms.end()) form->SetEnabled(true);
  }
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}
