#include "settings/ConfigFormat.h"

#include "model/Int16Reader.h"

namespace qf {

namespace {
class ConfigReader {
public:
    explicit ConfigReader(const QByteArray &bytes) : b_(bytes) {}

    bool atEnd() const { return pos_ >= b_.size(); }

    // Skips blanks and line ends, then takes the word up to the next blank, tab or line end.
    QByteArray nextWord()
    {
        skipWhite(true);
        const int start = pos_;
        while (!atEnd() && !isWhite(b_[pos_]) && b_[pos_] != '\n')
            ++pos_;
        return b_.mid(start, pos_ - start);
    }

    QByteArray nextToken() { return nextWord(); }

    void skipLine()
    {
        while (!atEnd() && b_[pos_] != '\n')
            ++pos_;
        if (!atEnd())
            ++pos_;
    }

private:
    // A carriage return counts as a blank.
    static bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r'; }

    void skipWhite(bool lineEnds)
    {
        while (!atEnd() && (isWhite(b_[pos_]) || (lineEnds && b_[pos_] == '\n')))
            ++pos_;
    }

    const QByteArray &b_;
    int pos_ = 0;
};
} // namespace

std::vector<ConfigCommand> ParseConfig(const QByteArray &bytes)
{
    std::vector<ConfigCommand> commands;
    ConfigReader reader(bytes);
    while (!reader.atEnd()) {
        const QByteArray word = reader.nextWord();
        if (word.isEmpty())
            break;
        bool stop = false;
        if (word.startsWith(';') || word.startsWith('[')) {
            // comment or section line
        } else if (word == "Flugzeit") {
            commands.push_back({ConfigCommand::FlightTime, 0});
        } else if (word == "Beschleunigung") {
            commands.push_back({ConfigCommand::Acceleration, 0});
        } else if (word == "Distanz" || word == "ActivesTab") {
            const Int16Reading n = ReadInt16(reader.nextToken());
            if (!n.valid)
                break;
            commands.push_back({word == "Distanz" ? ConfigCommand::Distance : ConfigCommand::ActivesTab,
                                n.value});
            stop = !n.inRange;
        }
        reader.skipLine();
        if (stop)
            break;
    }
    return commands;
}

QByteArray FormatConfig(bool flightTime, int distance, int activeTab)
{
    QByteArray out;
    auto line = [&out](const QByteArray &text) { out += text + "\r\n"; };
    line(";Version 30");
    line("");
    line("[Designer]");
    line(";Flugzeit oder Beschleunigung anzeigen");
    line(flightTime ? "Flugzeit" : "Beschleunigung");
    line("Distanz " + QByteArray::number(distance));
    line("");
    line("[KRM]");
    line(";0 = Designer");
    line(";1 = Calculator");
    line(";2 = BattleSim-Tab");
    line("ActivesTab " + QByteArray::number(activeTab));
    return out;
}

} // namespace qf
