#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/Exception.h"

// The text form of a window: a tree of components with their properties.
//
//   Tfrm_Info frm_Info {
//     ClientWidth = 413            // integers
//     Caption = "frm_Info"         // strings, UTF-8, with \" \\ \n escapes
//     Color = clWhite              // names: enumerations, colours, booleans, handlers
//     Anchors = [akLeft, akTop]    // sets
//     Font.Color = rgb(240, 243, 247)
//     OnCreate = FormCreate
//     TImage Image1 {
//       Picture = png("info/icon.png")   // a picture embedded with the forms
//     }
//   }

// A form description that cannot be read; the message names the file, the line and the reason.
class EFormError : public kernel::Exception {
 public:
  EFormError(const std::string& file, int line, const std::string& reason)
      : kernel::Exception(file + ":" + std::to_string(line) + ": " + reason) {}
};

struct TFormValue {
  enum Kind { vkInteger, vkString, vkName, vkSet, vkCall };
  Kind kind = vkInteger;
  int64_t integer = 0;
  std::string text;               // the string, the name, or the function of a call
  std::vector<TFormValue> items;  // members of a set, arguments of a call
  int line = 0;
};

struct TFormProperty {
  std::string name;  // may be dotted: "Font.Height"
  TFormValue value;
  int line = 0;
};

struct TFormObject {
  std::string className;
  std::string name;
  std::vector<TFormProperty> properties;
  std::vector<TFormObject> children;
  int line = 0;
};

// Parses one description holding one top-level object. Raises EFormError.
TFormObject ParseFormDescription(std::string_view source, const std::string& fileName);
