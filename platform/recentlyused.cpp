// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recentlyused.h"

#include "platform/atomicwrite.h"
#include "platform/userfolders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>

#include <algorithm>

namespace platform {

namespace {

// The element names carry the prefixes every writer of this list uses (GLib's among them);
// the document is read without namespace processing so that the rest of it is written back
// exactly as found.
const QString kBookmark = QStringLiteral("bookmark");
const QString kApplications = QStringLiteral("bookmark:applications");
const QString kApplication = QStringLiteral("bookmark:application");
const QString kMimeType = QStringLiteral("mime:mime-type");

// Readers drop the oldest entries themselves, but a list that only grows slows every one of them.
constexpr int kMaxBookmarks = 500;

QString timestamp() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }

QDomDocument emptyList() {
    QDomDocument list;
    list.appendChild(list.createProcessingInstruction(QStringLiteral("xml"),
                                                      QStringLiteral("version=\"1.0\" "
                                                                     "encoding=\"UTF-8\"")));
    QDomElement root = list.createElement(QStringLiteral("xbel"));
    root.setAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    root.setAttribute(QStringLiteral("xmlns:bookmark"),
                      QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks"));
    root.setAttribute(QStringLiteral("xmlns:mime"),
                      QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    list.appendChild(root);
    return list;
}

QDomElement childNamed(const QDomElement& parent, const QString& name) {
    return parent.firstChildElement(name);
}

QDomElement ensureChild(QDomDocument& list, QDomElement parent, const QString& name) {
    QDomElement child = childNamed(parent, name);
    if (child.isNull())
        child = parent.appendChild(list.createElement(name)).toElement();
    return child;
}

// The metadata block that holds the applications, made when missing.
QDomElement ensureMetadata(QDomDocument& list, QDomElement bookmark) {
    QDomElement info = ensureChild(list, bookmark, QStringLiteral("info"));
    for (QDomElement metadata = info.firstChildElement(QStringLiteral("metadata"));
         !metadata.isNull(); metadata = metadata.nextSiblingElement(QStringLiteral("metadata")))
        if (metadata.attribute(QStringLiteral("owner")) == QLatin1String("http://freedesktop.org"))
            return metadata;
    QDomElement metadata = list.createElement(QStringLiteral("metadata"));
    metadata.setAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
    return info.appendChild(metadata).toElement();
}

void noteUse(QDomDocument& list, QDomElement bookmark, const QString& mimeType,
             const QString& now) {
    bookmark.setAttribute(QStringLiteral("modified"), now);
    bookmark.setAttribute(QStringLiteral("visited"), now);
    QDomElement metadata = ensureMetadata(list, bookmark);
    if (childNamed(metadata, kMimeType).isNull())
        ensureChild(list, metadata, kMimeType).setAttribute(QStringLiteral("type"), mimeType);
    QDomElement applications = ensureChild(list, metadata, kApplications);

    const QString name = QCoreApplication::applicationName();
    QDomElement application;
    for (QDomElement each = applications.firstChildElement(kApplication); !each.isNull();
         each = each.nextSiblingElement(kApplication))
        if (each.attribute(QStringLiteral("name")) == name)
            application = each;
    if (application.isNull()) {
        application = applications.appendChild(list.createElement(kApplication)).toElement();
        application.setAttribute(QStringLiteral("name"), name);
        const QString command = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        application.setAttribute(QStringLiteral("exec"),
                                 QStringLiteral("'%1 %u'").arg(command));
    }
    application.setAttribute(QStringLiteral("modified"), now);
    application.setAttribute(
        QStringLiteral("count"),
        QString::number(application.attribute(QStringLiteral("count")).toInt() + 1));
}

void dropOldest(QDomElement root) {
    QList<QDomElement> bookmarks;
    for (QDomElement each = root.firstChildElement(kBookmark); !each.isNull();
         each = each.nextSiblingElement(kBookmark))
        bookmarks.append(each);
    if (bookmarks.size() <= kMaxBookmarks)
        return;
    const auto modified = [](const QDomElement& bookmark) {
        return QDateTime::fromString(bookmark.attribute(QStringLiteral("modified")),
                                     Qt::ISODateWithMs);
    };
    std::stable_sort(bookmarks.begin(), bookmarks.end(),
                     [&](const QDomElement& a, const QDomElement& b) {
                         return modified(a) > modified(b);
                     });
    for (qsizetype i = kMaxBookmarks; i < bookmarks.size(); ++i)
        root.removeChild(bookmarks[i]);
}

} // namespace

QString recentlyUsedListPath() {
    // The list lives in the data folder itself, not in the application's folder inside it.
    return QFileInfo(userDataFolder()).path() + QStringLiteral("/recently-used.xbel");
}

bool addToRecentlyUsed(const QString& path, const QString& mimeType, QString* error) {
    const QString listPath = recentlyUsedListPath();
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = QCoreApplication::translate("platform", "Cannot update %1:\n%2")
                         .arg(QDir::toNativeSeparators(listPath), reason);
        return false;
    };

    QDomDocument list;
    QFile file(listPath);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return fail(file.errorString());
        QString parseError;
        int line = 0;
        if (!list.setContent(&file, false, &parseError, &line))
            return fail(QCoreApplication::translate("platform", "Line %1: %2")
                            .arg(line)
                            .arg(parseError));
        if (list.documentElement().tagName() != QLatin1String("xbel"))
            return fail(QCoreApplication::translate("platform", "It is not an XBEL list."));
        file.close();
    } else {
        list = emptyList();
    }

    QDomElement root = list.documentElement();
    const QString href = QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded());
    const QString now = timestamp();
    QDomElement bookmark;
    for (QDomElement each = root.firstChildElement(kBookmark); !each.isNull();
         each = each.nextSiblingElement(kBookmark))
        if (each.attribute(QStringLiteral("href")) == href)
            bookmark = each;
    if (bookmark.isNull()) {
        bookmark = root.appendChild(list.createElement(kBookmark)).toElement();
        bookmark.setAttribute(QStringLiteral("href"), href);
        bookmark.setAttribute(QStringLiteral("added"), now);
    }
    noteUse(list, bookmark,
            mimeType.isEmpty()
                ? QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name()
                : mimeType,
            now);
    dropOldest(root);

    if (!QDir().mkpath(QFileInfo(listPath).path()))
        return fail(QCoreApplication::translate("platform", "The folder cannot be made."));
    QString writeError;
    if (!writeFileAtomically(listPath, list.toByteArray(2), &writeError))
        return fail(writeError);
    return true;
}

} // namespace platform
