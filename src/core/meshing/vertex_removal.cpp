#include "meshing/vertex_removal.h"

#include <algorithm>
#include <cmath>

#include "meshing/lattice_region.h"

namespace orvandel {

bool VertexRemoval::TryRemove(std::int32_t v, double bound) {
  if (mesh_.Fixed(v) || mesh_.Removed(v)) return false;
  FindCandidates(v, mesh_.SpokesOf(v, spokes_));
  if (candidates_.empty()) return false;
  const bool level = Level(v);
  around_.clear();
  const auto onto = std::find_if(candidates_.begin(), candidates_.end(), [&](std::int32_t u) {
    return level ? KeepsTurning(u) : StaysWithin(v, u, bound);
  });
  if (onto == candidates_.end()) return false;
  neighbours_.clear();
  for (const Spoke& spoke : spokes_)
    neighbours_.push_back(spoke.q);
  if (spokes_.front().q != spokes_.back().p) neighbours_.push_back(spokes_.back().p);
  mesh_.Collapse(v, *onto, spokes_);
  return true;
}

// A border is an edge between triangles of two classes, or the mesh's own edge.
void VertexRemoval::FindCandidates(std::int32_t v, bool closed) {
  candidates_.clear();
  borders_.clear();
  if (!closed) borders_.insert(borders_.end(), {spokes_.front().q, spokes_.back().p});
  const std::size_t count = spokes_.size();
  for (std::size_t j = 0; j + (closed ? 0 : 1) < count; ++j) {
    if (mesh_.ClassOf(spokes_[j].triangle) != mesh_.ClassOf(spokes_[(j + 1) % count].triangle))
      borders_.push_back(spokes_[j].p);
  }
  if (borders_.empty()) {
    for (const Spoke& spoke : spokes_)
      candidates_.push_back(spoke.p);
  } else if (borders_.size() == 2) {
    const LatticePoint at = mesh_.At(v);
    const LatticePoint a = mesh_.At(borders_[0]);
    const LatticePoint b = mesh_.At(borders_[1]);
    const std::int64_t dot =
        std::int64_t{a.c - at.c} * (b.c - at.c) + std::int64_t{a.r - at.r} * (b.r - at.r);
    if (Cross(at, a, b) == 0 && dot < 0) candidates_ = borders_;
  }
  SortByDegree();
}

// A few at most: sorted in place, as they came where degrees are equal.
void VertexRemoval::SortByDegree() {
  for (std::size_t k = 1; k < candidates_.size(); ++k) {
    for (std::size_t j = k;
         j > 0 && mesh_.Degree(candidates_[j]) < mesh_.Degree(candidates_[j - 1]); --j)
      std::swap(candidates_[j], candidates_[j - 1]);
  }
}

bool VertexRemoval::Level(std::int32_t v) const {
  const float z = mesh_.Z(v);
  const auto level = [&](std::int32_t w) { return mesh_.Z(w) == z; };
  return level(spokes_.front().q) &&
         std::all_of(spokes_.begin(), spokes_.end(), [&](const Spoke& s) { return level(s.p); });
}

bool VertexRemoval::KeepsTurning(std::int32_t u) const {
  const LatticePoint at = mesh_.At(u);
  return std::all_of(spokes_.begin(), spokes_.end(), [&](const Spoke& spoke) {
    return spoke.p == u || spoke.q == u || Cross(at, mesh_.At(spoke.p), mesh_.At(spoke.q)) > 0;
  });
}

// The cheap test first: most moves that fail, fail at v itself. Triangles around v in one
// plane keep the surface as it was, whichever neighbour takes v.
bool VertexRemoval::StaysWithin(std::int32_t v, std::int32_t u, double bound) {
  if (ErrorAtCentre(v, u) > bound || !KeepsTurning(u)) return false;
  if (around_.empty()) GroupPlanes(v);
  return planes_.size() == 1 || NewTrianglesWithin(u, bound);
}

// The new triangle that holds v (or either of two whose common edge holds it) gives the
// height there, its corners' heights weighed by the areas v cuts it into.
double VertexRemoval::ErrorAtCentre(std::int32_t v, std::int32_t u) const {
  const LatticePoint centre = mesh_.At(v);
  const LatticePoint onto = mesh_.At(u);
  for (const Spoke& made : spokes_) {
    if (made.p == u || made.q == u) continue;
    const LatticePoint p = mesh_.At(made.p);
    const LatticePoint q = mesh_.At(made.q);
    const auto towards_q = static_cast<double>(Cross(onto, p, centre));
    const auto towards_onto = static_cast<double>(Cross(p, q, centre));
    const auto towards_p = static_cast<double>(Cross(q, onto, centre));
    if (towards_q < 0 || towards_onto < 0 || towards_p < 0) continue;
    const double sum =
        towards_onto * mesh_.Z(u) + towards_p * mesh_.Z(made.p) + towards_q * mesh_.Z(made.q);
    return std::abs(sum / (towards_onto + towards_p + towards_q) - mesh_.Z(v));
  }
  return 0;
}

void VertexRemoval::GroupPlanes(std::int32_t v) {
  planes_.clear();
  const HeightPoint centre = mesh_.Height(v);
  for (const Spoke& spoke : spokes_) {
    Around old{{centre, mesh_.Height(spoke.p), mesh_.Height(spoke.q)}, {}, 0};
    old.box = BoxOf(old.corners);
    while (old.group < planes_.size() && !(OnPlane(planes_[old.group], old.corners[1]) &&
                                           OnPlane(planes_[old.group], old.corners[2])))
      ++old.group;
    if (old.group == planes_.size()) planes_.push_back(old.corners);
    around_.push_back(old);
  }
}

bool VertexRemoval::NewTrianglesWithin(std::int32_t u, double bound) {
  same_plane_.resize(planes_.size());
  return std::all_of(spokes_.begin(), spokes_.end(), [&](const Spoke& made) {
    return made.p == u || made.q == u ||
           TriangleWithin({mesh_.Height(u), mesh_.Height(made.p), mesh_.Height(made.q)}, bound);
  });
}

// The triangle is measured on each old triangle of another plane that it meets, or, when it
// meets more than two, all over at once.
bool VertexRemoval::TriangleWithin(const HeightTriangle& corners, double bound) {
  for (std::size_t g = 0; g < planes_.size(); ++g)
    same_plane_[g] = OnPlane(planes_[g], corners[0]) && OnPlane(planes_[g], corners[1]) &&
                     OnPlane(planes_[g], corners[2]);
  const LatticeBox box = BoxOf(corners);
  meeting_.clear();
  for (const Around& old : around_) {
    if (same_plane_[old.group] == 0 && box.Meets(old.box)) meeting_.push_back(&old);
  }
  const HeightGrid& grid = mesh_.Grid();
  const LatticePlane plane(corners[0], corners[1], corners[2]);
  const auto within = [&](const LatticeRegion& region) {
    return region.ForEachPoint([&](LatticePoint point) {
      return std::abs(plane.At(point) - grid.Z(point.c, point.r)) <= bound;
    });
  };
  LatticeRegion whole;
  whole.Within(corners[0].at, corners[1].at, corners[2].at);
  if (meeting_.size() > 2) return within(whole);
  return std::all_of(meeting_.begin(), meeting_.end(), [&](const Around* old) {
    LatticeRegion part = whole;
    part.Within(old->corners[0].at, old->corners[1].at, old->corners[2].at);
    return within(part);
  });
}

}  // namespace orvandel
