#pragma once

#include <cstdint>
#include <functional>

#include "framework/TObject.h"
#include "platform/winsys/Messages.h"
#include "platform/winsys/Types.h"

// The vocabulary of controls: messages, alignment, mouse and keyboard events.

struct TMessage {
  winsys::UINT Msg = 0;
  winsys::WPARAM WParam = 0;
  winsys::LPARAM LParam = 0;
  winsys::LRESULT Result = 0;
};

// A control's message method; a component that follows another control's messages replaces it
// and puts the old one back when it lets go.
using TWndMethod = std::function<void(TMessage&)>;

// The framework's own notices, sent to controls through Perform.
constexpr winsys::UINT CM_BASE = 0xB000;
constexpr winsys::UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr winsys::UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr winsys::UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr winsys::UINT CM_MOUSELEAVE = CM_BASE + 20;
// A control's Showing changed (45081).
constexpr winsys::UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr winsys::UINT CM_ENTER = CM_BASE + 26;
constexpr winsys::UINT CM_EXIT = CM_BASE + 27;
// A character that the focused control did not take, offered to every control of the form as
// a possible access key: Result 1 when a control took it.
constexpr winsys::UINT CM_DIALOGCHAR = CM_BASE + 6;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64
};
using TShiftState = unsigned;

// Cursor numbers as the framework knows them.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHandPoint = -21;

// How a control behaves; ControlStyle holds these flags.
enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1,
  csCaptureMouse = 2,
  csClickEvents = 4,
  csOpaque = 8,
  csDoubleClicks = 16,
  csReplicatable = 32,
};
using TControlStyle = unsigned;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, winsys::WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;

// The modal results of forms and buttons.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
