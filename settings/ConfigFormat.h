#pragma once
// The configuration file "KRM.ini": display option, distance and active page.
#include <QByteArray>
#include <vector>

namespace qf {

// Largest file taken for the configuration file: it holds a few hundred bytes,
// so anything bigger is not one of ours.
constexpr qint64 kMaxConfigFileSize = 1024 * 1024;

struct ConfigCommand {
    enum Kind { FlightTime, Acceleration, Distance, ActivesTab };
    Kind kind;
    int value = 0; // Distance and ActivesTab
};

// The keys in file order. Reading stops after a missing or unreadable number, and
// after the line of a number outside -32768..65535 (which is cut to 16 bits).
std::vector<ConfigCommand> ParseConfig(const QByteArray &bytes);

// The twelve lines the program writes, each ending in CR LF.
QByteArray FormatConfig(bool flightTime, int distance, int activeTab);

} // namespace qf
