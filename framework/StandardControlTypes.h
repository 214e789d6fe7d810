#pragma once

#include "platform/winsys/Types.h"

// Vocabulary shared by the standard controls.

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Scroll requests of WM_VSCROLL, in WParam.
constexpr winsys::WPARAM SB_LINEUP = 0;
constexpr winsys::WPARAM SB_LINEDOWN = 1;
constexpr winsys::WPARAM SB_PAGEUP = 2;
constexpr winsys::WPARAM SB_PAGEDOWN = 3;
constexpr winsys::WPARAM SB_TOP = 6;
constexpr winsys::WPARAM SB_BOTTOM = 7;
