#include "support/FakeMainWindow.h"

#include "core/Bewertung.h"
#include "core/Numbers.h"
#include "db/Depot.h"

FakeMainWindow::FakeMainWindow(const QString& dbPath, QDateTime now) : m_clock(std::move(now)) {
    m_fortschritt = new QProgressBar(&m_window);
    m_fortschritt->hide();
    m_db.open(dbPath);
    m_daten1.reset(Recordset::openTable(m_db, QStringLiteral("Aktiendaten")));
    m_daten2.reset(Recordset::openTable(m_db, QStringLiteral("kennwort")));
    m_daten3.reset(Recordset::openTable(m_db, QStringLiteral("kurse")));
    m_daten4.reset(Recordset::openTable(m_db, QStringLiteral("Indexkurse")));
    m_daten2->moveFirst();
    SummenAktualisieren();
    PaketeZaehlen();
}

FakeMainWindow::~FakeMainWindow() = default;

bool FakeMainWindow::ohneDatensaetze(const std::function<bool()>& arbeit) {
    m_daten1.reset();
    m_daten2.reset();
    m_daten3.reset();
    m_daten4.reset();
    const bool ok = arbeit();
    m_daten1.reset(Recordset::openTable(m_db, QStringLiteral("Aktiendaten")));
    m_daten2.reset(Recordset::openTable(m_db, QStringLiteral("kennwort")));
    m_daten3.reset(Recordset::openTable(m_db, QStringLiteral("kurse")));
    m_daten4.reset(Recordset::openTable(m_db, QStringLiteral("Indexkurse")));
    if (m_daten2) m_daten2->moveFirst();
    return ok;
}

void FakeMainWindow::SummenAktualisieren() {
    ++summenCalls;
    // As the main window: exact, and a total that cannot be formed shows no number.
    const auto summen = Depot::summen(m_db);
    if (!summen) {
        m_gesamtwertText = zuGrossAnzeige();
        return;
    }
    const Summen s = summenTexte(summen->wert, summen->kauf);
    m_modul.Gesamtwert = summen->wert;
    m_gesamtwertText = s.labelGesamtwert;
}

void FakeMainWindow::PaketeZaehlen() {
    ++zaehlenCalls;
    m_modul.AnzahlPakete =
        m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM Aktiendaten")).toInt();
}

void FakeMainWindow::zumLesezeichen() {
    if (m_modul.lesezeichen >= 0) m_daten1->setBookmark(m_modul.lesezeichen);
}

QString FakeMainWindow::aktieText() const {
    return m_daten1->hasCurrent() ? m_daten1->text(QStringLiteral("aktie")) : QString();
}

QString FakeMainWindow::tageskursText() const {
    return m_daten1->hasCurrent() ? m_daten1->currency(QStringLiteral("tageskurs")).format00()
                                  : QString();
}

Bookmark FakeMainWindow::addPaket(const QString& aktie, int stueck, const QString& kaufpreis,
                                  const QString& gebuehren, const QString& tageskurs,
                                  const QDate& kaufdatum) {
    auto cur = [](const QString& t) { return QVariant::fromValue(*Numbers::parseCurrency(t)); };
    m_db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\", kaufpreis, \"gebühren\","
                             " datum, tageskurs, \"WP-KNummer\", altkurs, kaufdatum, kursziel,"
                             " stopkurs, dividende, notizen)"
                             " VALUES (?, ?, ?, ?, ?, ?, '123456', 0, ?, 0, 0, 0, '.')"),
              {aktie, stueck, cur(kaufpreis), cur(gebuehren), kaufdatum, cur(tageskurs),
               kaufdatum});
    const Bookmark b = m_db.lastInsertRowId();
    m_daten1->requery();
    m_daten1->setBookmark(b);
    return b;
}

void FakeMainWindow::addBuchung(const QDate& datum, const QString& text, const QString& summe) {
    m_db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
              {datum, text, QVariant::fromValue(*Numbers::parseCurrency(summe))});
}
