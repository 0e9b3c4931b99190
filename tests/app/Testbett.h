#pragma once
// A main window on a fresh database in a temporary program directory, with
// scripted boxes, a fixed clock and recording help and editor.

// HelpViewer.h keeps a QPointer to a QTextBrowser: it must be complete.
#include <QTextBrowser>

#include "app/Aktiendataform.h"
#include "app/BerichtAnsicht.h"
#include "app/ChartAnsicht.h"
#include "app/KartenAnsicht.h"
#include "app/UebersichtAnsicht.h"
#include "core/Clock.h"
#include "core/ModulAktien.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Schema.h"
#include "platform/ControlLoader.h"
#include "platform/Dialogs.h"
#include "platform/Drucker.h"
#include "platform/HoverButton.h"
#include "support/FakeServices.h"
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

struct Testbett {
    QTemporaryDir dir;
    Database db;
    ModulAktien modul;
    ScriptedDialogs dialogs;
    FixedClock uhr{QDateTime(QDate(2024, 3, 15), QTime(10, 0))};
    FakeHelpService hilfe;
    FakeEditorLauncher editor;
    ControlLoader controls;
    PdfDrucker drucker{dir.filePath(QStringLiteral("Druck"))};
    std::unique_ptr<Aktiendataform> fenster;
    QStringList modalGeoeffnet;

    Testbett() : controls(QDir::temp().filePath(QStringLiteral("kapito-keine-steuerelemente"))) {
        QVERIFY(Schema::createEmptyDatabase(pfad(), uhr.today()));
        QCOMPARE(db.open(pfad()), Database::Status::Ok);
    }

    QString pfad() const { return dir.filePath(QStringLiteral("aktien.mdb")); }

    AppContext kontext() {
        return AppContext{db, modul, dialogs, uhr, hilfe, editor, controls, dir.path()};
    }

    static QVariant cur(const QString& text) {
        return QVariant::fromValue(Numbers::parseCurrency(text).value_or(Currency()));
    }

    Bookmark paket(const QString& aktie, int stueck, const QString& kaufpreis,
                   const QString& gebuehren, const QString& tageskurs,
                   const QString& altkurs = QStringLiteral("0"),
                   const QDate& kaufdatum = QDate(2024, 1, 2), double kursziel = 0,
                   double stopkurs = 0) {
        db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\", kaufpreis, \"gebühren\","
                               " datum, tageskurs, \"WP-KNummer\", altkurs, kaufdatum, kursziel,"
                               " stopkurs, dividende, notizen)"
                               " VALUES (?, ?, ?, ?, ?, ?, '840400', ?, ?, ?, ?, 0, '.')"),
                {aktie, stueck, cur(kaufpreis), cur(gebuehren), kaufdatum, cur(tageskurs),
                 cur(altkurs), kaufdatum, kursziel, stopkurs});
        return db.lastInsertRowId();
    }

    void kennwort(const QString& feld, const QVariant& wert) {
        db.exec(QStringLiteral("UPDATE kennwort SET \"%1\" = ?").arg(feld), {wert});
    }
    QVariant kennwortWert(const QString& feld) {
        return db.scalar(QStringLiteral("SELECT \"%1\" FROM kennwort").arg(feld));
    }

    /// Builds the window and runs its load.
    Aktiendataform& laden() {
        fenster = std::make_unique<Aktiendataform>(kontext());
        fenster->setModalRunner([this](QDialog& d) {
            modalGeoeffnet << QString::fromLatin1(d.metaObject()->className());
            return 0;
        });
        fenster->setDrucker(&drucker);
        fenster->Form_Load();
        return *fenster;
    }
};
