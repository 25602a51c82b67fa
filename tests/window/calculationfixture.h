// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A worksheet window (offscreen) with the real CalcTool, and small stand-in tools for the
// ways a tool can fail: what the calculation tests share.

#include "../worksheet/standintools.h"
#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"
#include "paintcounter.h"
#include "platform/documentcontroller.h"
#include "platform/keyedtexts.h"
#include "toollink/toollink.h"
#include "typing.h"
#include "worksheet/answerformats.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

// Text colours by run, "none" for text without a colour of its own.
inline QString colourAt(QTextDocument* document, int position) {
    QTextCursor cursor(document);
    cursor.setPosition(position + 1);
    const QTextCharFormat format = cursor.charFormat();
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color().name()
                                                            : QStringLiteral("none");
}

class CalculationFixture : public QObject {
protected:
    QTemporaryDir mFolder;
    platform::DocumentController* mController = nullptr;
    MyDocument* mDocument = nullptr;

    WorksheetEditor* view() { return editorOf(mDocument); }

    // Types the text, as the editor takes typing, at the end of the worksheet.
    void type(const QString& text) {
        QTextCursor cursor = view()->textCursor();
        cursor.insertText(text);
        view()->setTextCursor(cursor);
    }

    [[nodiscard]] bool calculate(const QString& line) { return typeAndCalculate(mDocument, line); }

    QString standIn(const QString& name, const QByteArray& script) {
        return writeStandIn(mFolder, name, script);
    }

    void useTool(const QString& path) {
        mDocument->worksheet()->tool()->setToolPath(path);
        mDocument->worksheet()->startTool();
    }

    // A new worksheet with its tool running, for each test.
    [[nodiscard]] bool openWorksheet() {
        mController = new platform::DocumentController(
            worksheetDocumentType(), [] { return std::make_unique<MyDocument>(); });
        mDocument = static_cast<MyDocument*>(mController->newDocument());
        // The tool starts once the window has been painted.
        return QTest::qWaitFor([this] { return mDocument->worksheet()->tool()->isRunning(); },
                               kAnswerWaitMs);
    }
    void closeWorksheet() {
        delete mController;
        mController = nullptr;
        qunsetenv("FIGURELLO_STANDIN_FAULT");
    }
};
