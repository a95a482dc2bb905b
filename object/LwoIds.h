#pragma once

#include <cstring>

// IDs are compared as their four raw bytes.
inline bool isId(const char id[4], const char* literal) {
  return std::memcmp(id, literal, 4) == 0;
}
