#pragma once
// The program's help: the German manual "Kapito.html" in the program
// directory, shown in the program's own help window. Windows reach it through
// HelpService so tests can record the calls.

#include <QPointer>
#include <QString>

class QTextBrowser;
class QWidget;

class HelpService {
public:
    virtual ~HelpService() = default;
    /// Opens the help at its contents page (or brings it back there).
    virtual void showContents() = 0;
    /// Closes the help window if it is open (at program end).
    virtual void closeIfOpen() = 0;
};

class HelpViewer final : public HelpService {
public:
    /// applicationDirPath() + "/Kapito.html".
    static QString defaultHelpFile();

    /// `helpFile` empty = defaultHelpFile().
    explicit HelpViewer(QString helpFile = QString());
    ~HelpViewer() override;
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    void showContents() override;
    void closeIfOpen() override;

    bool isOpen() const;
    /// The help text in the help window (nullptr before the first
    /// showContents()); window() is the help window with its
    /// " Fenster schließen " button. Escape closes it.
    QTextBrowser* browser() const;
    QString helpFile() const { return m_file; }

private:
    QString m_file;
    QPointer<QWidget> m_fenster;
    QPointer<QTextBrowser> m_browser;
};
