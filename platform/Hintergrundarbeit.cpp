#include "platform/Hintergrundarbeit.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <memory>

void imHintergrund(const std::function<void()>& arbeit, const std::function<void()>& anzeigen,
                   int intervallMs) {
    std::unique_ptr<QThread> faden(QThread::create(arbeit));
    QEventLoop warten;
    QObject::connect(faden.get(), &QThread::finished, &warten, &QEventLoop::quit);
    QTimer anzeige;
    anzeige.setInterval(intervallMs);
    QObject::connect(&anzeige, &QTimer::timeout, &warten, [&anzeigen] {
        if (anzeigen) anzeigen();
    });
    anzeige.start();
    faden->start();
    warten.exec();
    faden->wait();
    anzeige.stop();
}
