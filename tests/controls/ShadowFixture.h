#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "controls/f_ShadowFrame.h"
#include "framework/TCustomForm.h"
#include "platform/winsys/WindowApi.h"
#include "tests/framework/FrameworkFixture.h"

// One placement the shadow window was asked for, as its WM_WINDOWPOSCHANGING carried it.
struct Placement {
  winsys::UINT flags = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  bool belowForm = false;  // inserted after the form's window
  friend bool operator==(const Placement&, const Placement&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Placement& p) {
    return os << "{" << p.flags << ", " << p.x << ", " << p.y << ", " << p.cx << ", " << p.cy
              << (p.belowForm ? ", below form}" : "}");
  }
};

// A 620 x 416 form at (100, 80) that casts a shadow the way the program's forms do: made and
// attached at creation, switched on when shown. Every placement of the shadow window is logged.
class ShadowTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TForm>();
    form->SetBounds(100, 80, 620, 416);
    form->SetColor(clWhite);
    shadow = TComponent::Create<TFormShadow>(form);
    const TWndMethod own = shadow->WindowProc();
    shadow->SetWindowProc([this, own](TMessage& message) {
      if (message.Msg == winsys::WM_WINDOWPOSCHANGING) {
        const auto& wp = *reinterpret_cast<const winsys::WINDOWPOS*>(message.LParam);
        placements.push_back({wp.flags, wp.x, wp.y, wp.cx, wp.cy,
                              wp.hwndInsertAfter != nullptr && wp.hwndInsertAfter == FormWindow()});
      }
      own(message);
    });
    shadow->SetForm(form);
    form->SetOnShow([this](TObject*) {
      if (shadow) shadow->SetActive(true);
    });
  }

  // The shadow's log reaches back into the fixture: the form (and with it the shadow) goes first.
  void TearDown() override {
    if (form) application.DestroyComponent(form);
  }

  // Shows the form and lets the shadow's activation delay pass.
  void ShowWithShadow() {
    form->Show();
    Pump();
    Advance(20);
  }

  void Advance(uint64_t ms) {
    clock.Advance(ms);
    Pump();
  }

  winsys::HWND FormWindow() const {
    return form && form->HandleAllocated() ? form->Handle() : nullptr;
  }

  winsys::RECT ShadowRect() {
    winsys::RECT r;
    winsys::GetWindowRect(shadow->Handle(), &r);
    return r;
  }
  bool ShadowVisible() { return winsys::IsWindowVisible(shadow->Handle()) != 0; }

  // What the placements since the last call were.
  std::vector<Placement> TakePlacements() { return std::exchange(placements, {}); }

  // The alpha of the shadow picture at (x, y).
  int Alpha(int x, int y) const { return shadow->ShadowBitmap().Buffer().Pixel(x, y)[3]; }

  TForm* form = nullptr;
  TFormShadow* shadow = nullptr;
  std::vector<Placement> placements;
};
