// Finding, creating and talking to controls by name, and the plain line that
// stands in when the control library is missing or broken.

#include "platform/ControlLoader.h"
#include "platform/ScrollLine.h"

#include <QColor>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

QString builtControls() {
    return qEnvironmentVariable("KAPITO_PROGRAM_DIR") + QStringLiteral("/steuerelemente");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class tst_ControlLoader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(!qEnvironmentVariable("KAPITO_PROGRAM_DIR").isEmpty(),
                 "KAPITO_PROGRAM_DIR is set by CTest");
    }

    void createsTextScrollByIdentifier() {
        ControlLoader loader(builtControls());
        QVERIFY(loader.identifiers().contains(ControlLoader::textScrollId()));
        QWidget host;
        QString error;
        QWidget* control = loader.create(ControlLoader::textScrollId(), &host, &error);
        QVERIFY2(control, qPrintable(error));
        QCOMPARE(control->parentWidget(), &host);
        QVERIFY(error.isEmpty());
        // A second instance from the same, already loaded library.
        QVERIFY(loader.create(ControlLoader::textScrollId(), &host));
    }

    void refusesWhatItCannotCreate_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QByteArray>("garbage"); // written as a library file, if any
        QTest::addColumn<bool>("useBuiltFolder");
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("unknown identifier")
            << "RollixTextScroll.TextRoll" << QByteArray() << true << "nicht registriert";
        QTest::newRow("empty folder")
            << ControlLoader::textScrollId() << QByteArray() << false << "nicht registriert";
        QTest::newRow("garbage library") << ControlLoader::textScrollId()
                                         << QByteArray("\x7f"
                                                       "ELF this is no library")
                                         << false << "Beschädigte";
        QTest::newRow("empty library file")
            << ControlLoader::textScrollId() << QByteArray("") << false << "Beschädigte";
    }
    void refusesWhatItCannotCreate() {
        QFETCH(QString, id);
        QFETCH(QByteArray, garbage);
        QFETCH(bool, useBuiltFolder);
        QFETCH(QString, reasonPart);
        QTemporaryDir tmp;
        QString dir = builtControls();
        if (!useBuiltFolder) {
            dir = tmp.path();
            if (QTest::currentDataTag() != QByteArray("empty folder"))
                writeFile(dir + QStringLiteral("/librollix.so"), garbage);
        }
        ControlLoader loader(dir);
        QWidget host;
        QString error;
        QCOMPARE(loader.create(id, &host, &error), nullptr);
        QVERIFY2(error.contains(reasonPart), qPrintable(error));
        QVERIFY2(error.contains(id), qPrintable(error));
        QCOMPARE(loader.lastError(), error);
        QVERIFY(host.findChildren<QWidget*>().isEmpty());
    }

    void missingFolderIsNamed() {
        ControlLoader loader(QStringLiteral("/nonexistent/steuerelemente"));
        QString error;
        QCOMPARE(loader.create(ControlLoader::textScrollId(), nullptr, &error), nullptr);
        QVERIFY2(error.contains(QStringLiteral("/nonexistent/steuerelemente")), qPrintable(error));
    }

    void propertiesOnlyByDeclaredName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("Caption") << QByteArray("Caption") << QVariant("Hallo") << true;
        QTest::newRow("Speed from a number") << QByteArray("Speed") << QVariant(25) << true;
        QTest::newRow("Alignment") << QByteArray("Alignment") << QVariant(2) << true;
        QTest::newRow("misspelled") << QByteArray("Captoin") << QVariant("Hallo") << false;
        QTest::newRow("wrong case") << QByteArray("caption") << QVariant("Hallo") << false;
        QTest::newRow("unconvertible value")
            << QByteArray("ForeColor") << QVariant::fromValue(QSize(1, 2)) << false;
    }
    void propertiesOnlyByDeclaredName() {
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        QFETCH(bool, accepted);
        ControlLoader loader(builtControls());
        QWidget host;
        QWidget* control = loader.create(ControlLoader::textScrollId(), &host);
        QVERIFY(control);
        QString error;
        QCOMPARE(setControlProperty(control, name.constData(), value, &error), accepted);
        QCOMPARE(error.isEmpty(), accepted);
        QVERIFY(control->dynamicPropertyNames().isEmpty());
        if (accepted)
            QCOMPARE(controlProperty(control, name.constData()).toString(), value.toString());
    }

    void methodsByName() {
        ControlLoader loader(builtControls());
        QWidget host;
        QWidget* control = loader.create(ControlLoader::textScrollId(), &host);
        QVERIFY(control);
        QString error;
        QVERIFY(invokeControl(control, "BeginScroll", &error));
        QVERIFY(invokeControl(control, "StopScroll", &error));
        QVERIFY(!invokeControl(control, "BeginScrol", &error));
        QVERIFY(error.contains(QStringLiteral("BeginScrol")));
        QVERIFY(!invokeControl(nullptr, "BeginScroll", &error));
    }

    void scrollLineFallsBackToPlainText() {
        QTemporaryDir tmp;
        writeFile(tmp.path() + QStringLiteral("/librollix.so"), QByteArray("kaputt"));
        ControlLoader broken(tmp.path());
        QWidget window;
        ScrollLine line(broken, QStringLiteral("Willkommen bei Kapito"), &window);
        QCOMPARE(line.control(), nullptr);
        QVERIFY(line.fallback());
        QCOMPARE(line.fallback()->text(), QStringLiteral("Willkommen bei Kapito"));
        QVERIFY(!line.reason().isEmpty());
        line.BeginScroll(); // harmless without the control
        line.StopScroll();
        QVERIFY(line.setControlValue("ForeColor", QColor(Qt::yellow)));
        QCOMPARE(line.fallback()->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        QVERIFY(!line.setControlValue("Speed", QStringLiteral("10")));

        ControlLoader real(builtControls());
        ScrollLine scrolling(real, QStringLiteral("Kurs"), &window);
        QVERIFY(scrolling.control());
        QCOMPARE(scrolling.fallback(), nullptr);
        QCOMPARE(controlProperty(scrolling.control(), "Caption").toString(),
                 QStringLiteral("Kurs"));
        auto* timer = scrolling.control()->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer);
        scrolling.BeginScroll();
        QVERIFY(timer->isActive());
        scrolling.StopScroll();
        QVERIFY(!timer->isActive());
    }
};

QTEST_MAIN(tst_ControlLoader)
#include "tst_controlloader.moc"
