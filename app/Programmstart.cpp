#include "app/Programmstart.h"

#include "app/Aktiendataform.h"
#include "app/FormGruss.h"
#include "app/Sicherung.h"
#include "app/JetUebernahme.h"
#include "app/Programmsperre.h"
#include "app/Startpruefung.h"
#include "core/Clock.h"
#include "db/Database.h"
#include "db/Dateipruefung.h"
#include "db/Journalpruefung.h"
#include "db/Verschluesselung.h"
#include "extras/pwfrage.h"
#include "platform/Dialogs.h"
#include <QDir>
#include <QFile>
#include <algorithm>

Programmstart::Programmstart(AppContext ctx, int grussMs, QObject* parent)
    : QObject(parent), m_ctx(std::move(ctx)), m_grussMs(grussMs) {}

Programmstart::~Programmstart() {
    if (m_gruss) delete m_gruss.data();
    // A session that began with a whole file and wrote to it only through
    // the engine leaves it whole: the next start need not read every page.
    const bool heil = m_haupt && m_pruefung && m_pruefung->fertig() && m_pruefung->ergebnis().ok &&
                      m_ctx.db.isOpen();
    const QString pfad = m_ctx.db.path();
    m_haupt.reset();
    if (heil) {
        m_ctx.db.close();
        Dateipruefung::alsHeilMerken(pfad);
    }
}

bool Programmstart::starten() {
    // Held until the program ends; it goes with this object.
    m_sperre = std::make_unique<Programmsperre>(m_ctx.programmVerzeichnis);
    if (m_sperre->sperren() == Programmsperre::Ergebnis::LaeuftSchon) {
        m_ctx.dialogs.notice(nullptr, Programmsperre::laeuftSchonText());
        m_exitCode = 1;
        return false;
    }
    const QString pfad = Database::resolveCase(
        QDir(m_ctx.programmVerzeichnis).filePath(QString::fromLatin1(Database::FileName)));
    if (!QFile::exists(pfad)) {
        m_ctx.dialogs.notice(nullptr, Aktiendataform::fehltText());
        m_exitCode = 1;
        return false;
    }
    JetUebernahme::resteEntfernen(m_ctx.programmVerzeichnis);
    // An old Jet-format file is taken over first, or the program ends here.
    if (const int ende = JetUebernahme(m_ctx.dialogs, m_ctx.clock).vorDemOeffnen(pfad);
        ende != JetUebernahme::Weiter) {
        m_exitCode = ende;
        return false;
    }
    // A journal beside the file is rolled back only when it belongs to it.
    const Journalpruefung::Ergebnis journal =
        Journalpruefung::vorDemOeffnen(pfad, m_ctx.clock.today());
    if (!journal.meldung.isEmpty()) m_ctx.dialogs.notice(nullptr, journal.meldung);
    if (!journal.weiter) {
        m_exitCode = 1;
        return false;
    }
    const Database::Status status = m_ctx.db.open(pfad);
    if (status != Database::Status::Ok && Verschluesselung::passwortNoetig(pfad, status)) {
        // Encrypted with the start password: it is asked for before anything is opened.
        m_frage = new pwfrage(m_ctx.modul, m_ctx.dialogs, [this, pfad](const QString& eingabe) {
            m_seitPasswort.start();
            const Verschluesselung::Oeffnung o =
                Verschluesselung::oeffnen(m_ctx.db, pfad, eingabe);
            pwfrage::Dateiversuch v;
            v.offen = o.status == Database::Status::Ok;
            if (o.status != Database::Status::WrongKey) v.meldung = o.meldung;
            m_exitCode = v.offen || v.meldung.isEmpty() ? 0 : 1;
            return v;
        });
        connect(m_frage, &pwfrage::angenommen, this, [this, pfad] { nachDemOeffnen(pfad); });
        // A wrong or empty entry and the close box end the program as at the
        // described prompt; the file stays as it is.
        connect(m_frage, &pwfrage::programmBeenden, this, [this] { emit beendet(m_exitCode); });
        m_frage->show();
        return true;
    }
    if (status != Database::Status::Ok) {
        // A damaged or foreign file is refused and left as it is.
        m_ctx.dialogs.notice(nullptr, m_ctx.db.message());
        m_exitCode = 1;
        return false;
    }
    nachDemOeffnen(pfad);
    return true;
}

void Programmstart::nachDemOeffnen(const QString& pfad) {
    // What an interrupted re-keying left in the marker goes.
    Verschluesselung::markeAufraeumen(m_ctx.db);
    // Checked while the start window is shown.
    m_pruefung = std::make_unique<Startpruefung>(pfad, m_ctx.db.connectText());
    m_pruefung->starten();
    // After the password prompt the start window counts from its OK: the
    // deliberately slow key derivation is part of the loading it stands for,
    // and the main window comes as soon after the entry as in any start.
    const int grussMs =
        m_seitPasswort.isValid()
            ? static_cast<int>(std::max<qint64>(0, m_grussMs - m_seitPasswort.elapsed()))
            : m_grussMs;
    m_gruss = new FormGruss(
        m_ctx.controls, [this] { nachDemGruss(); }, grussMs);
    m_gruss->show();
}

void Programmstart::nachDemGruss() {
    m_pruefung->abwarten();
    if (!m_pruefung->ergebnis().ok) {
        // Refused before anything is written; the file stays as it is.
        m_ctx.db.close();
        m_ctx.dialogs.notice(nullptr, m_pruefung->ergebnis().meldung);
        m_exitCode = 1;
        emit beendet(m_exitCode);
        return;
    }
    hauptfensterLaden();
}

void Programmstart::hauptfensterLaden() {
    m_haupt = std::make_unique<Aktiendataform>(m_ctx);
    connect(m_haupt.get(), &Aktiendataform::programmEnde, this, [this](int code) {
        m_exitCode = code;
        emit beendet(code);
    });
    m_haupt->Form_Load();
    if (!m_haupt->beendet()) Sicherung::taeglich(*m_haupt);
}

FormGruss* Programmstart::gruss() const {
    return m_gruss.data();
}
