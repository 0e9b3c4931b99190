#include "reports/BefehleBerichte.h"

#include "core/Clock.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Drucker.h"
#include "platform/MainWindowApi.h"
#include "reports/BerichtDaten.h"
#include "reports/FormDruckRtf.h"
#include "reports/FormListe1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QStringDecoder>
#include <QTextDocument>

namespace {

QString druckFrage() {
    return QStringLiteral("Möchten Sie den Bericht jetzt drucken?");
}

void lesezeichenMerken(MainWindowApi& api) {
    Recordset& d = api.Daten1();
    if (d.hasCurrent()) api.modul().lesezeichen = d.bookmark();
}

/// Shows the progress bar for anzahl rows; nothing to show without rows.
BerichtFortschritt fortschrittZeigen(QProgressBar& balken, qsizetype anzahl) {
    if (anzahl <= 0) return {};
    balken.setRange(1, int(anzahl));
    balken.setValue(1);
    balken.show();
    return [&balken](int zeile) { balken.setValue(zeile); };
}

/// The order form's text: UTF-8, or the Windows code page of an older file.
QString bestellscheinText(const QByteArray& roh) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(roh);
    if (utf8.hasError()) text = QString::fromLatin1(roh);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    QStringList zeilen = text.split(QLatin1Char('\n'));
    if (!zeilen.isEmpty() && zeilen.last().isEmpty()) zeilen.removeLast();
    QString ergebnis;
    for (QString& z : zeilen) {
        if (z.endsWith(QLatin1Char('\r'))) z.chop(1);
        ergebnis += z + QLatin1String("\r\n");
    }
    return ergebnis;
}

} // namespace

// ---------------------------------------------------------------- screen reports

BerichtSeite berichtKurzfassung(MainWindowApi& api) {
    ModulAktien& modul = api.modul();
    modul.berichtart = BerichtKurz;
    lesezeichenMerken(api);
    const BerichtBestand bestand = Berichte::paketeLesen(api.database());
    const QList<BerichtPaket>& pakete = bestand.pakete;
    BerichtSeite s = Berichte::kurzfassung(pakete, api.clock().today(),
                                           fortschrittZeigen(api.ProgressBar1(), pakete.size()));
    modul.berichttext = s.text;
    return s;
}

BerichtSeite berichtDifferenz(MainWindowApi& api) {
    ModulAktien& modul = api.modul();
    modul.berichtart = BerichtDifferenz;
    lesezeichenMerken(api);
    const BerichtBestand bestand = Berichte::paketeLesen(api.database());
    const QList<BerichtPaket>& pakete = bestand.pakete;
    const Tageswerte werte = Berichte::tageswerteLesen(api.database());
    // The printout names the index as this report read it.
    modul.berichtindexname = werte.indexname;
    BerichtSeite s =
        Berichte::differenz(pakete, werte, fortschrittZeigen(api.ProgressBar1(), pakete.size()));
    modul.berichttext = s.text;
    return s;
}

void menuBerichtlang(MainWindowApi& api, const ModalRunner& modal) {
    ModulAktien& modul = api.modul();
    modul.berichtart = BerichtKomplett;
    lesezeichenMerken(api);
    const BerichtBestand bestand = Berichte::paketeLesen(api.database());
    const QList<BerichtPaket>& pakete = bestand.pakete;
    const BerichtSeite s = Berichte::komplettfassung(
        pakete, api.clock().today(), fortschrittZeigen(api.ProgressBar1(), pakete.size()));
    modul.berichttext = s.text;

    FormListe1 f(api, api.window());
    f.setWindowTitle(QStringLiteral("Bericht Komplettfassung"));
    f.berichtZeigen(s);
    zeigeModal(modal, f);
    api.ProgressBar1().hide();
    api.zumLesezeichen();
}

// ---------------------------------------------------------------- printouts

bool DruckeKurzbericht(MainWindowApi& api) {
    ModulAktien& modul = api.modul();
    modul.berichttext =
        Berichte::kurzfassungDruck(Berichte::paketeLesen(api.database()).pakete, api.clock().today());
    FormDruckRtf form;
    form.textSetzen(modul.berichttext);
    form.titelBetonen(Berichte::KurzDruckTitel, false);
    return form.drucken(api.drucker(), QStringLiteral("Bericht Kurzfassung"),
                        Drucker::Ausrichtung::Hochformat);
}

bool DruckeDifferenzbericht(MainWindowApi& api) {
    ModulAktien& modul = api.modul();
    modul.berichttext = Berichte::differenzDruck(Berichte::paketeLesen(api.database()).pakete,
                                                 Berichte::tageswerteLesen(api.database()),
                                                 modul.berichtindexname);
    FormDruckRtf form;
    form.textSetzen(modul.berichttext);
    form.titelBetonen(Berichte::DifferenzDruckTitel, true);
    form.kopfBetonen(Berichte::DifferenzDruckKopf, true);
    return form.drucken(api.drucker(), QStringLiteral("Bericht Differenz zum Vortag"),
                        Drucker::Ausrichtung::Hochformat);
}

void DruckeKomplettbericht(MainWindowApi& api, FormDruckRtf& form) {
    ModulAktien& modul = api.modul();
    modul.berichttext = Berichte::komplettfassungDruck(Berichte::paketeLesen(api.database()).pakete,
                                                       api.clock().today());
    form.caption = QStringLiteral("Bericht Komplettfassung");
    form.textSetzen(modul.berichttext);
    form.titelBetonen(Berichte::KomplettDruckTitel, true);
    form.kopfBetonen(Berichte::KomplettDruckKopf, false);
}

bool komplettberichtDrucken(MainWindowApi& api) {
    FormDruckRtf form;
    DruckeKomplettbericht(api, form);
    return form.drucken(api.drucker(), form.caption, Drucker::Ausrichtung::Querformat);
}

void berichtDrucken(MainWindowApi& api) {
    if (!api.dialogs().ask(api.window(), druckFrage())) return;
    switch (api.modul().berichtart) {
    case BerichtKurz:
        DruckeKurzbericht(api);
        break;
    case BerichtDifferenz:
        DruckeDifferenzbericht(api);
        break;
    default:
        // The complete report was called since this view was built; it
        // prints from its own window.
        api.dialogs().notice(api.window(),
                             QStringLiteral("Die Komplettfassung wird in ihrem eigenen Fenster "
                                            "gedruckt.\nBitte rufen Sie den angezeigten Bericht "
                                            "erneut auf, um ihn hier zu drucken."));
        break;
    }
}

// ---------------------------------------------------------------- order form

void DruckeBestellschein(MainWindowApi& api, const QString& programmVerzeichnis) {
    QWidget* w = api.window();
    if (!api.dialogs().ask(w, QStringLiteral("Möchten Sie einen Bestellschein drucken?"))) return;
    const QString pfad = QDir(programmVerzeichnis).filePath(QStringLiteral("bestellschein.txt"));
    if (!QFileInfo::exists(pfad)) {
        api.dialogs().notice(w, QStringLiteral("Die Datei \"bestellschein.txt\" wurde nicht "
                                               "gefunden!\nBitte kopieren Sie die Datei in das "
                                               "Programmverzeichnis."));
        return;
    }
    QFile datei(pfad);
    QByteArray roh;
    const bool gelesen = datei.open(QIODevice::ReadOnly) && ((roh = datei.readAll()),
                                                             datei.error() == QFileDevice::NoError);
    if (!gelesen) {
        api.dialogs().notice(w, QStringLiteral("Die Datei \"bestellschein.txt\" konnte nicht "
                                               "gelesen werden."));
        return;
    }
    // Printed as it stands, in the printer's plain typewriter face.
    QString text = bestellscheinText(roh);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    QTextDocument dokument;
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSize(10);
    dokument.setDefaultFont(schrift);
    dokument.setPlainText(text);
    api.drucker().dokument(QStringLiteral("Bestellschein"), dokument,
                           Drucker::Ausrichtung::Hochformat);
}
