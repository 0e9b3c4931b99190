#include "db/Verschluesselung.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QSaveFile>
#include <openssl/evp.h>

namespace Verschluesselung {

namespace {

constexpr qsizetype SalzLaenge = 16;
constexpr qsizetype SchluesselLaenge = 32;
constexpr int PageSize = 1024;
constexpr const char* Kopfzeile = "Kapito Verschluesselung 1";

QByteArray ableiten(const QString& passwort, const QByteArray& salz, int runden) {
    const QByteArray pw = passwort.toUtf8();
    QByteArray key(SchluesselLaenge, '\0');
    if (PKCS5_PBKDF2_HMAC(pw.constData(), int(pw.size()),
                          reinterpret_cast<const unsigned char*>(salz.constData()),
                          int(salz.size()), runden, EVP_sha256(), int(SchluesselLaenge),
                          reinterpret_cast<unsigned char*>(key.data())) != 1)
        return {};
    return key;
}

QByteArray pruefwertVon(const QByteArray& key) {
    return QMessageAuthenticationCode::hash("Kapito Pruefwert", key, QCryptographicHash::Sha256)
        .left(SalzLaenge);
}

QString keyText(const QByteArray& key, const QByteArray& salz) {
    return QStringLiteral("x'") + QString::fromLatin1(key.toHex()) +
           QString::fromLatin1(salz.toHex()) + QLatin1Char('\'');
}

// The salt inside a key text from a password; empty for the program's key.
QByteArray salzAus(const QString& key) {
    if (key.size() != 3 + 2 * (SchluesselLaenge + SalzLaenge) ||
        !key.startsWith(QLatin1String("x'")) || !key.endsWith(QLatin1Char('\'')))
        return {};
    return QByteArray::fromHex(key.mid(2 + 2 * SchluesselLaenge, 2 * SalzLaenge).toLatin1());
}

QByteArray dateiSalz(const QString& datei) {
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray s = f.read(SalzLaenge);
    return s.size() == SalzLaenge ? s : QByteArray();
}

bool markeSchreiben(const QString& datei, const QList<Eintrag>& eintraege) {
    QSaveFile f(markePfad(datei));
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray text = QByteArray(Kopfzeile) + '\n';
    for (const Eintrag& e : eintraege)
        text += e.salz.toHex() + ' ' + QByteArray::number(e.runden) + ' ' + e.pruefwert.toHex() +
                '\n';
    // commit() writes to a new file, syncs it and renames it into place.
    if (f.write(text) != text.size() || !f.commit()) return false;
    Kompaktierung::ordnerSichern(QFileInfo(datei).absolutePath());
    return true;
}

} // namespace

bool markeEntfernen(const QString& datei) {
    const QString marke = markePfad(datei);
    if (!QFileInfo::exists(marke)) return true;
    if (!QFile::remove(marke)) return false;
    Kompaktierung::ordnerSichern(QFileInfo(datei).absolutePath());
    return true;
}

QString markePfad(const QString& datei) {
    return datei + QLatin1String(MarkeEndung);
}

bool hatMarke(const QString& datei) {
    return QFileInfo(markePfad(datei)).isFile();
}

QList<Eintrag> markeLesen(const QString& datei) {
    QList<Eintrag> liste;
    QFile f(markePfad(datei));
    // A marker is a few lines; anything large is not ours.
    if (!f.open(QIODevice::ReadOnly) || f.size() > 4096) return liste;
    const QList<QByteArray> zeilen = f.readAll().split('\n');
    if (zeilen.isEmpty() || zeilen.first().trimmed() != Kopfzeile) return liste;
    for (qsizetype i = 1; i < zeilen.size(); ++i) {
        const QList<QByteArray> teile = zeilen.at(i).simplified().split(' ');
        if (teile.size() != 3) continue;
        Eintrag e;
        bool ok = false;
        e.salz = QByteArray::fromHex(teile.at(0));
        e.runden = teile.at(1).toInt(&ok);
        e.pruefwert = QByteArray::fromHex(teile.at(2));
        if (ok && e.runden > 0 && e.salz.size() == SalzLaenge && e.pruefwert.size() == SalzLaenge)
            liste << e;
    }
    return liste;
}

QString schluessel(const QString& passwort, const Eintrag& eintrag) {
    const QByteArray key = ableiten(passwort, eintrag.salz, eintrag.runden);
    return key.isEmpty() ? QString() : keyText(key, eintrag.salz);
}

Eintrag neuerEintrag(const QString& passwort, int runden, QString* key) {
    Eintrag e;
    e.runden = runden;
    e.salz.resize(SalzLaenge);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32*>(e.salz.data()),
                                         reinterpret_cast<quint32*>(e.salz.data() + SalzLaenge));
    const QByteArray k = ableiten(passwort, e.salz, runden);
    e.pruefwert = k.isEmpty() ? QByteArray() : pruefwertVon(k);
    if (key) *key = k.isEmpty() ? QString() : keyText(k, e.salz);
    return e;
}

bool mitPasswort(const Database& db) {
    return db.isOpen() && !salzAus(Database::keyFromConnect(db.connectText())).isEmpty();
}

bool passwortNoetig(const QString& datei, Database::Status status) {
    if (!hatMarke(datei) || Database::hasPlainHeader(datei)) return false;
    switch (status) {
    case Database::Status::WrongKey:
    case Database::Status::Damaged:
        return true;
    case Database::Status::NotADatabase:
        // Cut short to less than a page, it no longer looks like one of ours.
        return QFileInfo(datei).size() < PageSize;
    default:
        return false;
    }
}

Oeffnung oeffnen(Database& db, const QString& datei, const QString& passwort) {
    Oeffnung o;
    const QString pfad = Database::resolveCase(datei);
    const QString name = QFileInfo(pfad).fileName();
    if (!QFileInfo(pfad).isFile()) {
        o.status = db.open(pfad);
        o.meldung = db.message();
        return o;
    }
    const QByteArray salz = dateiSalz(pfad);
    const QList<Eintrag> eintraege = markeLesen(pfad);
    const Eintrag* passend = nullptr;
    for (const Eintrag& e : eintraege)
        if (!salz.isEmpty() && e.salz == salz) passend = &e;

    if (eintraege.isEmpty()) {
        // No marker to ask: the password either opens the copy or it does not.
        Eintrag e;
        e.salz = salz;
        const QString key = salz.isEmpty() ? QString() : schluessel(passwort, e);
        if (!key.isEmpty() && db.open(pfad, QStringLiteral(";pwd=") + key) == Database::Status::Ok) {
            o.status = Database::Status::Ok;
            return o;
        }
        o.status = Database::Status::WrongKey;
        return o;
    }
    // The marker knows every key the file may have; a start that fits none
    // of them was changed after it was written.
    if (!passend) {
        o.status = Database::Status::Damaged;
        o.meldung = Database::damagedMessage(name);
        return o;
    }
    const QByteArray key = ableiten(passwort, passend->salz, passend->runden);
    if (key.isEmpty() || pruefwertVon(key) != passend->pruefwert) {
        o.status = Database::Status::WrongKey;
        return o;
    }
    o.status = db.open(pfad, QStringLiteral(";pwd=") + keyText(key, passend->salz));
    switch (o.status) {
    case Database::Status::Ok:
        return o;
    case Database::Status::Missing:
    case Database::Status::Failed:
        o.meldung = db.message();
        return o;
    default:
        // The right key does not open it: damaged, whatever the engine thinks.
        o.status = Database::Status::Damaged;
        o.meldung = Database::damagedMessage(name);
        return o;
    }
}

Kompaktierung::Ergebnis umschluesseln(Database& db, const QString& passwort,
                                      const QString& speicherform, int runden) {
    Kompaktierung::Ergebnis e;
    if (!db.isOpen()) {
        e.meldung = QStringLiteral("Die Datenbank ist nicht geöffnet.");
        return e;
    }
    QString neuerKey = Database::keyFromConnect(QString::fromLatin1(Database::ConnectText));
    Eintrag eintrag;
    if (!passwort.isEmpty()) {
        eintrag = neuerEintrag(passwort, runden, &neuerKey);
        if (neuerKey.isEmpty()) {
            e.meldung = QStringLiteral("Der Schlüssel konnte nicht gebildet werden.");
            return e;
        }
    }
    const auto job = db.beginCompact();
    if (!job) {
        e.meldung = db.message();
        return e;
    }
    const QString pfad = job->path;
    // The old entries stay listed until the new file is in place.
    const QList<Eintrag> alte = markeLesen(pfad);

    Kompaktierung::NeuerSchluessel neu;
    neu.key = neuerKey;
    neu.inDerKopie = [&speicherform](Database& kopie) {
        return kopie.exec(QStringLiteral("UPDATE kennwort SET passwort = ?1"), {speicherform});
    };
    neu.vorDemErsetzen = [&] {
        return passwort.isEmpty() || markeSchreiben(pfad, QList<Eintrag>(alte) << eintrag);
    };
    e = Kompaktierung::umschluesseln(pfad, job->key, neu);
    if (e.ok) {
        // Failing here leaves an entry too many, which the next start removes.
        if (passwort.isEmpty())
            markeEntfernen(pfad);
        else
            markeSchreiben(pfad, {eintrag});
    }
    const QString key = e.ok ? neuerKey : job->key;
    if (db.open(pfad, QStringLiteral(";pwd=") + key) != Database::Status::Ok) {
        if (e.ok) e.meldung = db.message();
        else e.meldung += QStringLiteral("\r\nDie Datenbank konnte nicht wieder geöffnet werden.");
        e.ok = false;
    }
    return e;
}

void markeAufraeumen(const Database& db) {
    if (!db.isOpen() || !hatMarke(db.path())) return;
    const QByteArray salz = salzAus(Database::keyFromConnect(db.connectText()));
    if (salz.isEmpty()) {
        markeEntfernen(db.path());
        return;
    }
    const QList<Eintrag> eintraege = markeLesen(db.path());
    if (eintraege.size() <= 1) return;
    for (const Eintrag& e : eintraege)
        if (e.salz == salz) markeSchreiben(db.path(), {e});
}

bool markeErgaenzen(const QString& datei, const Database& neu) {
    const QByteArray salz = salzAus(Database::keyFromConnect(neu.connectText()));
    if (salz.isEmpty()) return true;
    QList<Eintrag> eintraege = markeLesen(datei);
    for (const Eintrag& e : eintraege)
        if (e.salz == salz) return true;
    for (const Eintrag& e : markeLesen(neu.path()))
        if (e.salz == salz) return markeSchreiben(datei, eintraege << e);
    return false;
}

bool markeKopieren(const QString& von, const QString& nach) {
    const QList<Eintrag> eintraege = markeLesen(von);
    return eintraege.isEmpty() ? markeEntfernen(nach) : markeSchreiben(nach, eintraege);
}

bool markeFuerKopie(const Database& db, const QString& ziel) {
    const QByteArray salz = salzAus(Database::keyFromConnect(db.connectText()));
    if (salz.isEmpty()) return markeEntfernen(ziel);
    for (const Eintrag& e : markeLesen(db.path()))
        if (e.salz == salz) return markeSchreiben(ziel, {e});
    return false;
}

} // namespace Verschluesselung
