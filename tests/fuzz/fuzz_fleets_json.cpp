// The fleets JSON of the battle command on any bytes, read as the command reads
// its standard input: the bytes go into an in-memory file, which the bounded
// reader reads back from its descriptor (reading it by path as well would cost
// a few more system calls a run for no new coverage of the parser). A "design"
// entry's path is answered from memory: the path's own text is the design file,
// except for paths starting with "?" (no such file). Small fleets are also fought.
#include "FuzzSupport.h"
#include "battle/BattleSimulation.h"
#include "battle/FleetsJson.h"
#include "library/Cp1252.h"
#include "library/FileReading.h"

#include <sys/mman.h>
#include <unistd.h>

using namespace qf;
using namespace qf::fuzz;

namespace {

DesignFileBytes fromMemory(const QString &path)
{
    DesignFileBytes file;
    file.path = path;
    if (!path.startsWith(u'?'))
        file.bytes = toCp1252(path);
    return file;
}

void checkFleet(const Fleet &fleet)
{
    QF_FUZZ_CHECK(!fleet.isEmpty());
    QF_FUZZ_CHECK(fleet.LastIndex < Fleet::Capacity);
    int64_t as = 0;
    int64_t stability = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i) {
        const Fleet::ShipClass &c = fleet.Classes[size_t(i)];
        QF_FUZZ_CHECK(c.Count >= 1);
        QF_FUZZ_CHECK(c.AS >= 0 && c.Armor >= 0 && c.Stability >= 0 && c.Cost >= 0);
        QF_FUZZ_CHECK(fleet.IndexOf(c.Name) == i); // no name twice, letter case ignored
        as += int64_t(c.Count) * c.AS;
        stability += int64_t(c.Count) * c.Stability;
    }
    QF_FUZZ_CHECK(fleet.TotalAS == as);
    QF_FUZZ_CHECK(fleet.TotalStability == stability);
}

// One in-memory file for all runs, rewritten with each input and read from its start.
struct InputFile {
    int fd = ::memfd_create("fleets.json", MFD_CLOEXEC);

    void hold(const uint8_t *data, size_t size) const
    {
        QF_FUZZ_CHECK(fd >= 0 && ::ftruncate(fd, 0) == 0);
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd, data + done, size - done, off_t(done));
            QF_FUZZ_CHECK(n > 0);
            done += size_t(n);
        }
        QF_FUZZ_CHECK(::lseek(fd, 0, SEEK_SET) == 0);
    }
};

int64_t ships(const Fleet &fleet)
{
    int64_t n = 0;
    for (int i = 0; i <= fleet.LastIndex; ++i)
        n += fleet.Classes[size_t(i)].Count;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const InputFile input;
    input.hold(data, size);
    const FileRead read = ReadDescriptor(input.fd, kMaxFleetsJsonSize);
    if (qint64(size) > kMaxFleetsJsonSize) {
        QF_FUZZ_CHECK(read.failure == ReadFailure::TooLarge && read.bytes.isEmpty());
        return 0;
    }
    QF_FUZZ_CHECK(read.ok());
    QF_FUZZ_CHECK(read.bytes == bytesOf(data, size));
    const FleetsJson fleets = ParseFleetsJson(read.bytes, fromMemory);
    if (!fleets.ok()) {
        QF_FUZZ_CHECK(fleets.home.isEmpty() && fleets.foreign.isEmpty());
        // One line: no control character and no other line break.
        QF_FUZZ_CHECK(!fleets.error.isEmpty());
        for (const QChar ch : fleets.error)
            QF_FUZZ_CHECK(ch.unicode() >= 0x20 && ch.unicode() != 0x7f && ch.unicode() != 0x85
                          && ch.unicode() != 0x2028 && ch.unicode() != 0x2029);
        return 0;
    }
    checkFleet(fleets.home);
    checkFleet(fleets.foreign);

    // The simulation is only fought on small fleets, to keep each input quick.
    if (ships(fleets.home) + ships(fleets.foreign) > 2000)
        return 0;
    QStringList report;
    SimulateBattle(fleets.home, fleets.foreign, report);
    QF_FUZZ_CHECK(!report.isEmpty());
    QF_FUZZ_CHECK(report[0].startsWith(QStringLiteral("Dauer des Kampfes: ")));
    QF_FUZZ_CHECK(isDurationText(report[0].section(u' ', 3, 3)));
    for (const QString &line : report) {
        // Names come from the input; every other part is the program's own.
        bool ownText = true;
        for (const Fleet *f : {&fleets.home, &fleets.foreign})
            for (int i = 0; i <= f->LastIndex; ++i)
                ownText = ownText && !line.startsWith(f->Classes[size_t(i)].Name);
        if (ownText)
            QF_FUZZ_CHECK(showsNoNonFinite(line));
    }
    return 0;
}
