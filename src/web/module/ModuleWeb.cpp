// The web-view module: the only part of the program that links the web engine.

#include "platform/WebViewModule.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QObject>
#include <QOpenGLContext>
#include <QUrl>
#include <QWebEngineView>

// Qt's own setter of the context that the web engine shares its drawing
// with (exported by QtGui, used by the web engine itself).
void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

// The web engine draws in a context shared with the application's. An
// application that asks for it from its start has one; the program does not,
// as it costs every start, so the module makes it the first time it loads.
// (The engine still warns once that it was loaded late.)
void partageOpenGL()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto* contexte = new QOpenGLContext(QCoreApplication::instance());
    contexte->create();
    qt_gl_set_global_share_context(contexte);
}

} // namespace

class ModuleWeb : public QObject, public FabriqueVueWeb {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FabriqueVueWeb_iid)
    Q_INTERFACES(FabriqueVueWeb)

public:
    ModuleWeb()
    {
        partageOpenGL();
        // The engine's report of its set-up is of no use to the operator.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    }

    QWidget* cree(QWidget* parent, std::function<void(bool)> chargee) override
    {
        auto* vue = new QWebEngineView(parent);
        QObject::connect(vue, &QWebEngineView::loadFinished, vue,
                         [chargee = std::move(chargee)](bool ok) {
                             if (chargee)
                                 chargee(ok);
                         });
        return vue;
    }

    void ouvre(QWidget* vue, const QUrl& adresse) override
    {
        if (auto* web = qobject_cast<QWebEngineView*>(vue))
            web->load(adresse);
    }
};

#include "ModuleWeb.moc"
