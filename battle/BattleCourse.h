#pragma once
// The course of one battle: where both sides stood after the rounds the engine
// took, for the chart of the Kampfsimulator page and the CSV of --course. The
// engine reports every state it reaches at once (after a stretch or pattern it
// took whole, and after single rounds); the course keeps a thinned set of them,
// so a battle of 10^8 rounds costs no more to draw than one of ten.
#include "battle/Side.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace qf {

// What one side has left.
struct CourseSide {
    int64_t shipsLeft = 0;
    int64_t stabilityLeft = 0;
    int64_t attackLeft = 0;
};

// Both sides after `round` rounds (0: before the first round).
struct CoursePoint {
    int64_t round = 0;
    float battleTime = 0.0f; // hours, the battle's own float sum
    std::array<CourseSide, 2> sides{};

    const CourseSide &of(Side side) const { return sides[Index(side)]; }
};

// Collects the course while the engine fights. Keeps the first and the last
// point always, every point at which a ship type was wiped out, and of the
// others one in every `stride` rounds: when they are more than fit, the
// stride doubles and every other one goes. So at most kMostPoints remain,
// and a point costs a comparison unless it is kept.
class BattleCourse {
public:
    static constexpr std::size_t kMostPoints = 2000;

    // The state after a step of the engine; `typeWipedOut` when a ship type of
    // either side lost its last ship in that step. A point of the round of the
    // last one replaces it.
    void add(const CoursePoint &point, bool typeWipedOut);

    // The first round after the last point for which a point would be kept
    // whatever happens in it: the engine need not stop for the rounds before.
    int64_t nextKeptRound() const { return nextKept_; }

    const std::vector<CoursePoint> &points() const { return points_; }
    bool empty() const { return points_.empty(); }

private:
    // Room for the first and the last point and the wiped-out types of both sides.
    static constexpr std::size_t kMostRegular = kMostPoints - 2 - 2 * 10;

    // Why a point is kept: for good (the first one, a wiped-out type), on the
    // stride, or only as the last one so far.
    enum class Kind : unsigned char { Always, Stride, Last };

    void thin();

    std::vector<CoursePoint> points_;
    std::vector<Kind> kinds_;
    std::size_t onStride_ = 0; // points of kind Stride
    int64_t stride_ = 1;
    int64_t nextKept_ = 0;
};

// The course as CSV: a header line, then per point the round, the battle time
// in hours, and per side (home first) ships, stability and attack left; "." as
// the decimal separator, LF line ends.
QString FormatCourseCsv(const BattleCourse &course);

} // namespace qf
