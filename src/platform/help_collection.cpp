#include "platform/help_collection.h"

#include "app/help_topics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpLink>

namespace shiftex {

namespace {

const QString kCollection = QStringLiteral("shiftex.qhc");
const QString kPages = QStringLiteral("shiftex.qch");
const QString kHelpFolder = QStringLiteral("help");

// The same file: size and time of the last change agree.
bool SameFile(const QFileInfo& a, const QFileInfo& b)
{
    return a.exists() && b.exists() && a.size() == b.size() &&
           a.lastModified() == b.lastModified();
}

// Copies the installed collection into `to` unless an identical copy is there already.
bool CopyInstalledHelp(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : {kPages, kCollection}) {
        const QFileInfo source(QDir(from).filePath(name));
        const QString target = QDir(to).filePath(name);
        if (SameFile(source, QFileInfo(target)))
            continue;
        QFile::remove(target);
        if (!QFile::copy(source.filePath(), target))
            return false;
        QFile copy(target);
        // The copy must be writable for the search index, and keeps the source's time so that
        // the next start sees it is current.
        copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner);
        if (copy.open(QIODevice::ReadWrite)) {
            copy.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
            copy.close();
        }
    }
    return true;
}

} // namespace

HelpCollection::HelpCollection(QObject* parent) : QObject(parent) {}

HelpCollection::~HelpCollection() = default;

bool HelpCollection::Load(const QString& programFolder, const QString& installedFolder)
{
    delete engine_;
    engine_ = nullptr;
    const QString folder = QDir(programFolder).filePath(kHelpFolder);
    const QString installed = QDir(installedFolder).filePath(kHelpFolder);
    // An installation's help is copied into the user's program folder, refreshed when the
    // installed one changes.
    const bool installedHelp = QFileInfo::exists(QDir(installed).filePath(kCollection)) &&
                               QFileInfo::exists(QDir(installed).filePath(kPages));
    if (installedHelp && QFileInfo(installed).canonicalFilePath() !=
                             QFileInfo(folder).canonicalFilePath())
        CopyInstalledHelp(installed, folder);
    const QString collection = QDir(folder).filePath(kCollection);
    if (!QFileInfo::exists(collection) || !QFileInfo::exists(QDir(folder).filePath(kPages)))
        return false;
    auto* engine = new QHelpEngine(collection, this);
    if (!engine->setupData() || engine->registeredDocumentations().isEmpty()) {
        delete engine;
        return false;
    }
    engine_ = engine;
    return true;
}

QUrl HelpCollection::TopicUrl(const std::string& name) const
{
    if (engine_ == nullptr)
        return {};
    const QString keyword = QString::fromStdString(NormalizeHelpTopic(name));
    // A keyword of the index, or else an identifier (the sheet's "topic14").
    QList<QHelpLink> links = engine_->documentsForKeyword(keyword);
    if (links.isEmpty())
        links = engine_->documentsForIdentifier(keyword);
    return links.isEmpty() ? QUrl() : links.constFirst().url;
}

QUrl HelpCollection::HomeUrl() const
{
    if (engine_ == nullptr)
        return {};
    const QStringList names = engine_->registeredDocumentations();
    if (names.isEmpty())
        return {};
    return QUrl(QStringLiteral("qthelp://%1/doc/index.html").arg(names.constFirst()));
}

} // namespace shiftex
