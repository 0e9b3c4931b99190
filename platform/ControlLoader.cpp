#include "ControlLoader.h"

#include "rollix/ControlFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QWidget>

namespace {

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

} // namespace

QString ControlLoader::defaultControlsDir() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/steuerelemente");
}

ControlLoader::ControlLoader(QString controlsDir)
    : m_dir(controlsDir.isEmpty() ? defaultControlsDir() : std::move(controlsDir)) {}

ControlLoader::~ControlLoader() = default;

std::vector<ControlLoader::Found> ControlLoader::scan(QStringList* broken) const {
    std::vector<Found> found;
    const QDir dir(m_dir);
    const QStringList files = dir.entryList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : files) {
        const QString path = dir.absoluteFilePath(name);
        if (!QLibrary::isLibrary(path)) continue;
        // metaData() reads the plugin record from the file without loading it.
        const QJsonObject meta = QPluginLoader(path).metaData();
        if (meta.value(QStringLiteral("IID")).toString() != QLatin1String(ControlFactory_iid)) {
            if (broken) broken->append(name);
            continue;
        }
        Found f{path, {}};
        const QJsonArray ids = meta.value(QStringLiteral("MetaData"))
                                   .toObject()
                                   .value(QStringLiteral("controls"))
                                   .toArray();
        for (const auto& id : ids)
            f.ids.append(id.toString());
        found.push_back(std::move(f));
    }
    return found;
}

QStringList ControlLoader::identifiers() const {
    QStringList ids;
    for (const Found& f : scan(nullptr))
        ids += f.ids;
    return ids;
}

QWidget* ControlLoader::create(const QString& id, QWidget* parent, QString* error) {
    m_lastError.clear();
    QStringList broken;
    const std::vector<Found> found = scan(&broken);
    for (const Found& f : found) {
        if (!f.ids.contains(id)) continue;
        auto loader = std::make_unique<QPluginLoader>(f.path);
        QObject* root = loader->instance();
        auto* factory = qobject_cast<ControlFactory*>(root);
        if (!factory) {
            m_lastError = QStringLiteral("Die Steuerelement-Bibliothek \"%1\" lässt sich nicht "
                                         "laden: %2")
                              .arg(QDir(f.path).dirName(), loader->errorString());
            setError(error, m_lastError);
            return nullptr;
        }
        QWidget* control = factory->create(id, parent);
        m_loaders.push_back(std::move(loader));
        if (!control) {
            m_lastError = QStringLiteral("Die Steuerelement-Bibliothek \"%1\" kann das "
                                         "Steuerelement \"%2\" nicht erzeugen.")
                              .arg(QDir(f.path).dirName(), id);
            setError(error, m_lastError);
        }
        return control;
    }
    if (!QDir(m_dir).exists())
        m_lastError = QStringLiteral("Das Steuerelement \"%1\" ist nicht verfügbar: Der Ordner "
                                     "\"%2\" fehlt.")
                          .arg(id, QDir::toNativeSeparators(m_dir));
    else
        m_lastError = QStringLiteral("Das Steuerelement \"%1\" ist nicht registriert.").arg(id);
    if (!broken.isEmpty())
        m_lastError += QStringLiteral(" Beschädigte oder fremde Bibliothek: %1.")
                           .arg(broken.join(QStringLiteral(", ")));
    setError(error, m_lastError);
    return nullptr;
}

bool setControlProperty(QObject* control, const char* name, const QVariant& value, QString* error) {
    if (!control) {
        setError(error, QStringLiteral("Kein Steuerelement vorhanden."));
        return false;
    }
    const QMetaObject* mo = control->metaObject();
    const int index = mo->indexOfProperty(name);
    if (index < 0) {
        setError(error, QStringLiteral("Das Steuerelement kennt die Eigenschaft \"%1\" nicht.")
                            .arg(QString::fromLatin1(name)));
        return false;
    }
    const QMetaProperty prop = mo->property(index);
    if (!prop.isWritable() || !prop.write(control, value)) {
        setError(error, QStringLiteral("Die Eigenschaft \"%1\" lässt sich nicht auf diesen Wert "
                                       "setzen.")
                            .arg(QString::fromLatin1(name)));
        return false;
    }
    return true;
}

QVariant controlProperty(const QObject* control, const char* name, QString* error) {
    if (!control) {
        setError(error, QStringLiteral("Kein Steuerelement vorhanden."));
        return {};
    }
    const int index = control->metaObject()->indexOfProperty(name);
    if (index < 0) {
        setError(error, QStringLiteral("Das Steuerelement kennt die Eigenschaft \"%1\" nicht.")
                            .arg(QString::fromLatin1(name)));
        return {};
    }
    return control->metaObject()->property(index).read(control);
}

bool invokeControl(QObject* control, const char* method, QString* error) {
    if (!control) {
        setError(error, QStringLiteral("Kein Steuerelement vorhanden."));
        return false;
    }
    if (!QMetaObject::invokeMethod(control, method, Qt::DirectConnection)) {
        setError(error, QStringLiteral("Das Steuerelement kennt die Methode \"%1\" nicht.")
                            .arg(QString::fromLatin1(method)));
        return false;
    }
    return true;
}
