#include "app/JetUebernahme.h"

#include "core/Clock.h"
#include "db/JetDatei.h"
#include "db/JetKonverter.h"
#include "platform/Dialogs.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <algorithm>

namespace {

QString q(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

/// A free name for the new file beside the original (same file system, so
/// that it can take the original's place in one step).
QString neuerName(const QString& pfad) {
    const QFileInfo info(pfad);
    QTemporaryFile platz(info.dir().filePath(QStringLiteral("aktien-uebernahme-XXXXXX.mdb")));
    platz.setAutoRemove(false);
    if (!platz.open()) return {};
    QString name = platz.fileName();
    platz.close();
    QFile::remove(name); // the converter makes it anew, refusing anything in the way
    return name;
}

} // namespace

void JetUebernahme::resteEntfernen(const QString& programmVerzeichnis) {
    // The names neuerName() makes.
    static const QRegularExpression muster(
        QStringLiteral("^aktien-uebernahme-[A-Za-z0-9]{6}\\.mdb(-journal)?$"));
    const QDir dir(programmVerzeichnis);
    const QFileInfoList infos =
        dir.entryInfoList({QStringLiteral("aktien-uebernahme-*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : infos)
        if (!info.isSymLink() && muster.match(info.fileName()).hasMatch())
            QFile::remove(info.absoluteFilePath());
}

JetUebernahme::JetUebernahme(Dialogs& dialogs, const Clock& clock, QString leser)
    : m_dialogs(dialogs), m_clock(clock),
      m_leser(leser.isEmpty() ? JetKonverter::standardLeser() : std::move(leser)) {}

int JetUebernahme::vorDemOeffnen(const QString& pfad) {
    if (!JetDatei::istJet(pfad)) return Weiter;
    const QString datei = QFileInfo(pfad).fileName();
    QString sicherung = JetDatei::sicherungsName(pfad);
    if (!m_dialogs.ask(nullptr,
                       QStringLiteral("Die Datei %1 ist eine Datenbank im älteren Jet-Format.\n"
                                      "Sollen ihre Daten jetzt in das Format dieses Programms "
                                      "übernommen werden?\nDie alte Datei bleibt als %2 erhalten.")
                           .arg(q(datei), q(QFileInfo(sicherung).fileName()))))
        return 0;

    const QString unveraendert =
        QStringLiteral("Die Datei %1 wurde nicht verändert.").arg(q(datei));
    auto scheitern = [&](const QString& grund) {
        m_dialogs.notice(nullptr, QStringLiteral("Die Daten können nicht übernommen werden.\n") +
                                      grund + QLatin1Char('\n') + unveraendert);
        return 1;
    };
    const QString ziel = neuerName(pfad);
    if (ziel.isEmpty())
        return scheitern(QStringLiteral("Im Programmverzeichnis kann keine neue Datei angelegt "
                                        "werden."));

    bool ok;
    JetKonverter konverter(m_leser);
    {
        QProgressDialog fenster;
        fenster.setWindowTitle(Dialogs::defaultTitle());
        fenster.setLabelText(
            QStringLiteral("Die Daten der Datei %1 werden übernommen …").arg(q(datei)));
        auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"));
        abbrechen->setAutoDefault(false);
        abbrechen->setDefault(false);
        abbrechen->setAccessibleName(QStringLiteral("Abbrechen"));
        fenster.setCancelButton(abbrechen);
        fenster.setAccessibleName(QStringLiteral("Übernahme der Daten"));
        fenster.setWindowModality(Qt::ApplicationModal);
        fenster.setAutoClose(false);
        fenster.setAutoReset(false);
        fenster.setMinimumWidth(420);
        fenster.setRange(0, 1000);
        fenster.setMinimumDuration(m_fortschrittNach);
        fenster.setValue(0);
        QElapsedTimer zuletzt;
        zuletzt.start();
        ok = konverter.konvertieren(
            pfad, ziel, m_clock.today(), [&](qint64 erledigt, qint64 gesamt) {
                const bool gelesen = gesamt > 0 && erledigt >= gesamt;
                if (gelesen || zuletzt.elapsed() >= 40) {
                    zuletzt.restart();
                    const qint64 teil = gesamt > 0 ? erledigt * 1000 / gesamt : 0;
                    fenster.setValue(int(std::clamp<qint64>(teil, 0, 1000)));
                    if (gelesen)
                        fenster.setLabelText(
                            QStringLiteral("Die neue Datenbank wird geschrieben und geprüft …"));
                    QCoreApplication::processEvents();
                }
                return !fenster.wasCanceled();
            });
    }
    if (!ok) {
        if (!konverter.abgebrochen()) return scheitern(konverter.meldung());
        m_dialogs.notice(nullptr, konverter.meldung() + QLatin1Char('\n') + unveraendert);
        return 0;
    }
    QString fehler;
    if (!JetDatei::ersetzen(pfad, ziel, &sicherung, &fehler)) {
        QFile::remove(ziel);
        return scheitern(fehler);
    }
    m_dialogs.notice(nullptr, QStringLiteral("Die Daten wurden übernommen.\nDie alte Datei bleibt "
                                             "als %1 im Programmverzeichnis erhalten.")
                                  .arg(q(QFileInfo(sicherung).fileName())));
    return Weiter;
}
