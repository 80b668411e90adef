#include "TrousseauSysteme.h"

#include <qt6keychain/keychain.h>

namespace {

const QString kService = QStringLiteral("RQN_KZT");

} // namespace

void TrousseauSysteme::lit(
    const QString& nom,
    std::function<void(bool disponible, bool trouve, const QString& secret)> fait)
{
    auto* tache = new QKeychain::ReadPasswordJob(kService);
    tache->setKey(nom);
    QObject::connect(tache, &QKeychain::Job::finished, tache,
                     [fait = std::move(fait)](QKeychain::Job* j) {
                         auto* lue = static_cast<QKeychain::ReadPasswordJob*>(j);
                         switch (lue->error()) {
                         case QKeychain::NoError:
                             return fait(true, true, lue->textData());
                         case QKeychain::EntryNotFound:
                             return fait(true, false, QString());
                         default:
                             return fait(false, false, QString());
                         }
                     });
    tache->start();
}

void TrousseauSysteme::ecrit(const QString& nom, const QString& secret,
                             std::function<void(bool garde)> fait)
{
    auto* tache = new QKeychain::WritePasswordJob(kService);
    tache->setKey(nom);
    tache->setTextData(secret);
    QObject::connect(
        tache, &QKeychain::Job::finished, tache,
        [fait = std::move(fait)](QKeychain::Job* j) { fait(j->error() == QKeychain::NoError); });
    tache->start();
}
