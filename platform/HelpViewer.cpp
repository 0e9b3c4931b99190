#include "HelpViewer.h"

#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Escape closes it, as it closes the program's dialogs.
class Hilfefenster final : public QWidget {
public:
    explicit Hilfefenster(QWidget* parent) : QWidget(parent, Qt::Window) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            close();
            return;
        }
        QWidget::keyPressEvent(event);
    }
};

} // namespace

QString HelpViewer::defaultHelpFile() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Kapito.html");
}

HelpViewer::HelpViewer(QString helpFile)
    : m_file(helpFile.isEmpty() ? defaultHelpFile() : std::move(helpFile)) {}

HelpViewer::~HelpViewer() {
    if (m_fenster && !m_fenster->parentWidget()) delete m_fenster;
}

void HelpViewer::showContents() {
    // While a modal window is open every other top-level window is blocked;
    // the help window then belongs to that modal window so it can be used.
    QWidget* owner = QApplication::activeModalWidget();
    if (m_fenster && m_fenster->parentWidget() != owner) m_fenster->setParent(owner, Qt::Window);
    if (!m_fenster) {
        m_fenster = new Hilfefenster(owner);
        m_fenster->setObjectName(QStringLiteral("Hilfe"));
        m_fenster->setWindowTitle(QStringLiteral("Kapito 3.6 - Hilfe"));
        m_browser = new QTextBrowser(m_fenster);
        m_browser->setObjectName(QStringLiteral("Hilfetext"));
        m_browser->setAccessibleName(QStringLiteral("Hilfe"));
        m_browser->setOpenExternalLinks(true);
        auto* schliessen = Fensterteile::textknopf(
            QStringLiteral("Schliessen"), QStringLiteral(" Fenster schließen "), m_fenster);
        QObject::connect(schliessen, &QPushButton::clicked, m_fenster, &QWidget::close);
        auto* unten = new QHBoxLayout;
        unten->addStretch(1);
        unten->addWidget(schliessen);
        auto* box = new QVBoxLayout(m_fenster);
        box->addWidget(m_browser, 1);
        box->addLayout(unten);
        m_fenster->resize(720, 560);
    }
    if (QFileInfo::exists(m_file)) {
        m_browser->setSource(QUrl::fromLocalFile(m_file)); // the contents page is the top
        m_browser->scrollToAnchor(QStringLiteral("inhalt"));
    } else {
        // The viewer reports a missing help file itself.
        m_browser->setHtml(QStringLiteral("<h2>Hilfe nicht gefunden</h2><p>Die Hilfedatei "
                                          "\"%1\" ist nicht vorhanden.</p>")
                               .arg(m_file.toHtmlEscaped()));
    }
    m_fenster->show();
    m_fenster->raise();
    m_fenster->activateWindow();
    m_browser->setFocus();
}

void HelpViewer::closeIfOpen() {
    if (m_fenster && m_fenster->isVisible()) m_fenster->close();
}

QTextBrowser* HelpViewer::browser() const {
    return m_browser.data();
}

bool HelpViewer::isOpen() const {
    return m_fenster && m_fenster->isVisible();
}
