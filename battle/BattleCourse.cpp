#include "battle/BattleCourse.h"

#include <charconv>
#include <limits>

namespace qf {

namespace {

// The first round of the stride after the one `round` lies in.
int64_t strideAfter(int64_t round, int64_t stride)
{
    const int64_t start = round / stride * stride;
    return start > std::numeric_limits<int64_t>::max() - stride ? std::numeric_limits<int64_t>::max()
                                                                 : start + stride;
}

// The shortest text that reads back as the same float, without an exponent.
QString floatText(float value)
{
    char text[64];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return QString::fromLatin1(text, int(r.ptr - text));
}

} // namespace

void BattleCourse::add(const CoursePoint &point, bool typeWipedOut)
{
    if (!points_.empty() && points_.back().round == point.round) {
        // The same round again (the end after its last round): the newer state.
        points_.back() = point;
        if (typeWipedOut && kinds_.back() != Kind::Always) {
            onStride_ -= kinds_.back() == Kind::Stride;
            kinds_.back() = Kind::Always;
        }
        return;
    }
    if (points_.empty()) {
        points_.reserve(16); // most battles need no more
        kinds_.reserve(16);
    }
    if (!points_.empty() && kinds_.back() == Kind::Last) {
        points_.pop_back();
        kinds_.pop_back();
    }
    Kind kind = Kind::Last;
    if (points_.empty() || typeWipedOut)
        kind = Kind::Always;
    else if (point.round >= nextKept_)
        kind = Kind::Stride;
    if (point.round >= nextKept_)
        nextKept_ = strideAfter(point.round, stride_);
    points_.push_back(point);
    kinds_.push_back(kind);
    if (kind == Kind::Stride && ++onStride_ > kMostRegular)
        thin();
}

// Doubles the stride: of the points kept on it, the first in every new stride stays.
void BattleCourse::thin()
{
    stride_ *= 2;
    std::size_t to = 0;
    int64_t lastBucket = -1;
    int64_t lastOnStride = 0;
    onStride_ = 0;
    for (std::size_t from = 0; from < points_.size(); ++from) {
        if (kinds_[from] == Kind::Stride) {
            const int64_t bucket = points_[from].round / stride_;
            if (bucket == lastBucket)
                continue;
            lastBucket = bucket;
            lastOnStride = points_[from].round;
            ++onStride_;
        }
        points_[to] = points_[from];
        kinds_[to] = kinds_[from];
        ++to;
    }
    points_.resize(to);
    kinds_.resize(to);
    nextKept_ = strideAfter(lastOnStride, stride_);
}

QString FormatCourseCsv(const BattleCourse &course)
{
    QString csv = QStringLiteral("Runde,Kampfzeit (h),Heimat Schiffe,Heimat Stabilität,Heimat Angriff,"
                                 "Fremd Schiffe,Fremd Stabilität,Fremd Angriff\n");
    for (const CoursePoint &p : course.points()) {
        csv += QString::number(p.round) + u',' + floatText(p.battleTime);
        for (Side side : kBothSides) {
            const CourseSide &s = p.of(side);
            csv += u',' + QString::number(s.shipsLeft) + u',' + QString::number(s.stabilityLeft) + u','
                   + QString::number(s.attackLeft);
        }
        csv += u'\n';
    }
    return csv;
}

} // namespace qf
