// schiffsdesigner-cli battle: the battle simulator's report for two fleets given as JSON.
#include "battle/BattleSimulation.h"
#include "battle/FleetsJson.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "library/FileReading.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define QF_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define QF_ISATTY(fd) isatty(fd)
#endif

namespace qf::cli {

namespace {

struct Input {
    QByteArray bytes;
    QString directory; // where relative design paths are also looked for
};

// The fleets JSON, at most kMaxFleetsJsonSize bytes: a file must be a regular
// one (a FIFO or /dev/zero fails at once), standard input may be anything.
Input readInput(const QString &path)
{
    Input input;
    if (path == QLatin1String("-")) {
        const FileRead in = ReadStandardInput(kMaxFleetsJsonSize);
        if (in.failure == ReadFailure::TooLarge)
            throw UsageError(QStringLiteral("battle: Standardeingabe zu groß (mehr als %1)")
                                 .arg(SizeText(kMaxFleetsJsonSize)));
        if (!in.ok())
            throw UsageError(QStringLiteral("battle: Standardeingabe nicht lesbar"));
        input.bytes = in.bytes;
        return input;
    }
    const FileRead file = ReadRegularFile(path, kMaxFleetsJsonSize);
    if (!file.ok())
        throw UsageError(QStringLiteral("battle: ") + ReadFailureText(file.failure, kMaxFleetsJsonSize)
                         + QStringLiteral(": ") + path);
    input.bytes = file.bytes;
    input.directory = QFileInfo(path).absolutePath();
    return input;
}

// --max-rounds N: a whole number from 1 up.
int64_t readMaxRounds(const QString &text)
{
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (!ok || n < 1 || text.trimmed() != text || text.startsWith(u'+'))
        throw UsageError(QStringLiteral("battle: --max-rounds braucht eine ganze Zahl ab 1: ") + text);
    return n;
}

void writeError(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// Where a long battle stands, on one line of standard error rewritten a few
// times a second, and wiped at the end. Only on a terminal: a script reading
// standard error gets nothing but the one-line messages.
class TerminalProgress {
public:
    TerminalProgress() : terminal_(QF_ISATTY(2) == 1) {}
    ~TerminalProgress() { wipe(); }
    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    bool wanted() const { return terminal_; }

    void show(const BattleProgress &p)
    {
        const auto now = std::chrono::steady_clock::now();
        if (width_ > 0 && now - last_ < std::chrono::milliseconds(200))
            return;
        last_ = now;
        const QString line = QStringLiteral("Kampf läuft: Runde %1, Heimatflotte %2 Schiffe, Fremdflotte %3 Schiffe")
                                 .arg(p.rounds).arg(p.homeShipsLeft).arg(p.foreignShipsLeft);
        writeError(u'\r' + line.leftJustified(width_));
        width_ = std::max(width_, int(line.size()));
    }

    void wipe()
    {
        if (width_ > 0)
            writeError(u'\r' + QString(width_, u' ') + u'\r');
        width_ = 0;
    }

private:
    bool terminal_;
    int width_ = 0;
    std::chrono::steady_clock::time_point last_;
};

} // namespace

QString battleHelp()
{
    return QStringLiteral(
        "Aufruf: schiffsdesigner-cli battle FLOTTEN.json [--max-rounds N] [--json]\n"
        "\n"
        "Simuliert den Kampf der Heimatflotte gegen die Fremdflotte wie \"Simulieren\"\n"
        "auf der Seite Kampfsimulator und gibt den Kampfbericht Zeile für Zeile aus\n"
        "(Tabulatoren wie im Bericht). Der Kampf läuft bis zu seinem Ende, so viele\n"
        "Runden das auch sind; ist die Standardfehlerausgabe ein Terminal, zeigt sie\n"
        "dabei, wie weit er ist.\n"
        "\n"
        "  FLOTTEN.json     Datei mit den Flotten; \"-\" liest die Standardeingabe.\n"
        "  --max-rounds N   den Kampf nach N Runden (ganze Zahl ab 1) beenden, wenn\n"
        "                   er bis dahin nicht entschieden ist: dann kein Bericht,\n"
        "                   eine Meldung auf der Standardfehlerausgabe, Exit-Status 3.\n"
        "  --json           ein JSON-Objekt {\"b_BattleReport\": [Zeilen]} ausgeben.\n"
        "\n"
        "Aufbau: {\"home\": [EINTRAG, ...], \"foreign\": [EINTRAG, ...]}, EINTRAG ist\n"
        "  {\"count\": N, \"design\": \"pfad/zu/datei.shp\"}  oder\n"
        "  {\"count\": N, \"name\": \"Jäger\", \"as\": N, \"armor\": N, \"stability\": N,\n"
        "   \"fe\": N, \"si\": N, \"c\": N}\n"
        "Die Einträge werden der Reihe nach hinzugefügt wie mit \"Hinzufügen\": ein Name,\n"
        "der bis auf Groß-/Kleinschreibung schon vorkommt, erhöht die Anzahl dieses Typs\n"
        "(mit dessen alten Werten); ein elfter Typ wird übergangen. \"count\" wird wie das\n"
        "Anzahl-Feld gelesen (keine ganze Zahl: 1; 0 oder weniger: kein Schiff). Die Werte\n"
        "as, armor, stability, fe, si, c sind ganze Zahlen von 0 bis 2147483647. Ein\n"
        "relativer Design-Pfad gilt vom Arbeitsverzeichnis aus, sonst vom Verzeichnis der\n"
        "JSON-Datei. Die Design-Datei wird wie mit \"Öffnen\" gelesen, der Name ist der\n"
        "Dateiname ohne Endung.\n"
        "\n"
        "Exit-Status 2: leere Flotte, fehlerhaftes JSON, fehlendes Feld oder unlesbare\n"
        "Design-Datei. Exit-Status 3: nach --max-rounds Runden nicht entschieden.\n");
}

int runBattle(const QStringList &args)
{
    ArgReader reader(args);
    QString path;
    bool havePath = false;
    bool json = false;
    BattleControl control;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--max-rounds")) {
            control.maxRounds = readMaxRounds(reader.valueFor(arg));
        } else if (arg.startsWith(u'-') && arg != QLatin1String("-")) {
            throw UsageError(QStringLiteral("battle: unbekannte Option: ") + arg);
        } else if (!havePath) {
            path = arg;
            havePath = true;
        } else {
            throw UsageError(QStringLiteral("battle: nur eine Flotten-Datei erlaubt"));
        }
    }
    if (!havePath)
        throw UsageError(QStringLiteral("battle: Flotten-Datei fehlt (FLOTTEN.json oder -)"));

    const Input input = readInput(path);
    const FleetsJson fleets = ParseFleetsJson(input.bytes, DesignFilesFrom(input.directory));
    if (!fleets.ok())
        throw UsageError(QStringLiteral("battle: ") + fleets.error);

    TerminalProgress terminal;
    if (terminal.wanted())
        control.progress = [&terminal](const BattleProgress &p) { terminal.show(p); };
    const BattleOutcome outcome = FightBattle(fleets.home, fleets.foreign, control);
    terminal.wipe();
    if (outcome.end == BattleEnd::RoundLimit) {
        writeError(QStringLiteral("schiffsdesigner-cli: battle: ") + RoundLimitMessage(outcome.rounds) + u'\n');
        return 3;
    }
    const QStringList lines = BattleReport(fleets.home, fleets.foreign, outcome);
    if (json) {
        printJson(QJsonObject{{QStringLiteral("b_BattleReport"), QJsonArray::fromStringList(lines)}});
    } else {
        printLines(lines);
    }
    return 0;
}

} // namespace qf::cli
