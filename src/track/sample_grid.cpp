#include "track/sample_grid.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// Far above the rounding of a square (a few parts in 1e16), far below any
// real difference in distance.
constexpr double SQUARE_MARGIN = 1.0 + 1e-9;
// About a sample spacing: a craft on the road finds its sample within a ring.
constexpr double CELL_SIZE = 2048.0;
// The grid of a circuit of any size stays this many cells across at most.
constexpr double MOST_CELLS_ACROSS = 1024.0;
// Past this many rings a scan of every sample is cheaper.
constexpr int32_t MOST_RINGS = 6;
// Far above the rounding of coordinates near the grid, far below a cell.
constexpr double REACH_SLACK = 1e-3;

// The best sample so far, judged as the full scan judges: the smallest
// distance wins, the lower index among equals.
class NearestSoFar {
public:
    void consider(size_t i, const Vector3& q, const Vector3& p) {
        const double dx = q.x - p.x;
        const double dy = q.y - p.y;
        const double dz = q.z - p.z;
        const double squared = dx * dx + dy * dy + dz * dz;
        // Surely past the best's square: its square root cannot be smaller.
        if (squared > skipAbove_) {
            return;
        }
        const double d = std::sqrt(squared);
        const bool asNearButEarlier = index_ != NO_SAMPLE && d == best_ && i < index_;
        if (d < best_ || asNearButEarlier) {
            best_ = d;
            index_ = i;
            skipAbove_ = best_ * best_ * SQUARE_MARGIN;
        }
    }
    double best() const { return best_; }
    size_t index() const { return index_; }

private:
    double best_ = INITIAL_BEST_DISTANCE;
    double skipAbove_ = INITIAL_BEST_DISTANCE * INITIAL_BEST_DISTANCE * SQUARE_MARGIN;
    size_t index_ = NO_SAMPLE;
};
}  // namespace

size_t nearestSampleByFullScan(const std::vector<Vector3>& samples, const Vector3& p) {
    NearestSoFar nearest;
    for (size_t i = 0; i < samples.size(); ++i) {
        nearest.consider(i, samples[i], p);
    }
    return nearest.index();
}

SampleGrid::SampleGrid(std::vector<Vector3> samples) : samples_(std::move(samples)) {
    if (samples_.empty()) {
        return;
    }
    double maxX = samples_[0].x;
    double maxZ = samples_[0].z;
    minX_ = maxX;
    minZ_ = maxZ;
    for (const Vector3& q : samples_) {
        minX_ = std::min(minX_, q.x);
        maxX = std::max(maxX, q.x);
        minZ_ = std::min(minZ_, q.z);
        maxZ = std::max(maxZ, q.z);
    }
    const double extent = std::max(maxX - minX_, maxZ - minZ_);
    if (!std::isfinite(extent)) {
        return;  // no grid: every search scans them all
    }
    cellSize_ = std::max(CELL_SIZE, extent / MOST_CELLS_ACROSS);
    columns_ = static_cast<int32_t>((maxX - minX_) / cellSize_) + 1;
    rows_ = static_cast<int32_t>((maxZ - minZ_) / cellSize_) + 1;

    // Counted into place, so each cell lists its samples by rising index.
    std::vector<uint32_t> cellOf(samples_.size());
    cellStart_.assign(static_cast<size_t>(columns_) * rows_ + 1, 0);
    for (size_t i = 0; i < samples_.size(); ++i) {
        const auto column = static_cast<int32_t>((samples_[i].x - minX_) / cellSize_);
        const auto row = static_cast<int32_t>((samples_[i].z - minZ_) / cellSize_);
        cellOf[i] = static_cast<uint32_t>(row * columns_ + column);
        ++cellStart_[cellOf[i] + 1];
    }
    for (size_t c = 1; c < cellStart_.size(); ++c) {
        cellStart_[c] += cellStart_[c - 1];
    }
    std::vector<uint32_t> next(cellStart_.begin(), cellStart_.end() - 1);
    cellSamples_.resize(samples_.size());
    for (size_t i = 0; i < samples_.size(); ++i) {
        cellSamples_[next[cellOf[i]]++] = static_cast<uint32_t>(i);
    }
}

size_t SampleGrid::nearest(const Vector3& p) const {
    size_t found = NO_SAMPLE;
    if (searchRings(p, found)) {
        return found;
    }
    return nearestSampleByFullScan(samples_, p);
}

bool SampleGrid::searchRings(const Vector3& p, size_t& found) const {
    if (columns_ == 0) {
        return false;
    }
    // In cells; a position far off the grid, or not a number, fails here.
    const double gx = (p.x - minX_) / cellSize_;
    const double gz = (p.z - minZ_) / cellSize_;
    if (!(gx > -MOST_RINGS && gx < columns_ + MOST_RINGS && gz > -MOST_RINGS &&
          gz < rows_ + MOST_RINGS)) {
        return false;
    }
    const auto column = static_cast<int32_t>(std::floor(gx));
    const auto row = static_cast<int32_t>(std::floor(gz));
    // How far p is from the edge of its own cell, the nearest way.
    const double edge =
        std::min({gx - column, column + 1 - gx, gz - row, row + 1 - gz}) * cellSize_;

    NearestSoFar nearest;
    const auto searchCell = [&](int32_t c, int32_t r) {
        if (c < 0 || c >= columns_ || r < 0 || r >= rows_) {
            return;
        }
        const size_t cell = static_cast<size_t>(r) * columns_ + c;
        for (uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k) {
            const uint32_t i = cellSamples_[k];
            nearest.consider(i, samples_[i], p);
        }
    };
    for (int32_t ring = 0; ring <= MOST_RINGS; ++ring) {
        for (int32_t r = row - ring; r <= row + ring; ++r) {
            const bool wholeRow = r == row - ring || r == row + ring;
            for (int32_t c = column - ring; c <= column + ring; c += wholeRow ? 1 : 2 * ring) {
                searchCell(c, r);
            }
        }
        // Every sample outside the rings so far is at least this far away
        // across x and z alone, so farther than the best when it passes it.
        const double reach = ring * cellSize_ + edge - REACH_SLACK;
        const bool coversGrid = column - ring <= 0 && column + ring >= columns_ - 1 &&
                                row - ring <= 0 && row + ring >= rows_ - 1;
        if (coversGrid || reach > nearest.best()) {
            found = nearest.index();
            return true;
        }
    }
    return false;
}
