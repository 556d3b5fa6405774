#pragma once
// The desktop program's command line: "-cfg FILE" names the settings file and
// "-shp FILE" a design to open, in any order; every other argument is ignored.
#include <QString>
#include <QStringList>
#include <functional>

namespace qf {

struct StartArguments {
    QString configFile;         // after the first "-cfg"; empty when absent or last
    bool shipFileGiven = false; // a "-shp" was found
    QString shipFile;           // after the first "-shp"; empty when absent or last
};

// `arguments` starts with the program's name. Only the first occurrence of each
// key counts, and its value is the next argument whatever it looks like, so
// "-cfg -shp x" names the settings file "-shp" and the design "x".
StartArguments ParseStartArguments(const QStringList &arguments);

struct ConfigFileChoice {
    QString path;      // empty: the run has no settings file
    bool read = false; // whether start-up reads it
};

// The settings file of the run: the one after "-cfg" (read even when it is
// missing, which start-up logs), else "KRM.ini" in the working directory when
// it exists, else `userConfigFile` (KRM.ini in the user's configuration folder,
// where an installed program keeps its settings; read when it exists, written
// at exit either way).
ConfigFileChoice ChooseConfigFile(const StartArguments &arguments,
                                  const std::function<bool(const QString &path)> &exists,
                                  const QString &userConfigFile);

} // namespace qf
