#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// A small JSON value for the tool's reports: objects keep their key order.
class Json {
public:
  Json() = default; // null
  Json(std::nullptr_t) {}
  Json(bool value) : kind(Kind::Bool), boolean(value) {}
  Json(int value) : Json(static_cast<int64_t>(value)) {}
  Json(unsigned value) : Json(static_cast<int64_t>(value)) {}
  Json(int64_t value) : kind(Kind::Integer), integer(value) {}
  Json(uint64_t value) : Json(static_cast<int64_t>(value)) {}
  Json(double value) : kind(Kind::Number), number(value) {}
  Json(const char* value) : kind(Kind::String), text(value) {}
  Json(std::string value) : kind(Kind::String), text(std::move(value)) {}

  static Json array(std::vector<Json> items = {});
  static Json object(std::initializer_list<std::pair<std::string, Json>> members = {});

  // Appends to an array.
  Json& push(Json item);
  // Sets a member of an object, keeping the first position of its key.
  Json& set(const std::string& key, Json value);

  std::string dump() const;

private:
  enum class Kind { Null, Bool, Integer, Number, String, Array, Object };
  void dumpTo(std::string& out) const;

  Kind kind = Kind::Null;
  bool boolean = false;
  int64_t integer = 0;
  double number = 0.0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;
};
