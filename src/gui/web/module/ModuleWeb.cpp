// The web-view module: the only part of the program that links the web engine.

#include "gui/platform/FabriqueVueWeb.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QObject>
#include <QOpenGLContext>
#include <QUrl>
#include <QWebEngineView>
#include <QtGlobal>

// The public way to have a shared context is Qt::AA_ShareOpenGLContexts, set
// before the application object is made; the program does not set it, as it
// would cost every start for a page that is seldom shown. There is no public
// way to give one later, so the module uses the setter that QtGui exports for
// the web engine, which the engine declares by hand in the same way. It is
// not part of Qt's API: it is used only for the Qt versions it was checked
// with, and tst_web fails when the context is no longer set.
#if QT_VERSION >= QT_VERSION_CHECK(6, 2, 0) && QT_VERSION < QT_VERSION_CHECK(7, 0, 0)
#define KZT_PARTAGE_OPENGL 1
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* contexte);
QT_END_NAMESPACE
#endif

namespace {

// The web engine draws in a context shared with the application's. An
// application that asks for it from its start has one; the program does not,
// as it costs every start, so the module makes it the first time it loads.
// (The engine still warns once that it was loaded late.)
void partageOpenGL()
{
    if (QOpenGLContext::globalShareContext())
        return;
#ifdef KZT_PARTAGE_OPENGL
    auto* contexte = new QOpenGLContext(QCoreApplication::instance());
    contexte->create();
    qt_gl_set_global_share_context(contexte);
#endif
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
                         [chargee = std::move(chargee)](bool valide) {
                             if (chargee)
                                 chargee(valide);
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
