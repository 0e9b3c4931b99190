#include "HelpViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

QString HelpViewer::defaultHelpFile() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Kapito.html");
}

HelpViewer::HelpViewer(QString helpFile)
    : m_file(helpFile.isEmpty() ? defaultHelpFile() : std::move(helpFile)) {}

HelpViewer::~HelpViewer() {
    if (m_browser && !m_browser->parentWidget()) delete m_browser;
}

void HelpViewer::showContents() {
    // While a modal window is open every other top-level window is blocked;
    // the help window then belongs to that modal window so it can be used.
    QWidget* owner = QApplication::activeModalWidget();
    if (m_browser && m_browser->parentWidget() != owner) {
        m_browser->setParent(owner, Qt::Window);
    }
    if (!m_browser) {
        m_browser = new QTextBrowser(owner);
        m_browser->setWindowFlag(Qt::Window);
        m_browser->setObjectName(QStringLiteral("Hilfe"));
        m_browser->setWindowTitle(QStringLiteral("Kapito 3.6 - Hilfe"));
        m_browser->setOpenExternalLinks(true);
        m_browser->resize(720, 560);
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
    m_browser->show();
    m_browser->raise();
    m_browser->activateWindow();
}

void HelpViewer::closeIfOpen() {
    if (m_browser && m_browser->isVisible()) m_browser->close();
}

QTextBrowser* HelpViewer::browser() const {
    return m_browser.data();
}

bool HelpViewer::isOpen() const {
    return m_browser && m_browser->isVisible();
}
