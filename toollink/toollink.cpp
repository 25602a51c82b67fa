#include "toollink/toollink.h"

#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Linux refuses a single program argument of 128 KiB or more; stay well below.
constexpr qsizetype kMaxArgumentBytes = 100 * 1024;
constexpr int kStartTimeoutMs = 5000;

} // namespace

ToolLink::ToolLink(QObject* parent) : QObject(parent), mToolPath(defaultToolPath()) {}

ToolLink::~ToolLink() { abandon(); }

QString ToolLink::defaultToolPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("CalcTool"));
}

QString ToolLink::launchArgument(const std::string& xml, const char* name) {
    if (qsizetype(xml.size()) < kMaxArgumentBytes)
        return QString::fromStdString(xml);
    // Too large for the command line: hand it over in a file of the document's own, removed
    // with the document.
    if (!mSeedFolder)
        mSeedFolder = std::make_unique<QTemporaryDir>();
    const QString path = mSeedFolder->filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(xml.data(), qint64(xml.size())) != qint64(xml.size()))
        return QString::fromStdString(xml);
    return QLatin1Char('@') + path;
}

bool ToolLink::start(const plist::Dictionary& variables, const plist::Dictionary& functions,
                     QString* error) {
    abandon();
    mReplyBuffer.clear();
    const QStringList arguments = {
        launchArgument(plist::writeXml(plist::Value(variables)), "variables.plist"),
        launchArgument(plist::writeXml(plist::Value(functions)), "functions.plist"),
    };

    auto* process = new QProcess(this);
    process->setProgram(mToolPath);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (process == mProcess)
            readOutput();
    });
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus) {
                if (process != mProcess)
                    return;
                mProcess = nullptr;
                process->deleteLater();
                emit toolEnded(exitCode);
            });
    mProcess = process;
    process->start();
    if (!process->waitForStarted(kStartTimeoutMs)) {
        if (error)
            *error = process->errorString();
        mProcess = nullptr;
        process->disconnect(this);
        process->deleteLater();
        return false;
    }
    return true;
}

bool ToolLink::isRunning() const { return mProcess != nullptr; }

void ToolLink::send(const QString& line) {
    if (mProcess)
        mProcess->write(line.toUtf8() + '\n');
}

void ToolLink::abandon() {
    if (!mProcess)
        return;
    QProcess* process = mProcess;
    mProcess = nullptr;
    process->disconnect(this);
    process->terminate();
    // Reaped in the background; killed if it ignores the request to end.
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    if (!process->waitForFinished(200)) {
        process->kill();
        process->waitForFinished(1000);
    }
}

void ToolLink::clearReplyBuffer() { mReplyBuffer.clear(); }

void ToolLink::readOutput() {
    mReplyBuffer += mProcess->readAllStandardOutput();
    // Every complete reply in the buffer, in order; an incomplete one waits for more output.
    while (mReplyBuffer.contains("</plist>")) {
        plist::IncrementalXmlReader reader;
        const auto status =
            reader.feed(std::string_view(mReplyBuffer.constData(), mReplyBuffer.size()));
        if (status != plist::IncrementalXmlReader::Status::Complete) {
            // Not a reply: dropped, and the time-out recovers.
            mReplyBuffer.clear();
            return;
        }
        const qsizetype end = qsizetype(reader.endOffset());
        plist::Value reply = reader.takeValue();
        mReplyBuffer.remove(0, end);
        if (const plist::Dictionary* dictionary = reply.dictionary())
            emit replyReceived(*dictionary);
        if (!mProcess)
            return;
    }
}
