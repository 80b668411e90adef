// The web-view module: the only part of the program that links the web engine.

#include "platform/WebViewModule.h"

#include <QObject>
#include <QUrl>
#include <QWebEngineView>

class ModuleWeb : public QObject, public FabriqueVueWeb {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID FabriqueVueWeb_iid)
    Q_INTERFACES(FabriqueVueWeb)

public:
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
