#include "Json.h"

#include <cmath>
#include <cstdio>

Json Json::array(std::vector<Json> items) {
  Json value;
  value.kind = Kind::Array;
  value.items = std::move(items);
  return value;
}

Json Json::object(std::initializer_list<std::pair<std::string, Json>> members) {
  Json value;
  value.kind = Kind::Object;
  for (const auto& member : members)
    value.set(member.first, member.second);
  return value;
}

Json& Json::push(Json item) {
  items.push_back(std::move(item));
  return *this;
}

Json& Json::set(const std::string& key, Json value) {
  for (auto& member : members) {
    if (member.first == key) {
      member.second = std::move(value);
      return *this;
    }
  }
  members.emplace_back(key, std::move(value));
  return *this;
}

static void quote(const std::string& text, std::string& out) {
  out += '"';
  for (unsigned char c : text) {
    switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    default:
      if (c < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        out += escaped;
      } else {
        out += static_cast<char>(c);
      }
    }
  }
  out += '"';
}

void Json::dumpTo(std::string& out) const {
  switch (kind) {
  case Kind::Null: out += "null"; break;
  case Kind::Bool: out += boolean ? "true" : "false"; break;
  case Kind::Integer: out += std::to_string(integer); break;
  case Kind::Number: {
    if (!std::isfinite(number)) {
      out += "null";
      break;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", number);
    out += buffer;
    break;
  }
  case Kind::String: quote(text, out); break;
  case Kind::Array:
    out += '[';
    for (size_t i = 0; i < items.size(); ++i) {
      if (i) out += ',';
      items[i].dumpTo(out);
    }
    out += ']';
    break;
  case Kind::Object:
    out += '{';
    for (size_t i = 0; i < members.size(); ++i) {
      if (i) out += ',';
      quote(members[i].first, out);
      out += ':';
      members[i].second.dumpTo(out);
    }
    out += '}';
    break;
  }
}

std::string Json::dump() const {
  std::string out;
  dumpTo(out);
  return out;
}
