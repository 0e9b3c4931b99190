// The information window: release line, gradient, closing by click.

#include "extras/FormInfo.h"
#include "platform/ControlLoader.h"
#include "platform/ScrollLine.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QString builtControls() {
    return qEnvironmentVariable("KAPITO_PROGRAM_DIR") + QStringLiteral("/steuerelemente");
}

QTimer* scrollTimer(FormInfo& f) {
    QWidget* c = f.TextScroll1->control();
    return c ? c->findChild<QTimer*>(QStringLiteral("Timer1")) : nullptr;
}

} // namespace

class tst_FormInfo : public QObject {
    Q_OBJECT
private slots:
    void releaseLineFromVersionRecord() {
        ControlLoader controls(builtControls());
        FormInfo f(controls);
        QCOMPARE(f.Label8->text(), QStringLiteral("Kapito 3.6"));
        const QString version = QStringLiteral("%1.%2.%3")
                                    .arg(KAPITO_VERSION_MAJOR)
                                    .arg(KAPITO_VERSION_MINOR)
                                    .arg(KAPITO_VERSION_PATCH);
        QCOMPARE(version, QStringLiteral("3.6.0")); // the project's version
        QCOMPARE(f.Label1->text(), QStringLiteral("\n\n                      Release ") + version);
    }

    void loadStartsTheScrollingLine() {
        ControlLoader controls(builtControls());
        FormInfo f(controls);
        QVERIFY2(f.TextScroll1->control(), qPrintable(f.TextScroll1->reason()));
        QCOMPARE(controlProperty(f.TextScroll1->control(), "Caption").toString(),
                 FormInfo::lauftext());
        QVERIFY(scrollTimer(f)->isActive());
    }

    void clickClosesAndStops_data() {
        QTest::addColumn<QString>("target"); // empty: the window's free area
        QTest::addColumn<bool>("closes");
        QTest::newRow("window") << QString() << true;
        QTest::newRow("Image1") << "Image1" << true;
        QTest::newRow("Label1") << "Label1" << true;
        QTest::newRow("Label8") << "Label8" << true;
        QTest::newRow("scrolling line") << "TextScroll1" << false;
    }
    void clickClosesAndStops() {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        ControlLoader controls(builtControls());
        FormInfo f(controls);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QWidget* w = target.isEmpty() ? static_cast<QWidget*>(&f) : f.findChild<QWidget*>(target);
        QVERIFY(w);
        // The free area: the right end of the window's middle.
        const QPoint at =
            target.isEmpty() ? QPoint(f.width() - 5, f.height() / 2) : w->rect().center();
        if (target == QLatin1String("TextScroll1"))
            QTest::mouseClick(f.TextScroll1->control(), Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::mouseClick(w, Qt::LeftButton, {}, at);
        QCOMPARE(f.isVisible(), !closes);
        QCOMPARE(scrollTimer(f)->isActive(), !closes);
        if (closes) {
            QCOMPARE(
                f.TextScroll1->control()->findChild<QWidget*>(QStringLiteral("lblCaption"))->x(),
                0);
        }
    }

    void backgroundFadesFromBlueToBlack() {
        QTemporaryDir noControls; // the plain fallback line is enough here
        ControlLoader controls(noControls.path());
        FormInfo f(controls);
        const QImage img = f.grab().toImage();
        const int h = img.height();
        auto blueAt = [&](double share) { return QColor(img.pixel(2, int(h * share))).blue(); };
        QCOMPARE(QColor(img.pixel(2, 2)), QColor(0, 0, 255));
        QCOMPARE(blueAt(0.45), 255);
        QVERIFY(qAbs(blueAt(0.75) - 127) <= 2);
        QVERIFY(blueAt(0.999) <= 2);
        QCOMPARE(QColor(img.pixel(2, int(h * 0.75))).red(), 0);
    }

    void opensWithoutControlLibrary() {
        QTemporaryDir noControls;
        ControlLoader controls(noControls.path());
        FormInfo f(controls);
        QVERIFY(f.TextScroll1->fallback());
        QCOMPARE(f.TextScroll1->fallback()->text(), FormInfo::lauftext());
        f.show();
        QTest::mouseClick(f.Label8, Qt::LeftButton);
        QVERIFY(!f.isVisible());
    }
};

QTEST_MAIN(tst_FormInfo)
#include "tst_forminfo.moc"
