#include "battle/page/BattleFileCommands.h"

#include "ui/AppState.h"
#include "ui/HandlerGuard.h"
#include "ui/UserPrompts.h"
#include "battle/page/BattlePage.h"
#include "battle/page/CourseChart.h"
#include "battle/BattleCourse.h"
#include "battle/FleetsJson.h"
#include "library/FileReading.h"
#include "library/FileWriting.h"

#include <QDir>
#include <QFileInfo>

namespace qf {

namespace {
FileDialogRequest fleetsDialog(const char *objectName, const char *title)
{
    FileDialogRequest request;
    request.objectName = QString::fromLatin1(objectName);
    request.title = QString::fromUtf8(title);
    request.filters = QStringList{QStringLiteral("Flotten (*.json)"), QStringLiteral("Alle Dateien (*.*)")};
    request.defaultSuffix = QStringLiteral("json");
    return request;
}

QString quoted(const QString &path) { return QStringLiteral("\u201E%1\u201C").arg(QDir::toNativeSeparators(path)); }
} // namespace

BattleFileCommands::BattleFileCommands(AppState &state, BattlePage &page, UserPrompts &prompts, QWidget *window)
    : QObject(window), state_(state), page_(page), prompts_(prompts), window_(window)
{
}

void BattleFileCommands::SaveFleetsClick()
{
    guarded(prompts_, window_, [&] {
        FileDialogRequest request = fleetsDialog("SaveFleetsDialog", "Flotten speichern...");
        request.fileName = QStringLiteral("Flotten.json");
        const QString path = prompts_.saveFileName(window_, request);
        if (path.isEmpty())
            return;
        QString why;
        if (!WriteFileReplacing(path, FormatFleetsJson(state_.homeFleet, state_.foreignFleet), &why))
            prompts_.showWarning(window_, QStringLiteral("Speichern fehlgeschlagen"), SaveFailureText(path, why));
    });
}

void BattleFileCommands::LoadFleetsClick()
{
    guarded(prompts_, window_, [&] {
        // The fleets stay as they are while they fight.
        if (page_.isRunning())
            return;
        const QString path = prompts_.openFileName(window_, fleetsDialog("LoadFleetsDialog", "Flotten laden..."));
        if (path.isEmpty())
            return;
        const auto refuse = [&](const QString &why) {
            prompts_.showWarning(window_, QStringLiteral("Flotten nicht geladen"),
                                 QStringLiteral("Die Datei %1 wurde nicht geladen: %2").arg(quoted(path), why));
        };
        const FileRead read = ReadRegularFile(path, kMaxFleetsJsonSize);
        if (!read.ok()) {
            refuse(ReadFailureText(read, kMaxFleetsJsonSize));
            return;
        }
        // A design file named in the file is looked for beside it, too.
        const FleetsJson fleets = ParseFleetsJson(read.bytes, DesignFilesFrom(QFileInfo(path).absolutePath()),
                                                  FleetsUse::Window);
        if (!fleets.ok()) {
            refuse(fleets.error);
            return;
        }
        const FleetPair before = state_.history.fleets();
        state_.homeFleet = fleets.home;
        state_.foreignFleet = fleets.foreign;
        page_.fleetsReplaced();
        state_.history.fleetsEdited(before, QStringLiteral("Flotten laden"));
    });
}

void BattleFileCommands::SaveReportClick()
{
    guarded(prompts_, window_, [&] {
        if (!page_.showsBattleReport())
            return;
        FileDialogRequest request;
        request.objectName = QStringLiteral("SaveReportDialog");
        request.title = QStringLiteral("Bericht speichern...");
        request.filters = QStringList{QStringLiteral("Textdateien (*.txt)"), QStringLiteral("Alle Dateien (*.*)")};
        request.defaultSuffix = QStringLiteral("txt");
        request.fileName = QStringLiteral("Kampfbericht.txt");
        const QString path = prompts_.saveFileName(window_, request);
        if (path.isEmpty())
            return;
        QString why;
        if (!WriteFileReplacing(path, (page_.reportText() + u'\n').toUtf8(), &why))
            prompts_.showWarning(window_, QStringLiteral("Speichern fehlgeschlagen"), SaveFailureText(path, why));
    });
}

void BattleFileCommands::SaveCourseClick()
{
    guarded(prompts_, window_, [&] {
        CourseChart &chart = page_.courseChart();
        if (!chart.hasCourse())
            return;
        FileDialogRequest request;
        request.objectName = QStringLiteral("SaveCourseDialog");
        request.title = QStringLiteral("Verlauf speichern...");
        request.filters = QStringList{QStringLiteral("PNG-Bilder (*.png)"), QStringLiteral("SVG-Bilder (*.svg)"),
                                      QStringLiteral("CSV-Dateien (*.csv)")};
        request.defaultSuffix = QStringLiteral("png");
        request.fileName = QStringLiteral("Kampfverlauf.png");
        const QString path = prompts_.saveFileName(window_, request);
        if (path.isEmpty())
            return;
        const QString suffix = QFileInfo(path).suffix().toLower();
        QByteArray bytes;
        QString why;
        if (suffix == QLatin1String("csv"))
            bytes = FormatCourseCsv(*chart.course()).toUtf8();
        else
            bytes = chart.picture(suffix == QLatin1String("svg") ? CoursePicture::Svg : CoursePicture::Png);
        if (bytes.isEmpty())
            why = chart.loadError();
        else if (WriteFileReplacing(path, bytes, &why))
            return;
        prompts_.showWarning(window_, QStringLiteral("Speichern fehlgeschlagen"), SaveFailureText(path, why));
    });
}

} // namespace qf
