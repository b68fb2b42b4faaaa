#pragma once

#include <span>

#include "orvandel/fileio/format_3df.h"
#include "orvandel/geometry/colour.h"
#include "orvandel/geometry/vector3.h"

namespace orvandel {

// Flat shading of one triangle A, B, C in view space: the observer stands at the origin and
// D is the position of the light. Nothing here fails or allocates; degenerate input gets
// the fallbacks described with each function.

// D reflected at the face: 2 (N . L) N - L, with N = FaceNormal(A, B, C) left unnormalised
// and L = FaceToPoint(A, B, C, D).
Vector3 ReflectAtFace(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d);

// The cosine between the vector from the face's centre to the observer and
// ReflectAtFace(A, B, C, D); 1.0 when the product of their lengths is at most 1e-9.
float SpecularCosine(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d);

// exp(exponent * ln(base)) rounded to 40 significant bits, the precision in which this
// power has always been taken. base must be greater than 0; otherwise the result is 0 or
// not a number.
long double RealPower(long double base, long double exponent);

// The packed colour of the face: intensity I = diffuse * cd + ambient + specular * sp, with
// cd the cosine between the face normal and the direction to the light (1.0 for a
// degenerate face, 0 when the light is behind the face) and sp the specular cosine raised
// to exponent (0 when that cosine is not positive). The colour has value I and saturation
// I, or saturation 0 for kNoHue.
PackedColour ShadeFace(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d,
                       float hue, float ambient, float diffuse, float specular, float exponent);

// The lighting shares and the specular exponent of ShadeFace.
struct Lighting {
  float ambient = 0;
  float diffuse = 0;
  float specular = 0;
  float exponent = 0;
};

// A face to shade: its corners A, B, C and its hue.
struct FaceToShade {
  Vector3 a;
  Vector3 b;
  Vector3 c;
  float hue = 0;
};

// colours[k] = ShadeFace of faces[k], all lit from d with the same shares: the same
// colours as one call per face, several faces worked on at a time. colours holds at least
// faces.size() entries.
void ShadeFaces(std::span<const FaceToShade> faces, const Vector3& d, const Lighting& lighting,
                PackedColour* colours);

}  // namespace orvandel
