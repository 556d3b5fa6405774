// The flight calculator on any seven field texts (one per line of the input):
// the planet coordinates and the result texts.
#include "FuzzSupport.h"
#include "calc/FlightCalc.h"

using namespace qf;
using namespace qf::fuzz;

namespace {

bool isResultText(const QString &t)
{
    return isWholeNumberText(t) || t == QStringLiteral("unvollständig");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(bytesOf(data, size));
    FlightInputs in;
    QString *const fields[] = {&in.startPlanet, &in.targetPlanet, &in.thruster, &in.fusi,
                               &in.zva,         &in.stability,    &in.spaceport};
    splitFields(input, fields, 7);

    const QString start = NormalizedCoordinate(in.startPlanet);
    QF_FUZZ_CHECK(NormalizedCoordinate(start) == start);

    const int d = PlanetDistance(in.startPlanet, in.targetPlanet);
    QF_FUZZ_CHECK(d >= -1);
    QF_FUZZ_CHECK(PlanetDistance(in.targetPlanet, in.startPlanet) == d);
    QF_FUZZ_CHECK(PlanetDistance(start, NormalizedCoordinate(in.targetPlanet)) == d);
    if (d >= 0) {
        QF_FUZZ_CHECK(PlanetDistance(in.startPlanet, in.startPlanet) == 0);
        // Digits differ by at most 2 and letters by less than 65536.
        QF_FUZZ_CHECK(d <= 12000 + 65536);
    }

    const FlightResults r = ComputeFlight(in);
    QF_FUZZ_CHECK(r.distance == (d >= 0 ? QString::number(d) : QStringLiteral("unvollständig")));
    const QString texts[] = {r.distance, r.flightTime, r.flightO2.value_or(QString()),
                             r.flightH2.value_or(QString()), r.takeoffTime, r.takeoffO2,
                             r.takeoffH2};
    for (const QString &t : texts)
        QF_FUZZ_CHECK(showsNoNonFinite(t));
    QF_FUZZ_CHECK(isDurationText(r.flightTime) || r.flightTime == QStringLiteral("unvollständig"));
    QF_FUZZ_CHECK(r.flightO2.has_value() == r.flightH2.has_value());
    QF_FUZZ_CHECK(r.flightO2.has_value() == isDurationText(r.flightTime));
    if (r.flightO2) {
        QF_FUZZ_CHECK(isResultText(*r.flightO2));
        QF_FUZZ_CHECK(isResultText(*r.flightH2));
    }
    QF_FUZZ_CHECK(isDurationText(r.takeoffTime) || r.takeoffTime == QStringLiteral("unvollständig"));
    QF_FUZZ_CHECK(isResultText(r.takeoffO2));
    QF_FUZZ_CHECK(isResultText(r.takeoffH2));
    return 0;
}
