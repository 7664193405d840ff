// A small JSON reader for the tests that read what the tools print or write:
// numbers, strings, null, arrays and objects (no true or false).
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace wltest {

struct Json {
  enum Kind { Null, Number, String, Array, Object } kind = Null;
  double number = 0;
  std::string text;  // a string's value, or a number's source text
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> fields;
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& s) : s_(s) {}
  // Parses one value that must fill the whole input (up to white space).
  bool ReadDocument(Json& v) {
    if (!Value(v)) return false;
    Skip();
    return i_ == s_.size();
  }

 private:
  void Skip() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  bool Eat(char c) {
    Skip();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  bool Str(std::string& out) {
    if (!Eat('"')) return false;
    for (; i_ < s_.size() && s_[i_] != '"'; ++i_) {
      if (s_[i_] == '\\' && ++i_ == s_.size()) return false;
      out += s_[i_];
    }
    return Eat('"');
  }
  bool Value(Json& v) {
    Skip();
    if (i_ >= s_.size()) return false;
    const char c = s_[i_];
    if (c == '"') return v.kind = Json::String, Str(v.text);
    if (s_.compare(i_, 4, "null") == 0) return i_ += 4, v.kind = Json::Null, true;
    if (c == '[') {
      v.kind = Json::Array;
      ++i_;
      if (Eat(']')) return true;
      do {
        v.items.emplace_back();
        if (!Value(v.items.back())) return false;
      } while (Eat(','));
      return Eat(']');
    }
    if (c == '{') {
      v.kind = Json::Object;
      ++i_;
      if (Eat('}')) return true;
      do {
        std::string key;
        Json field;
        if (!Str(key) || !Eat(':') || !Value(field)) return false;
        v.fields.emplace_back(key, field);
      } while (Eat(','));
      return Eat('}');
    }
    const size_t start = i_;
    while (i_ < s_.size() && std::string("+-.0123456789eE").find(s_[i_]) != std::string::npos) ++i_;
    if (i_ == start) return false;
    v.kind = Json::Number;
    v.text = s_.substr(start, i_ - start);
    char* end = nullptr;
    v.number = std::strtod(v.text.c_str(), &end);
    return *end == '\0';
  }

  const std::string& s_;
  size_t i_ = 0;
};

inline Json ParseJson(const std::string& s) {
  Json v;
  EXPECT_TRUE(JsonReader(s).ReadDocument(v)) << "not JSON: " << s;
  return v;
}

inline const Json* Field(const Json& object, const std::string& key) {
  for (const auto& [k, v] : object.fields) {
    if (k == key) return &v;
  }
  return nullptr;
}

}  // namespace wltest
