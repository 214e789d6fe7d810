#include "platform/display/x11/X11Keys.h"

#include "platform/winsys/Messages.h"

#include <X11/keysym.h>

namespace display::x11 {
namespace {

struct KeyName {
  KeySym sym;
  winsys::UINT vk;
};

using namespace winsys;

constexpr KeyName kKeys[] = {
    {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB},           {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},  {XK_KP_Enter, VK_RETURN},   {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},  {XK_Control_L, VK_CONTROL}, {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},     {XK_Alt_R, VK_MENU},        {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},    {XK_Prior, 0x21},           {XK_Next, 0x22},
    {XK_End, VK_END},        {XK_Home, VK_HOME},         {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},          {XK_Right, VK_RIGHT},       {XK_Down, VK_DOWN},
    {XK_Insert, 0x2D},       {XK_Delete, VK_DELETE},     {XK_KP_Delete, VK_DELETE},
};

}  // namespace

UINT VirtualKey(KeySym sym) {
  if (sym >= XK_a && sym <= XK_z) return static_cast<UINT>('A' + (sym - XK_a));
  if (sym >= XK_A && sym <= XK_Z) return static_cast<UINT>(sym);
  if (sym >= XK_0 && sym <= XK_9) return static_cast<UINT>(sym);
  if (sym >= XK_F1 && sym <= XK_F12) return static_cast<UINT>(0x70 + (sym - XK_F1));
  for (const KeyName& k : kKeys) {
    if (k.sym == sym) return k.vk;
  }
  return 0;
}

int TypedUnits(KeySym sym, const char* latin1, int length, char16_t out[2]) {
  char32_t c = 0;
  if ((sym & 0xFF000000) == 0x01000000) {
    c = static_cast<char32_t>(sym & 0x00FFFFFF);  // key symbols that name a Unicode character
  } else if (length == 1) {
    c = static_cast<unsigned char>(latin1[0]);  // Latin-1 text and the control characters
  }
  if (c == 0 || c == 0x7F) return 0;
  if (c < 0x10000) {
    out[0] = static_cast<char16_t>(c);
    return 1;
  }
  c -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (c >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  return 2;
}

}  // namespace display::x11
