#include "SphereMap.h"

#include <cmath>

namespace {

// Element (row, column) of a column-major 4 x 4 matrix.
float at(const float m[16], int row, int column) {
  return m[column * 4 + row];
}

// The inverse of the upper-left 3 x 3 of `m`, row-major; zero where it has none.
void invertUpperLeft(const float m[16], float inverse[9]) {
  const float a = at(m, 0, 0), b = at(m, 0, 1), c = at(m, 0, 2);
  const float d = at(m, 1, 0), e = at(m, 1, 1), f = at(m, 1, 2);
  const float g = at(m, 2, 0), h = at(m, 2, 1), i = at(m, 2, 2);
  const float cofactors[9] = {e * i - f * h, c * h - b * i, b * f - c * e, f * g - d * i, a * i - c * g,
                              c * d - a * f, d * h - e * g, b * g - a * h, a * e - b * d};
  const float determinant = a * cofactors[0] + b * cofactors[3] + c * cofactors[6];
  const float scale = determinant != 0.0f ? 1.0f / determinant : 0.0f;
  for (int k = 0; k < 9; ++k)
    inverse[k] = cofactors[k] * scale;
}

} // namespace

SphereMap::SphereMap(const float modelview[16]) {
  for (int k = 0; k < 16; ++k)
    matrix[k] = modelview[k];
  invertUpperLeft(matrix, normalMatrix);
}

void SphereMap::coords(const float vertex[3], const float normal[3], float& s, float& t) const {
  float u[3], n[3];
  for (int row = 0; row < 3; ++row)
    u[row] = at(matrix, row, 0) * vertex[0] + at(matrix, row, 1) * vertex[1] +
             at(matrix, row, 2) * vertex[2] + at(matrix, row, 3);
  const float length = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
  for (float& x : u)
    x = length > 0.0f ? x / length : 0.0f;
  for (int column = 0; column < 3; ++column)
    n[column] = normal[0] * normalMatrix[column] + normal[1] * normalMatrix[3 + column] +
                normal[2] * normalMatrix[6 + column];
  const float nu = n[0] * u[0] + n[1] * u[1] + n[2] * u[2];
  const float r[3] = {u[0] - 2.0f * n[0] * nu, u[1] - 2.0f * n[1] * nu, u[2] - 2.0f * n[2] * nu};
  const float m = 2.0f * std::sqrt(r[0] * r[0] + r[1] * r[1] + (r[2] + 1.0f) * (r[2] + 1.0f));
  s = m > 0.0f ? r[0] / m + 0.5f : 0.5f;
  t = m > 0.0f ? r[1] / m + 0.5f : 0.5f;
}
