#include "platform/KompaktierFortschritt.h"

#include "db/Database.h"
#include "db/Kompaktierung.h"
#include "platform/Dialogs.h"
#include "platform/Hintergrundarbeit.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressDialog>
#include <atomic>

namespace {

// Neither Escape nor the close box end it: the database is closed meanwhile.
class KompaktierDialog final : public QProgressDialog {
public:
    explicit KompaktierDialog(QWidget* parent) : QProgressDialog(parent) {
        setObjectName(QStringLiteral("Kompaktierung"));
        setWindowTitle(Dialogs::defaultTitle());
        setLabelText(QStringLiteral("Die Datenbank wird komprimiert, bitte warten ..."));
        setCancelButton(nullptr);
        setRange(0, 100);
        setMinimumDuration(0);
        setAutoClose(false);
        setAutoReset(false);
        setWindowModality(Qt::ApplicationModal);
        setAccessibleName(QStringLiteral("Fortschritt der Komprimierung"));
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) return;
        QProgressDialog::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

} // namespace

bool kompaktierenMitFortschritt(QWidget* parent, Database& db) {
    const auto job = db.beginCompact();
    if (!job) return false;

    KompaktierDialog dialog(parent);
    dialog.setValue(0);
    dialog.show();

    std::atomic<int> prozent{0};
    Kompaktierung::Ergebnis ergebnis;
    // The modal dialog keeps input away from the windows; painting goes on.
    imHintergrund(
        [&] {
            ergebnis =
                Kompaktierung::ausfuehren(job->path, job->key, [&](int p) { prozent = p; });
        },
        [&] { dialog.setValue(prozent); }, 100);
    dialog.setValue(100);
    dialog.hide();
    return db.endCompact(*job, ergebnis);
}
