#include "settings/CommandLine.h"

namespace qf {

namespace {
// The argument after the first `key`, or an empty text when it is the last one.
QString valueAfter(const QStringList &arguments, const QString &key, bool *found)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == key) {
            *found = true;
            return i + 1 < arguments.size() ? arguments[i + 1] : QString();
        }
    }
    *found = false;
    return QString();
}
} // namespace

StartArguments ParseStartArguments(const QStringList &arguments)
{
    StartArguments result;
    bool found = false;
    result.configFile = valueAfter(arguments, QStringLiteral("-cfg"), &found);
    result.shipFile = valueAfter(arguments, QStringLiteral("-shp"), &result.shipFileGiven);
    return result;
}

ConfigFileChoice ChooseConfigFile(const StartArguments &arguments,
                                  const std::function<bool(const QString &path)> &exists,
                                  const QString &userConfigFile)
{
    if (!arguments.configFile.isEmpty())
        return {arguments.configFile, true};
    const QString local = QStringLiteral("KRM.ini");
    if (exists(local))
        return {local, true};
    if (userConfigFile.isEmpty())
        return {};
    return {userConfigFile, exists(userConfigFile)};
}

} // namespace qf
