#include "json.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/text.h"

namespace kx {
namespace {

// Nesting deeper than any export file needs is refused rather than recursed into.
constexpr int kMaxDepth = 32;

void WriteString(std::string_view text, std::string* out) {
  out->push_back('"');
  for (const char c : text) {
    switch (c) {
      case '"': *out += "\\\""; break;
      case '\\': *out += "\\\\"; break;
      case '\n': *out += "\\n"; break;
      case '\r': *out += "\\r"; break;
      case '\t': *out += "\\t"; break;
      default:
        if (const auto byte = static_cast<unsigned char>(c); byte < 0x20 || byte == 0x7F) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(byte));
          *out += escaped;
        } else {
          out->push_back(c);
        }
    }
  }
  out->push_back('"');
}

void WriteValue(const Json& value, int depth, std::string* out) {
  const std::string indent(static_cast<size_t>(depth + 1) * 2, ' ');
  const std::string closing(static_cast<size_t>(depth) * 2, ' ');
  switch (value.type()) {
    case Json::Type::kNull: *out += "null"; return;
    case Json::Type::kBool: *out += value.boolean() ? "true" : "false"; return;
    case Json::Type::kNumber: *out += value.text(); return;
    case Json::Type::kString: WriteString(value.text(), out); return;
    case Json::Type::kArray: {
      if (value.items().empty()) {
        *out += "[]";
        return;
      }
      *out += "[\n";
      for (size_t i = 0; i < value.items().size(); ++i) {
        *out += indent;
        WriteValue(value.items()[i], depth + 1, out);
        *out += i + 1 < value.items().size() ? ",\n" : "\n";
      }
      *out += closing + "]";
      return;
    }
    case Json::Type::kObject: {
      if (value.members().empty()) {
        *out += "{}";
        return;
      }
      *out += "{\n";
      for (size_t i = 0; i < value.members().size(); ++i) {
        *out += indent;
        WriteString(value.members()[i].first, out);
        *out += ": ";
        WriteValue(value.members()[i].second, depth + 1, out);
        *out += i + 1 < value.members().size() ? ",\n" : "\n";
      }
      *out += closing + "}";
      return;
    }
  }
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  bool ParseDocument(Json* value, std::string* error) {
    bool parsed = ParseValue(value, 0);
    if (parsed) {
      SkipSpace();
      parsed = at_ == text_.size() || Fail("text after the value");
    }
    if (!parsed) *error = "JSON error at byte " + std::to_string(at_) + ": " + problem_;
    return parsed;
  }

 private:
  bool Fail(const char* problem) {
    problem_ = problem;
    return false;
  }
  void SkipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                  text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }
  bool Take(char c) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool TakeWord(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  bool ParseValue(Json* value, int depth) {
    if (depth > kMaxDepth) return Fail("nested too deeply");
    SkipSpace();
    if (at_ >= text_.size()) return Fail("a value is missing");
    const char c = text_[at_];
    if (c == '{') return ParseObject(value, depth);
    if (c == '[') return ParseArray(value, depth);
    if (c == '"') {
      std::string text;
      if (!ParseString(&text)) return false;
      *value = Json::String(std::move(text));
      return true;
    }
    if (TakeWord("true")) return *value = Json::Bool(true), true;
    if (TakeWord("false")) return *value = Json::Bool(false), true;
    if (TakeWord("null")) return *value = Json(), true;
    return ParseNumber(value);
  }

  bool ParseObject(Json* value, int depth) {
    ++at_;
    *value = Json::Object();
    if (Take('}')) return true;
    do {
      SkipSpace();
      std::string key;
      if (at_ >= text_.size() || text_[at_] != '"') return Fail("a key is missing");
      if (!ParseString(&key)) return false;
      if (value->Find(key) != nullptr) return Fail("a key appears twice");
      if (!Take(':')) return Fail("':' is missing");
      Json member;
      if (!ParseValue(&member, depth + 1)) return false;
      value->Add(std::move(key), std::move(member));
    } while (Take(','));
    return Take('}') || Fail("'}' is missing");
  }

  bool ParseArray(Json* value, int depth) {
    ++at_;
    *value = Json::Array();
    if (Take(']')) return true;
    do {
      Json item;
      if (!ParseValue(&item, depth + 1)) return false;
      value->Push(std::move(item));
    } while (Take(','));
    return Take(']') || Fail("']' is missing");
  }

  bool Digits() {
    const size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ > start;
  }

  bool ParseNumber(Json* value) {
    const size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    if (!Digits()) return Fail("not a value");
    if (at_ < text_.size() && text_[at_] == '.') {
      ++at_;
      if (!Digits()) return Fail("digits missing after '.'");
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (!Digits()) return Fail("digits missing in the exponent");
    }
    *value = Json::Number(std::string(text_.substr(start, at_ - start)));
    return true;
  }

  bool ParseHex4(uint32_t* code) {
    if (at_ + 4 > text_.size()) return Fail("\\u needs four hexadecimal digits");
    *code = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      uint32_t digit;
      if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
      else return Fail("\\u needs four hexadecimal digits");
      *code = *code * 16 + digit;
    }
    return true;
  }

  bool ParseEscape(std::string* text) {
    if (at_ >= text_.size()) return Fail("the string is not closed");
    const char c = text_[at_++];
    switch (c) {
      case '"': case '\\': case '/': text->push_back(c); return true;
      case 'b': text->push_back('\b'); return true;
      case 'f': text->push_back('\f'); return true;
      case 'n': text->push_back('\n'); return true;
      case 'r': text->push_back('\r'); return true;
      case 't': text->push_back('\t'); return true;
      case 'u': break;
      default: return Fail("unknown escape");
    }
    uint32_t code = 0;
    if (!ParseHex4(&code)) return false;
    std::u16string units(1, static_cast<char16_t>(code));
    if (code >= 0xD800 && code < 0xDC00) {
      uint32_t low = 0;
      if (!TakeWord("\\u") || !ParseHex4(&low) || low < 0xDC00 || low > 0xDFFF) {
        return Fail("a high surrogate without its low half");
      }
      units.push_back(static_cast<char16_t>(low));
    } else if (code >= 0xDC00 && code < 0xE000) {
      return Fail("a low surrogate on its own");
    }
    *text += platform::Utf16ToUtf8(units);
    return true;
  }

  bool ParseString(std::string* text) {
    ++at_;
    for (;;) {
      if (at_ >= text_.size()) return Fail("the string is not closed");
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return Fail("a control character in a string");
      if (c != '\\') {
        text->push_back(c);
      } else if (!ParseEscape(text)) {
        return false;
      }
    }
  }

  std::string_view text_;
  size_t at_ = 0;
  const char* problem_ = "";
};

}  // namespace

Json Json::Bool(bool value) {
  Json json;
  json.type_ = Type::kBool;
  json.boolean_ = value;
  return json;
}

Json Json::Number(std::string text) {
  Json json;
  json.type_ = Type::kNumber;
  json.text_ = std::move(text);
  return json;
}

Json Json::String(std::string text) {
  Json json;
  json.type_ = Type::kString;
  json.text_ = std::move(text);
  return json;
}

Json Json::Array() {
  Json json;
  json.type_ = Type::kArray;
  return json;
}

Json Json::Object() {
  Json json;
  json.type_ = Type::kObject;
  return json;
}

const Json* Json::Find(std::string_view key) const {
  for (const auto& [name, member] : members_) {
    if (name == key) return &member;
  }
  return nullptr;
}

Json& Json::Push(Json value) {
  items_.push_back(std::move(value));
  return items_.back();
}

Json& Json::Add(std::string key, Json value) {
  members_.emplace_back(std::move(key), std::move(value));
  return members_.back().second;
}

std::string JsonQuoted(std::string_view text) {
  std::string quoted;
  WriteString(text, &quoted);
  return quoted;
}

std::string WriteJson(const Json& value) {
  std::string out;
  WriteValue(value, 0, &out);
  out.push_back('\n');
  return out;
}

bool ParseJson(std::string_view text, Json* value, std::string* error) {
  return Parser(text).ParseDocument(value, error);
}

}  // namespace kx
