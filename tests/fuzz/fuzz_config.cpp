// The configuration reader on any bytes, and the round trip through the writer.
#include "FuzzSupport.h"
#include "settings/ConfigFormat.h"

#include <cstring>

using namespace qf;
using namespace qf::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const std::vector<ConfigCommand> commands = ParseConfig(bytes);

    // What the program takes from the file: the display option, distance and page.
    bool flightTime = false;
    int distance = 2000;
    int tab = 0;
    for (const ConfigCommand &c : commands) {
        switch (c.kind) {
        case ConfigCommand::FlightTime:
            flightTime = true;
            QF_FUZZ_CHECK(c.value == 0);
            break;
        case ConfigCommand::Acceleration:
            flightTime = false;
            QF_FUZZ_CHECK(c.value == 0);
            break;
        case ConfigCommand::Distance:
        case ConfigCommand::ActivesTab:
            // A number of the file is held in 16 bits.
            QF_FUZZ_CHECK(c.value >= -32768 && c.value <= 32767);
            (c.kind == ConfigCommand::Distance ? distance : tab) = c.value;
            break;
        }
    }
    // Every command comes from a word of the file.
    QF_FUZZ_CHECK(commands.size() <= size_t(bytes.size() / 8 + 1));

    // Written and read again: the same three values.
    const QByteArray written = FormatConfig(flightTime, distance, tab);
    const std::vector<ConfigCommand> again = ParseConfig(written);
    QF_FUZZ_CHECK(again.size() == 3);
    QF_FUZZ_CHECK(again[0].kind == (flightTime ? ConfigCommand::FlightTime : ConfigCommand::Acceleration));
    QF_FUZZ_CHECK(again[1].kind == ConfigCommand::Distance && again[1].value == distance);
    QF_FUZZ_CHECK(again[2].kind == ConfigCommand::ActivesTab && again[2].value == tab);

    // Any 32-bit numbers written: read back cut to 16 bits, and a distance
    // outside -32768..65535 ends the reading after its line.
    if (size >= 8) {
        int32_t d = 0;
        int32_t t = 0;
        std::memcpy(&d, data, 4);
        std::memcpy(&t, data + 4, 4);
        const std::vector<ConfigCommand> cut = ParseConfig(FormatConfig(data[0] & 1, d, t));
        const bool distanceInRange = d >= -32768 && d <= 65535;
        QF_FUZZ_CHECK(cut.size() == (distanceInRange ? 3u : 2u));
        QF_FUZZ_CHECK(cut[1].value == int16_t(uint16_t(uint32_t(d) & 0xFFFFu)));
        if (distanceInRange)
            QF_FUZZ_CHECK(cut[2].value == int16_t(uint16_t(uint32_t(t) & 0xFFFFu)));
    }
    return 0;
}
