#include "core/Paketkorrektur.h"

#include "core/DecimalRound.h"
#include "core/Eingabe.h"
#include "core/Rtf.h"

#include <limits>

namespace Paketkorrektur {

namespace {

using Int128 = __int128;

constexpr Int128 MaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr Int128 MinRaw = std::numeric_limits<std::int64_t>::min();

bool passt(Int128 v) {
    return v >= MinRaw && v <= MaxRaw;
}

// Notes saved empty hold a single point; those carry nothing over.
bool hatText(const QString& notizen) {
    const QString text = Rtf::toPlainText(notizen).trimmed();
    return !text.isEmpty() && text != QLatin1String(".");
}

QString notizenVerbinden(const QList<Teil>& teile) {
    QList<const QString*> mitText;
    for (const Teil& t : teile)
        if (hatText(t.notizen)) mitText << &t.notizen;
    if (mitText.isEmpty()) return QString();
    // A single note is kept exactly as it was written.
    if (mitText.size() == 1) return *mitText.first();
    Rtf::Document doc;
    for (const QString* n : mitText) {
        if (!doc.paragraphs.isEmpty()) doc.paragraphs << Rtf::Paragraph{};
        doc.paragraphs << Rtf::parse(*n).paragraphs;
    }
    return Rtf::write(doc);
}

} // namespace

std::optional<Currency> geteilt(Currency betrag, Currency faktor) {
    if (faktor.raw() <= 0) return std::nullopt;
    const Int128 q = DecimalRound::quotientHalfEven(
        static_cast<Int128>(betrag.raw()) * Currency::Scale, faktor.raw());
    if (!passt(q)) return std::nullopt;
    return Currency::fromRaw(static_cast<std::int64_t>(q));
}

Currency zweiStellen(Currency betrag) {
    const Int128 raw = betrag.raw();
    const Int128 betragAbs = raw < 0 ? -raw : raw;
    Int128 cent = (betragAbs + 50) / 100 * 100;
    if (cent > MaxRaw) cent -= 100; // the largest amounts stay in range
    return Currency::fromRaw(static_cast<std::int64_t>(raw < 0 ? -cent : cent));
}

std::optional<Currency> splitKurs(Currency betrag, Currency faktor) {
    const auto q = geteilt(betrag, faktor);
    if (!q) return std::nullopt;
    return zweiStellen(*q);
}

std::optional<double> splitGrenzkurs(double kurs, Currency faktor) {
    const auto raw = DecimalRound::scaled(kurs, 4, DecimalRound::Mode::HalfEven);
    if (!raw) return std::nullopt;
    const auto neu = splitKurs(Currency::fromRaw(*raw), faktor);
    if (!neu) return std::nullopt;
    return neu->toDouble();
}

std::optional<qint64> splitStueck(qint64 stueck, Currency faktor, bool* zuGross) {
    if (zuGross) *zuGross = false;
    if (faktor.raw() <= 0) return std::nullopt;
    const Int128 neu =
        DecimalRound::quotientHalfEven(static_cast<Int128>(stueck) * faktor.raw(), Currency::Scale);
    if (neu > Eingabe::MaxStueck) {
        if (zuGross) *zuGross = true;
        return std::nullopt;
    }
    if (neu < 1) return std::nullopt;
    return static_cast<qint64>(neu);
}

std::optional<Buendel> buendeln(const QList<Teil>& teile) {
    Int128 stueck = 0, gebuehren = 0, dividende = 0, kosten = 0;
    double kursziel = 0, stopkurs = 0;
    for (const Teil& t : teile) {
        if (t.kursziel != 0) kursziel = t.kursziel;
        if (t.stopkurs != 0) stopkurs = t.stopkurs;
        stueck += t.stueck;
        gebuehren += t.gebuehren.raw();
        dividende += t.dividende.raw();
        kosten += static_cast<Int128>(t.kaufpreis.raw()) * t.stueck;
    }
    if (stueck < 1 || stueck > Eingabe::MaxStueck || !passt(gebuehren) || !passt(dividende))
        return std::nullopt;
    const Int128 schnitt = DecimalRound::quotientHalfEven(kosten, stueck);
    if (!passt(schnitt)) return std::nullopt;
    Buendel b;
    b.stueck = static_cast<qint64>(stueck);
    b.gebuehren = Currency::fromRaw(static_cast<std::int64_t>(gebuehren));
    b.dividende = Currency::fromRaw(static_cast<std::int64_t>(dividende));
    b.kaufpreis = zweiStellen(Currency::fromRaw(static_cast<std::int64_t>(schnitt)));
    b.notizen = notizenVerbinden(teile);
    b.kursziel = kursziel;
    b.stopkurs = stopkurs;
    return b;
}

} // namespace Paketkorrektur
