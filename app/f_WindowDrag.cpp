#include "app/f_WindowDrag.h"

#include "framework/TCustomForm.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"

void StartWindowDrag(TCustomForm& form) {
  constexpr winsys::WPARAM kMoveByCaption = 0xF012;  // SC_MOVE | HTCAPTION
  winsys::ReleaseCapture();
  winsys::SendMessage(form.Handle(), winsys::WM_SYSCOMMAND, kMoveByCaption, 0);
}
