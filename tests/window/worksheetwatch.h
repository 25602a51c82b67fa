// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What must hold of a worksheet whatever its user did, as the random-action test checks it after
// every action: each answer the program writes lands directly under the line it answers; when
// nothing waits, the tool holds the worksheet's variables and functions; Undo all the way back
// and Redo all the way forward retrace texts the worksheet had; a worksheet saved on closing
// holds its text as it stood.

#include "engine/calcengine.h"
#include "engine/dictionaries.h"
#include "plist/xmlreader.h"
#include "plist/xmlwriter.h"
#include "rtf/rtfreader.h"
#include "toollink/toollink.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/answerformats.h"
#include "worksheet/statementwords.h"
#include "worksheet/worksheetfile.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

class WorksheetWatch : public QObject {

public:
    // The tools write what they hold into the folder, a file each named after its process id.
    WorksheetWatch(QString toolStateFolder, bool verbose)
        : mToolStateFolder(std::move(toolStateFolder)), mVerbose(verbose) {}

    // Watches the worksheet from the text it has now.
    void follow(MyDocument* worksheet) {
        mDocument = worksheet;
        mSeen = {hashOf(view()->toPlainText())};
        mOpenedWith = *mSeen.begin();
        mAwaited = QTextCursor();
        connect(view()->document(), &QTextDocument::contentsChanged, this, [this] {
            if (!mAuditing && mDocument)
                mSeen.insert(hashOf(view()->toPlainText()));
        });
        connect(worksheet->worksheet(), &Worksheet::calculationFinished, this,
                &WorksheetWatch::checkAnswerPlace);
    }
    // Return is about to be pressed on this line, which then waits for its answer; or not.
    void awaitAnswerUnder(const QTextCursor& line) { mAwaited = line; }
    // What broke first; empty while everything holds.
    const QString& failure() const { return mFailure; }

    static QString tail(QString text) { return text.replace(QLatin1Char('\n'), u'¶').right(90); }

    // What a replayed seed shows after each step: the worksheet's variables, its tool's, and
    // the end of its text.
    void trace() const {
        QStringList variables;
        VisitVariables(*mDocument->worksheet()->state(), [&variables](const std::string& name,
                                                                      double value, auto&&) {
            variables.append(QString::fromStdString(name) + '=' + QString::number(value));
        });
        QFile file(QDir(mToolStateFolder)
                       .filePath(QString::number(mDocument->worksheet()->tool()->processId())));
        QString tool =
            file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        static const QRegularExpression markup(QStringLiteral("<[?!][^>]*>|</?plist[^>]*>|\\s+"));
        qInfo("   worksheet {%s}, tool %s, text «%s»", qPrintable(variables.join(' ')),
              qPrintable(tool.remove(markup)), qPrintable(tail(view()->toPlainText())));
    }
    // When nothing waits, the tool holds what the worksheet holds.
    void checkToolState() {
        if (mDocument->worksheet()->isCalculating() ||
            !mDocument->worksheet()->tool()->isRunning() ||
            mDocument->worksheet()->tool()->outstandingRequests() > 0)
            return;
        const auto mirror = [this] {
            plist::Dictionary symbols;
            symbols["variables"] =
                plist::Value(CopyVariablesDictionary(*mDocument->worksheet()->state())
                                 .value_or(plist::Dictionary()));
            symbols["functions"] =
                plist::Value(CopyFunctionsDictionary(*mDocument->worksheet()->state())
                                 .value_or(plist::Dictionary()));
            symbols["units"] =
                plist::Value(CopyVariableUnitsDictionary(*mDocument->worksheet()->state())
                                 .value_or(plist::Dictionary()));
            return plist::Value(std::move(symbols));
        };
        const auto toolHolds = [this] {
            QFile file(QDir(mToolStateFolder)
                           .filePath(QString::number(mDocument->worksheet()->tool()->processId())));
            if (!file.open(QIODevice::ReadOnly))
                return std::optional<plist::Value>();
            const QByteArray xml = file.readAll();
            return plist::readXml(std::string_view(xml.constData(), std::size_t(xml.size()))).value;
        };
        // A tool started again from the worksheet's state writes it down once it is up.
        const bool same = QTest::qWaitFor(
            [&] {
                return !mDocument || mDocument->worksheet()->isCalculating() ||
                       toolHolds() == mirror();
            },
            kToolCatchUpMs);
        if (!same && mDocument)
            fail(QStringLiteral("the tool's variables and functions are not the worksheet's:\n"
                                "tool %1\nworksheet %2")
                     .arg(QString::fromStdString(
                              plist::writeXml(toolHolds().value_or(plist::Value()))),
                          QString::fromStdString(plist::writeXml(mirror()))));
    }

    // Undo all the way back, then Redo all the way forward: each text on the way is one the
    // worksheet had, the way back ends at the text it was opened with, and the way forward is
    // the way back reversed.
    void auditUndo() {
        QTextDocument* text = view()->document();
        mAuditing = true;
        const auto step = [this, text](bool back) {
            back ? view()->undo() : view()->redo();
            QCoreApplication::processEvents();
            if (mVerbose)
                qInfo("   %s: «%s»", back ? "undone" : "redone",
                      qPrintable(tail(text->toPlainText())));
            return hashOf(text->toPlainText());
        };
        QList<std::size_t> back = {hashOf(text->toPlainText())};
        QStringList backTexts = {text->toPlainText()};
        while (mFailure.isEmpty() && text->isUndoAvailable()) {
            back.append(step(true));
            backTexts.append(text->toPlainText());
            if (!mSeen.contains(back.last()))
                fail(QStringLiteral("Undo gave a text the worksheet never had: «%1»")
                         .arg(text->toPlainText().left(200)));
        }
        if (back.last() != mOpenedWith)
            fail(QStringLiteral("Undo all the way did not give back the text as opened: «%1»")
                     .arg(text->toPlainText().left(200)));
        QList<std::size_t> forward = {back.last()};
        QStringList forwardTexts = {backTexts.last()};
        while (mFailure.isEmpty() && text->isRedoAvailable()) {
            forward.append(step(false));
            forwardTexts.append(text->toPlainText());
        }
        std::reverse(forward.begin(), forward.end());
        std::reverse(forwardTexts.begin(), forwardTexts.end());
        if (mFailure.isEmpty() && forward != back) {
            qsizetype differs = 0;
            while (differs < std::min(back.size(), forward.size()) &&
                   back[differs] == forward[differs])
                ++differs;
            const auto at = [](const QStringList& texts, qsizetype i) {
                return i < texts.size() ? texts[i] : QStringLiteral("(none)");
            };
            fail(QStringLiteral("Redo all the way did not retrace Undo: %1 steps back, %2 "
                                "forward; Undo step %3 gave\n«%4»\nand Redo\n«%5»")
                     .arg(back.size())
                     .arg(forward.size())
                     .arg(differs)
                     .arg(at(backTexts, differs), at(forwardTexts, differs)));
        }
        mAuditing = false;
    }
    // A worksheet saved on its way out is saved with its text as it stood.
    void checkSaved(const QString& path, const QString& text) {
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const WorksheetReadResult read =
            parseWorksheetFile(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        QTextDocument kept;
        if (!read.file || !read.file->text ||
            !rtf::readRtf(QByteArray::fromStdString(*read.file->text), kept) ||
            kept.toPlainText() != text)
            fail(QStringLiteral("the worksheet saved on closing does not hold its text as it "
                                "stood: «%1»")
                     .arg(tail(kept.toPlainText())));
    }

private:
    static std::size_t hashOf(const QString& text) { return qHash(text); }
    WorksheetEditor* view() const { return editorOf(mDocument); }
    void fail(const QString& what) {
        if (mFailure.isEmpty())
            mFailure = what;
    }

    // Every answer the worksheet writes goes directly under the line it answers.
    void checkAnswerPlace() {
        if (mAwaited.isNull())
            return;
        const QTextBlock statement = mAwaited.block();
        mAwaited = QTextCursor();
        const QTextBlock answer = statement.next();
        const auto coloured = [](const QTextBlock& block) {
            QTextCursor inside(block);
            inside.movePosition(QTextCursor::NextCharacter);
            const QColor colour = inside.charFormat().foreground().color();
            return !block.text().isEmpty() && (colour == successFormat().foreground().color() ||
                                               colour == errorFormat().foreground().color());
        };
        if (!statement.text().endsWith(kCalculatedMarker) || !coloured(answer))
            fail(QStringLiteral("the answer did not land under «%1»: the next line is «%2»")
                     .arg(statement.text(), answer.text()));
    }

    // How long the worksheet's tool may take to catch up with its state after a restart.
    static constexpr int kToolCatchUpMs = 5000;

    QString mToolStateFolder;
    bool mVerbose;
    QPointer<MyDocument> mDocument;
    QString mFailure;
    // The statement whose answer is awaited, at the start of its line.
    QTextCursor mAwaited;
    // The texts the worksheet has had since it was opened, and the one it was opened with.
    QSet<std::size_t> mSeen;
    std::size_t mOpenedWith = 0;
    bool mAuditing = false;
};
