// Hands the scrolling-text control a property store holding whatever a
// host's store may hold — any key's value of any type — then lets it scroll,
// resizes it and stores its properties again. Nothing may fault, and what the
// control stores reads back to the same stored values.
#include "rollix/TextScroll.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QVariantMap>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

void pruefe(bool ok) {
    if (!ok) std::abort();
}

class Speicher final : public PropertyBag {
public:
    QVariantMap werte;
    QVariant read(const QString& key, const QVariant& def) const override {
        return werte.value(key, def);
    }
    void write(const QString& key, const QVariant& value) override { werte.insert(key, value); }
};

const char* const Schluessel[] = {"Speed",     "Caption", "Appearance", "ForeColor",
                                  "BackColor", "Font",    "Alignment"};

QString text(FuzzedDataProvider& f) {
    return QString::fromUtf8(f.ConsumeRandomLengthString(40));
}

QVariant wert(FuzzedDataProvider& f) {
    switch (f.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return text(f); // Speed is stored as text; numbers and junk alike
    case 1:
        return QString::number(f.ConsumeFloatingPoint<double>(), 'g', 17);
    case 2:
        return f.ConsumeIntegral<int>();
    case 3:
        return f.ConsumeFloatingPoint<double>();
    case 4:
        return QColor::fromRgba(f.ConsumeIntegral<quint32>());
    case 5: {
        QFont font(text(f));
        font.setPointSizeF(f.ConsumeFloatingPointInRange(0.5, 200.0));
        font.setBold(f.ConsumeBool());
        font.setItalic(f.ConsumeBool());
        return font;
    }
    case 6:
        return QVariant();
    default:
        return f.ConsumeBool();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider f(data, size);
    Speicher gelesen;
    for (const char* k : Schluessel)
        if (f.ConsumeBool()) gelesen.werte.insert(QString::fromLatin1(k), wert(f));

    QWidget host;
    auto* control = new TextScroll(&host);
    control->resize(f.ConsumeIntegralInRange(0, 2000), f.ConsumeIntegralInRange(0, 200));
    control->ReadProperties(&gelesen);
    const int schritte = f.ConsumeIntegralInRange(0, 300);
    for (int i = 0; i < schritte; ++i) {
        if (f.ConsumeIntegralInRange(0, 50) == 0)
            control->resize(f.ConsumeIntegralInRange(0, 2000), f.ConsumeIntegralInRange(0, 200));
        control->tick();
    }
    control->StopScroll();

    // What the control stores is read back by a fresh control unchanged.
    Speicher gespeichert;
    control->WriteProperties(&gespeichert);
    auto* zweites = new TextScroll(&host);
    zweites->ReadProperties(&gespeichert);
    Speicher wieder;
    zweites->WriteProperties(&wieder);
    pruefe(wieder.werte == gespeichert.werte);
    return 0;
}
