// The scrolling-text control as a host sees it: by member name only.

#include "platform/ControlLoader.h"
#include "rollix/PropertyBag.h"
#include "support/Bedienelemente.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {

// The host's property store: remembers what was read and written, in order.
class RecordingBag final : public PropertyBag {
public:
    QVariantMap values;
    mutable QStringList reads;
    QStringList writes;
    QVariant read(const QString& key, const QVariant& def) const override {
        reads.append(key);
        return values.value(key, def);
    }
    void write(const QString& key, const QVariant& value) override {
        writes.append(key);
        values.insert(key, value);
    }
};

const QStringList kStoreOrder{"Speed",     "Caption", "Appearance", "ForeColor",
                              "BackColor", "Font",    "Alignment"};

} // namespace

class MailRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class tst_TextScroll : public QObject {
    Q_OBJECT

    std::unique_ptr<ControlLoader> m_loader;
    std::unique_ptr<QWidget> m_host;

    QWidget* newControl(int width = 200, int height = 30) {
        QWidget* c = m_loader->create(ControlLoader::textScrollId(), m_host.get());
        if (c) c->resize(width, height);
        return c;
    }
    static QLabel* caption(QWidget* c) {
        return c->findChild<QLabel*>(QStringLiteral("lblCaption"));
    }
    static QTimer* timer(QWidget* c) { return c->findChild<QTimer*>(QStringLiteral("Timer1")); }
    static void tick(QWidget* c, int times = 1) {
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(c, "tick");
    }
    static void writeTo(QWidget* c, RecordingBag& bag) {
        QVERIFY(QMetaObject::invokeMethod(c, "WriteProperties", Q_ARG(PropertyBag*, &bag)));
    }
    static void readFrom(QWidget* c, RecordingBag& bag) {
        QVERIFY(QMetaObject::invokeMethod(c, "ReadProperties", Q_ARG(PropertyBag*, &bag)));
    }

private slots:
    void init() {
        m_loader = std::make_unique<ControlLoader>(qEnvironmentVariable("KAPITO_PROGRAM_DIR") +
                                                   QStringLiteral("/steuerelemente"));
        m_host = std::make_unique<QWidget>();
    }
    void cleanup() { m_host.reset(); }

    void designState() {
        QWidget* c = newControl();
        QVERIFY(c);
        QCOMPARE(controlProperty(c, "Caption").toString(), QStringLiteral("Rollix"));
        QCOMPARE(controlProperty(c, "Speed").toString(), QStringLiteral("50"));
        QCOMPARE(controlProperty(c, "ForeColor").value<QColor>(), QColor(0, 255, 0));
        QVERIFY(!timer(c)->isActive()); // stopped until BeginScroll
        QCOMPARE(caption(c)->x(), 0);
        // The whole text fits its label, so it leaves completely before it re-enters.
        setControlProperty(c, "Caption", QStringLiteral("Ein recht langer Text, der laufen soll"));
        QVERIFY(caption(c)->width() >= caption(c)->sizeHint().width());
    }

    void ticksMoveBySpeed_data() {
        QTest::addColumn<QString>("speed");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("expectedX"); // pixels, 15 twips each
        QTest::newRow("default 50 twips") << "50" << 3 << -10;
        QTest::newRow("one pixel a tick") << "15" << 4 << -4;
        QTest::newRow("zero stands still") << "0" << 25 << 0;
        QTest::newRow("negative moves right") << "-30" << 5 << 10;
        QTest::newRow("no number stands still") << "schnell" << 5 << 0;
        // A host's store may hold any text: no speed moves the text beyond reach.
        QTest::newRow("infinite stands still") << "inf" << 5 << 0;
        QTest::newRow("not a number stands still") << "nan" << 5 << 0;
        QTest::newRow("huge leaves and re-enters") << "1e300" << 2 << 200;
        QTest::newRow("huge negative stops far right") << "-1e300" << 3 << 16'000'000;
    }
    void ticksMoveBySpeed() {
        QFETCH(QString, speed);
        QFETCH(int, ticks);
        QFETCH(int, expectedX);
        QWidget* c = newControl();
        QVERIFY(setControlProperty(c, "Speed", speed));
        tick(c, ticks);
        QCOMPARE(caption(c)->x(), expectedX);
    }

    void reentersAtRightEdgeOnlyOnceGone() {
        QWidget* c = newControl(200, 30);
        setControlProperty(c, "Speed", QStringLiteral("150")); // 10 px a tick
        const int w = caption(c)->width();
        QList<int> xs{caption(c)->x()};
        for (int i = 0; i < 200 && xs.last() <= 0; ++i) {
            tick(c);
            xs.append(caption(c)->x());
        }
        QCOMPARE(xs.last(), 200);              // re-entered at the right edge
        const int gone = xs.at(xs.size() - 2); // position before the re-entry
        QVERIFY2(gone + w < 0, "text had left completely");
        QVERIFY2(xs.at(xs.size() - 3) + w >= 0, "and re-entered at the first tick after");
        tick(c);
        QCOMPARE(caption(c)->x(), 190); // and goes on moving left
    }

    void negativeSpeedDoesNotWrap() {
        QWidget* c = newControl(200, 30);
        setControlProperty(c, "Speed", QStringLiteral("-150"));
        tick(c, 100);
        QCOMPARE(caption(c)->x(), 1000);
    }

    void stopPutsTextBackAndBeginMovesOn() {
        QWidget* c = newControl();
        QVERIFY(invokeControl(c, "BeginScroll"));
        QVERIFY(timer(c)->isActive());
        tick(c, 6);
        QCOMPARE(caption(c)->x(), -20);
        QVERIFY(invokeControl(c, "StopScroll"));
        QVERIFY(!timer(c)->isActive());
        QCOMPARE(caption(c)->x(), 0);
        QVERIFY(invokeControl(c, "BeginScroll"));
        tick(c, 3);
        QCOMPARE(caption(c)->x(), -10);
        // Stopping and starting again does not jump.
        QVERIFY(invokeControl(c, "StopScroll"));
        QVERIFY(invokeControl(c, "BeginScroll"));
        QCOMPARE(caption(c)->x(), 0);
    }

    void visibleSpeedIsAboutTwoHundredPixelsPerSecond() {
        QWidget* c = newControl(4000, 30);
        QCOMPARE(timer(c)->interval(), 16);
        QElapsedTimer clock;
        clock.start();
        invokeControl(c, "BeginScroll");
        QTest::qWait(400);
        const int moved = -caption(c)->x();
        const qint64 ms = clock.elapsed();
        invokeControl(c, "StopScroll");
        // 50/15 px per tick of at least ~15 ms: about 200 px/s, never sixty times that.
        QVERIFY2(moved > 0, "it moves");
        QVERIFY2(moved <= (ms / 15 + 2) * 50 / 15, qPrintable(QString::number(moved)));
    }

    void centresVerticallyOnResize_data() {
        QTest::addColumn<int>("height");
        QTest::newRow("taller") << 80;
        QTest::newRow("odd height") << 41;
        QTest::newRow("shorter than the text") << 8;
    }
    void centresVerticallyOnResize() {
        QFETCH(int, height);
        QWidget* c = newControl(200, 30);
        m_host->show(); // a hidden widget gets its resize events only when shown
        tick(c, 3);
        const int x = caption(c)->x();
        c->resize(200, height);
        QLabel* l = caption(c);
        QCOMPARE(l->y(), height / 2 - l->height() / 2);
        QCOMPARE(l->x(), x); // horizontal position untouched
    }

    void storeSkipsDefaults() {
        QWidget* c = newControl();
        RecordingBag bag;
        writeTo(c, bag);
        QCOMPARE(bag.writes, QStringList());
        // Values put back to their defaults are not stored either.
        setControlProperty(c, "Speed", QStringLiteral("20"));
        setControlProperty(c, "Speed", QStringLiteral("50"));
        writeTo(c, bag);
        QCOMPARE(bag.writes, QStringList());
    }

    void storeWritesOnlyChanged_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Speed") << "Speed" << QVariant(QStringLiteral("20"));
        QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("Kurse"));
        QTest::newRow("Appearance") << "Appearance" << QVariant(1);
        QTest::newRow("ForeColor") << "ForeColor" << QVariant(QColor(Qt::red));
        QTest::newRow("BackColor") << "BackColor" << QVariant(QColor(Qt::blue));
        QFont bold = QApplication::font();
        bold.setBold(true);
        QTest::newRow("Font") << "Font" << QVariant(bold);
        QTest::newRow("Alignment") << "Alignment" << QVariant(2);
    }
    void storeWritesOnlyChanged() {
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QWidget* c = newControl();
        QVERIFY(setControlProperty(c, name.toLatin1().constData(), value));
        RecordingBag bag;
        writeTo(c, bag);
        QCOMPARE(bag.writes, QStringList{name});
        // Read back into a fresh control.
        QWidget* d = newControl();
        readFrom(d, bag);
        QCOMPARE(controlProperty(d, name.toLatin1().constData()),
                 controlProperty(c, name.toLatin1().constData()));
    }

    void storeOrderAndRoundTrip() {
        QWidget* c = newControl();
        QFont font = QApplication::font();
        font.setItalic(true);
        const QList<QPair<const char*, QVariant>> changes{{"Alignment", 1},
                                                          {"Font", font},
                                                          {"BackColor", QColor(Qt::darkBlue)},
                                                          {"ForeColor", QColor(Qt::yellow)},
                                                          {"Appearance", 1},
                                                          {"Caption", QStringLiteral("Willkommen")},
                                                          {"Speed", QStringLiteral("-5")}};
        for (const auto& [name, value] : changes)
            QVERIFY(setControlProperty(c, name, value));
        RecordingBag bag;
        writeTo(c, bag);
        QCOMPARE(bag.writes, kStoreOrder);

        QWidget* d = newControl();
        readFrom(d, bag);
        QCOMPARE(bag.reads, kStoreOrder);
        for (const QString& key : kStoreOrder)
            QCOMPARE(controlProperty(d, key.toLatin1().constData()),
                     controlProperty(c, key.toLatin1().constData()));

        // An empty store gives the defaults back.
        RecordingBag empty;
        readFrom(d, empty);
        RecordingBag again;
        writeTo(d, again);
        QCOMPARE(again.writes, QStringList());
    }

    void outOfRangeValuesAreIgnored_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("value");
        QTest::newRow("Appearance 2") << "Appearance" << 2;
        QTest::newRow("Alignment 3") << "Alignment" << 3;
        QTest::newRow("Alignment -1") << "Alignment" << -1;
    }
    void outOfRangeValuesAreIgnored() {
        QFETCH(QString, name);
        QFETCH(int, value);
        QWidget* c = newControl();
        setControlProperty(c, name.toLatin1().constData(), value);
        QCOMPARE(controlProperty(c, name.toLatin1().constData()).toInt(), 0);
    }

    void aboutDialog() {
        QWidget* c = newControl();
        QVERIFY(invokeControl(c, "DispAbout"));
        QPointer<QDialog> about = c->findChild<QDialog*>(QStringLiteral("frmAbout"));
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QVERIFY(about->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(about->windowTitle(), QStringLiteral("About Rollix"));
        auto text = [&](const char* name) {
            return about->findChild<QLabel*>(QLatin1String(name))->text();
        };
        QCOMPARE(text("lblTitle"), QStringLiteral("Rollix"));
        QCOMPARE(text("lblVersion"), QStringLiteral("Version 1.0.0"));
        QCOMPARE(text("Label1"), QStringLiteral("Email :"));
        // Every control has a name; Enter presses OK, the dialog's only button.
        QCOMPARE(unbenannteBedienelemente(about), QStringList());
        QCOMPARE(standardknoepfe(about, {QStringLiteral("cmdOK")}), QStringList());

        QLabel* link = about->findChild<QLabel*>(QStringLiteral("Label2"));
        auto linkColor = [link] { return link->palette().color(QPalette::WindowText); };
        QCOMPARE(linkColor(), QColor(Qt::black));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(link, &enter);
        QCOMPARE(linkColor(), QColor(0, 0, 255));
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), about->mapToGlobal(QPointF(1, 1)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(about, &move);
        QCOMPARE(linkColor(), QColor(Qt::black));

        MailRecorder mail;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "open");
        QTest::mouseClick(link, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(mail.opened.size(), 1);
        QCOMPARE(mail.opened.first().scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.opened.first().path(), link->text());

        QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!about);
    }
};

QTEST_MAIN(tst_TextScroll)
#include "tst_textscroll.moc"
