#include "framework/FormDescription.h"

#include <cctype>

namespace {

class Parser {
 public:
  Parser(std::string_view source, const std::string& fileName) : source_(source), file_(fileName) {}

  TFormObject ParseFile() {
    SkipBlanks();
    TFormObject root = ParseObject();
    SkipBlanks();
    if (!AtEnd()) Fail("text after the end of the top-level object");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw EFormError(file_, line_, reason);
  }

  bool AtEnd() const { return pos_ >= source_.size(); }
  char Peek() const { return AtEnd() ? '\0' : source_[pos_]; }
  char Next() {
    const char c = source_[pos_++];
    if (c == '\n') ++line_;
    return c;
  }

  // White space and // comments.
  void SkipBlanks() {
    while (!AtEnd()) {
      if (std::isspace(static_cast<unsigned char>(Peek()))) {
        Next();
      } else if (source_.substr(pos_, 2) == "//") {
        while (!AtEnd() && Peek() != '\n') Next();
      } else {
        return;
      }
    }
  }

  static bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
  }
  static bool IsNamePart(char c) {
    return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
  }

  std::string ParseName(const std::string& what) {
    SkipBlanks();
    if (!IsNameStart(Peek())) Fail("expected " + what);
    std::string name;
    while (!AtEnd() && IsNamePart(Peek())) name += Next();
    return name;
  }

  bool Accept(char c) {
    SkipBlanks();
    if (Peek() != c) return false;
    Next();
    return true;
  }

  void Expect(char c, const std::string& context) {
    if (!Accept(c)) Fail(std::string("expected '") + c + "' " + context);
  }

  TFormObject ParseObject() {
    TFormObject object;
    object.line = line_;
    object.className = ParseName("a class name");
    object.name = ParseName("a component name after the class name " + object.className);
    Expect('{', "after the component name " + object.name);
    for (;;) {
      SkipBlanks();
      if (AtEnd()) Fail("missing '}' for " + object.name);
      if (Peek() == '}') {
        Next();
        return object;
      }
      const int line = line_;
      const size_t start = pos_;
      std::string first = ParseName("a property or a child component");
      SkipBlanks();
      if (IsNameStart(Peek())) {  // "TClass name {": a child component
        pos_ = start;
        line_ = line;
        object.children.push_back(ParseObject());
        continue;
      }
      while (Peek() == '.') {
        Next();
        first += '.';
        first += ParseName("a property name after '.'");
        SkipBlanks();
      }
      Expect('=', "after the property name " + first);
      object.properties.push_back({first, ParseValue(), line});
    }
  }

  TFormValue ParseValue() {
    SkipBlanks();
    TFormValue value;
    value.line = line_;
    const char c = Peek();
    if (c == '"') {
      value.kind = TFormValue::vkString;
      value.text = ParseString();
    } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
      value.kind = TFormValue::vkInteger;
      value.integer = ParseInteger();
    } else if (c == '[') {
      Next();
      value.kind = TFormValue::vkSet;
      SkipBlanks();
      if (Peek() != ']') {
        do {
          TFormValue member;
          member.kind = TFormValue::vkName;
          member.line = line_;
          member.text = ParseName("a set member");
          value.items.push_back(member);
          SkipBlanks();
        } while (Accept(','));
      }
      Expect(']', "to close the set");
    } else if (IsNameStart(c)) {
      value.text = ParseName("a value");
      value.kind = TFormValue::vkName;
      SkipBlanks();
      if (Peek() == '(') {
        Next();
        value.kind = TFormValue::vkCall;
        SkipBlanks();
        if (Peek() != ')') {
          do {
            value.items.push_back(ParseValue());
            SkipBlanks();
          } while (Accept(','));
        }
        Expect(')', "to close the arguments of " + value.text);
      }
    } else {
      Fail("expected a value");
    }
    return value;
  }

  int64_t ParseInteger() {
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      Next();
    }
    if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("expected digits");
    int64_t value = 0;
    while (!AtEnd() && std::isdigit(static_cast<unsigned char>(Peek()))) {
      if (value > (INT64_MAX - 9) / 10) Fail("number too large");
      value = value * 10 + (Next() - '0');
    }
    if (IsNamePart(Peek())) Fail("unexpected character after a number");
    return negative ? -value : value;
  }

  std::string ParseString() {
    Next();  // the opening quote
    std::string text;
    for (;;) {
      if (AtEnd() || Peek() == '\n') Fail("unterminated string");
      const char c = Next();
      if (c == '"') return text;
      if (c != '\\') {
        text += c;
        continue;
      }
      if (AtEnd()) Fail("unterminated string");
      const char escaped = Next();
      switch (escaped) {
        case '"':
        case '\\':
          text += escaped;
          break;
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case 't':
          text += '\t';
          break;
        default:
          Fail(std::string("unknown escape \\") + escaped);
      }
    }
  }

  std::string_view source_;
  std::string file_;
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

TFormObject ParseFormDescription(std::string_view source, const std::string& fileName) {
  return Parser(source, fileName).ParseFile();
}
