// sample_grid: which of the centre line's samples is nearest a point, found in
// buckets on x/z and always the very sample a scan of them all would pick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "math/vector3.h"

// No sample this far or farther counts as near.
constexpr double INITIAL_BEST_DISTANCE = 999999.0;
// What the searches give when no sample is nearer than INITIAL_BEST_DISTANCE.
constexpr size_t NO_SAMPLE = SIZE_MAX;

// The first sample (lowest index) at the smallest distance from p, the
// distance taken as sqrt(dx*dx + dy*dy + dz*dz); NO_SAMPLE if none is nearer
// than INITIAL_BEST_DISTANCE.
size_t nearestSampleByFullScan(const std::vector<Vector3>& samples, const Vector3& p);

// The samples bucketed by x and z on a uniform grid, built once per circuit.
class SampleGrid {
public:
    SampleGrid() = default;
    explicit SampleGrid(std::vector<Vector3> samples);

    const std::vector<Vector3>& samples() const { return samples_; }
    // The same sample as nearestSampleByFullScan: the cells are searched in
    // growing rings round p until no farther cell can hold a nearer sample;
    // far from every cell, or when that takes too many rings, all are scanned.
    size_t nearest(const Vector3& p) const;

private:
    // False when the rings give up; found is set only on true.
    bool searchRings(const Vector3& p, size_t& found) const;

    std::vector<Vector3> samples_;
    double minX_ = 0.0;
    double minZ_ = 0.0;
    double cellSize_ = 1.0;
    int32_t columns_ = 0;
    int32_t rows_ = 0;
    // The samples of cell c are cellSamples_[cellStart_[c] .. cellStart_[c + 1]).
    std::vector<uint32_t> cellStart_;
    std::vector<uint32_t> cellSamples_;
};
