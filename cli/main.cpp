// schiffsdesigner-cli: the program's figures without a window.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

struct Command {
    const char *name;
    const char *summary;
    int (*run)(const QStringList &, qf::cli::Run &);
    QString (*help)();
};

const Command kCommands[] = {
    {"design", "Werte eines Schiffsdesigns (wie Designer-Seite und Export)", qf::cli::runDesign, qf::cli::designHelp},
    {"battle", "Kampfsimulation zweier Flotten (Kampfbericht)", qf::cli::runBattle, qf::cli::battleHelp},
    {"mincount", "kleinste Anzahl eines Schiffstyps, die die Fremdflotte zerstört", qf::cli::runMincount, qf::cli::mincountHelp},
    {"flight", "Flugrechner: Entfernung, Flugzeit, Verbrauch", qf::cli::runFlight, qf::cli::flightHelp},
    {"battlecalc", "Kampf-Rechner: Kampfdauer und Angreifer-AS", qf::cli::runBattlecalc, qf::cli::battlecalcHelp},
    {"actions", "Spezialaktionen: Dauer und Wahrscheinlichkeiten", qf::cli::runActions, qf::cli::actionsHelp},
    {"compare", "Schiffsdesigns nebeneinander (wie Designvergleich)", qf::cli::runCompare, qf::cli::compareHelp},
    {"counter", "günstigste Anzahl je Design, die die Fremdflotte zerstört", qf::cli::runCounter, qf::cli::counterHelp},
    {"batch", "JSON-Anfragen zeilenweise von der Standardeingabe beantworten", qf::cli::runBatch, qf::cli::batchHelp},
};

const Command *findCommand(const QString &name)
{
    for (const Command &c : kCommands) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

QString mainHelp()
{
    QString text = QStringLiteral(
        "Aufruf: schiffsdesigner-cli BEFEHL [OPTIONEN]\n"
        "\n"
        "Die Werte des Quarzfink Schiffsdesigners ohne Fenster.\n"
        "\n"
        "Befehle:\n");
    for (const Command &c : kCommands)
        text += QStringLiteral("  %1%2\n").arg(QString::fromLatin1(c.name), -12).arg(QString::fromUtf8(c.summary));
    text += QStringLiteral(
        "\n"
        "  schiffsdesigner-cli BEFEHL --help   beschreibt die Optionen eines Befehls.\n"
        "  schiffsdesigner-cli --version       zeigt Name und Version.\n"
        "  --json (bei jedem Befehl) gibt ein JSON-Objekt aus.\n"
        "\n"
        "Exit-Status: 0 Erfolg, 2 falscher Aufruf oder unlesbare Eingabe,\n"
        "3 Kampf nach battle --max-rounds Runden nicht entschieden.\n");
    return text;
}

void writeOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int usageError(const QString &message)
{
    qf::cli::WriteError(QStringLiteral("schiffsdesigner-cli: ") + message + u'\n');
    return 2;
}

} // namespace

namespace qf::cli {

int RunCommand(const QString &name, const QStringList &args, Run &run)
{
    const Command *command = findCommand(name);
    if (!command || (run.batch && name == QLatin1String("batch")))
        throw UsageError(QStringLiteral("unbekannter Befehl: ") + name);
    return command->run(args, run);
}

} // namespace qf::cli

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usageError(QStringLiteral("kein Befehl angegeben (--help zeigt die Befehle)"));
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        writeOut(mainHelp());
        return 0;
    }
    if (name == QLatin1String("--version")) {
        writeOut(QStringLiteral("schiffsdesigner-cli (Quarzfink Schiffsdesigner) " QF_VERSION "\n"));
        return 0;
    }
    const Command *command = findCommand(name);
    if (command && (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h")))) {
        writeOut(command->help());
        return 0;
    }
    try {
        qf::cli::Run run;
        return qf::cli::RunCommand(name, args, run);
    } catch (const std::exception &e) {
        return usageError(QString::fromUtf8(e.what()));
    }
}
