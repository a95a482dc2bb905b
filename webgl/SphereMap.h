#pragma once

// GL_SPHERE_MAP as OpenGL 1.1 defines it, computed per vertex: the eye-space
// position u (made unit length) and normal n, r = u - 2 n (n.u),
// m = 2 sqrt(rx^2 + ry^2 + (rz + 1)^2), s = rx / m + 1/2, t = ry / m + 1/2.
// The normal is not normalised (GL_NORMALIZE stays off, as the production draws).
class SphereMap {
public:
  // `modelview`: the current modelview matrix, column-major as GL returns it.
  explicit SphereMap(const float modelview[16]);
  void coords(const float vertex[3], const float normal[3], float& s, float& t) const;

private:
  float matrix[16];
  // The inverse of the matrix's upper-left 3 x 3, row-major: a normal is
  // transformed as the row vector n times it.
  float normalMatrix[9];
};
