#include "gui/DocumentViewModule.h"

#include "gui/DocumentView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <memory>

// Qt's process-wide OpenGL context that other contexts share their textures
// with. Qt makes it while the application object is built when
// Qt::AA_ShareOpenGLContexts is set; that loads the system's OpenGL driver
// (with a software driver, tens of megabytes) at every start. The browser
// engine needs it to exist before it starts, and nothing else here uses
// OpenGL, so it is made just before the module loads instead. Exported by
// Qt Gui without a public declaration.
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

// Makes the shared OpenGL context unless it exists; false when the system
// offers no OpenGL, where the browser engine cannot start.
bool MakeSharedOpenGLContext()
{
    if (qt_gl_global_share_context() != nullptr)
        return true;
    auto context = std::make_unique<QOpenGLContext>();
    if (!context->create())
        return false;
    // Kept until the process ends: the engine uses it up to its own shut-down,
    // after the application object has gone.
    qt_gl_set_global_share_context(context.release());
    return true;
}

} // namespace

namespace DocumentViewModule {

QString FileName()
{
    return QStringLiteral("pelmora_htmlview.so");
}

QStringList DefaultFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(programFolder + QStringLiteral("/../lib/pelmora")),
            QDir::cleanPath(programFolder + QStringLiteral("/lib/pelmora"))};
}

DocumentViewFactory* Load(const QStringList& folders, QString& error)
{
    QString path;
    for (const QString& folder : folders) {
        const QFileInfo candidate(QDir(folder), FileName());
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    if (path.isEmpty()) {
        error = QStringLiteral("Не найден модуль просмотра документа заказа (%1). "
                               "Переустановите программу.")
                    .arg(FileName());
        return nullptr;
    }
    if (!MakeSharedOpenGLContext()) {
        error = QStringLiteral("Документ заказа нельзя показать: система не предоставляет OpenGL, "
                               "нужный модулю просмотра.");
        return nullptr;
    }
    // The loader object may go: the module stays loaded until the process ends.
    QPluginLoader loader(path);
    auto* factory = qobject_cast<DocumentViewFactory*>(loader.instance());
    if (factory == nullptr)
        error = QStringLiteral("Не удалось загрузить модуль просмотра документа заказа «%1»:\n%2")
                    .arg(path, loader.errorString());
    return factory;
}

} // namespace DocumentViewModule
