#include "app/Startpruefung.h"

#include <QEventLoop>
#include <QThread>

Startpruefung::Startpruefung(QString pfad, QString connect, QObject* parent)
    : QObject(parent), m_pfad(std::move(pfad)), m_connect(std::move(connect)) {}

Startpruefung::~Startpruefung() {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void Startpruefung::starten() {
    if (m_thread) return;
    m_thread = QThread::create([this] {
        m_ergebnis = Dateipruefung::pruefen(m_pfad, m_connect);
        // A whole file gets the indexes an earlier version did not make.
        if (m_ergebnis.ok) Dateipruefung::nachruesten(m_pfad, m_connect);
    });
    // Delivered on this object's thread: the result is complete by then.
    connect(m_thread, &QThread::finished, this, [this] {
        m_fertig = true;
        emit beendet();
    });
    m_thread->start();
}

void Startpruefung::abwarten() {
    if (m_fertig || !m_thread) return;
    QEventLoop warten;
    connect(this, &Startpruefung::beendet, &warten, &QEventLoop::quit);
    if (!m_fertig) warten.exec();
}
