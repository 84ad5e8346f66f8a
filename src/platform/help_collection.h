#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <string>

class QHelpEngine;

namespace shiftex {

// The shipped help: a Qt help collection (shiftex.qhc with its compressed pages shiftex.qch)
// built with the program. The collection is used where it lies when that folder is the
// program folder (a build tree, a portable copy); an installed one is copied into the
// per-user program folder first, because searching writes its index beside the collection.
class HelpCollection : public QObject {
    Q_OBJECT

public:
    explicit HelpCollection(QObject* parent = nullptr);
    ~HelpCollection() override;

    // Sets up the help of the program folder (ends in "/"); `installedFolder` is where an
    // installation keeps its data ("share/shiftex"). False when no usable collection exists.
    bool Load(const QString& programFolder, const QString& installedFolder);
    bool IsLoaded() const { return engine_ != nullptr; }
    QHelpEngine* engine() const { return engine_; }

    // The page of a topic: the help keyword of that name (non-breaking spaces read as
    // blanks); an empty URL when the help has none.
    QUrl TopicUrl(const std::string& name) const;
    // The first page of the contents.
    QUrl HomeUrl() const;

private:
    QHelpEngine* engine_ = nullptr;
};

} // namespace shiftex
