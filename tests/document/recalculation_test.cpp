// Recalculating a worksheet: exactly the answers that depend on an edited line change, in one
// step that Undo takes back.

#include "document/mydocument.h"
#include "document/worksheeteditor.h"
#include "engine/calcstate.h"
#include "platform/documentcontroller.h"
#include "typing.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

class RecalculationTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<platform::DocumentController> mController;
    MyDocument* mWorksheet = nullptr;

    void calculate(const QString& line) { calculateLine(mWorksheet, line); }

    void replaceLine(const QString& from, const QString& to) {
        const QTextBlock block = mWorksheet->textView->document()->find(from).block();
        QVERIFY(block.isValid());
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(to);
    }

    QList<QVariant> recalculate() {
        QSignalSpy finished(mWorksheet, &MyDocument::recalculationFinished);
        mWorksheet->recalculateWorksheet();
        if (finished.isEmpty() && !finished.wait(20000))
            return {};
        return finished.takeFirst();
    }

    QString text() const { return mWorksheet->textView->toPlainText(); }

private slots:
    void init() {
        mController = std::make_unique<platform::DocumentController>(
            [] { return std::make_unique<MyDocument>(); });
        mWorksheet = static_cast<MyDocument*>(mController->newDocument());
    }
    void cleanup() { mController.reset(); }

    void changesExactlyTheDependentAnswers() {
        for (const char* line : {"rate = 0.2", "price = 100", "tax = price * rate",
                                 "half(a) = a / 2", "half(rate)", "total = price + tax"})
            calculate(QString::fromUtf8(line));
        mWorksheet->textView->moveCursor(QTextCursor::End);
        mWorksheet->textView->insertPlainText(QStringLiteral("a note =\n"));
        replaceLine(QStringLiteral("price = 100 ="), QStringLiteral("price = 200 ="));
        const QString edited = text();

        const QList<QVariant> result = recalculate();
        QCOMPARE(result.value(0).toInt(), 3);
        QCOMPARE(result.value(1).toBool(), true);
        QCOMPARE(text(), QStringLiteral("rate = 0.2 =\n0.2\nprice = 200 =\n200\n"
                                        "tax = price * rate =\n40\nhalf(a) = a / 2 =\n"
                                        "Function defined\nhalf(rate) =\n0.1\n"
                                        "total = price + tax =\n240\na note =\n"));
        QCOMPARE(*FindVariable(*mWorksheet->calcState(), "total"), 240.0);
        QVERIFY(!mWorksheet->isCalculating());

        // One step back restores every answer, and the worksheet calculates on as before.
        mWorksheet->textView->undo();
        QCOMPARE(text(), edited);
        calculate(QStringLiteral("total * 2"));
        QVERIFY(text().endsWith(QStringLiteral("total * 2 =\n480\n")));
    }

    void reportsLinesThatNowFail() {
        calculate(QStringLiteral("x = 4"));
        calculate(QStringLiteral("sqrt(x)"));
        replaceLine(QStringLiteral("sqrt(x) ="), QStringLiteral("sqrt(x)) ="));
        const QList<QVariant> result = recalculate();
        QCOMPARE(result.value(0).toInt(), 1);
        QCOMPARE(result.value(1).toBool(), false);
        QVERIFY(text().endsWith(QStringLiteral("sqrt(x)) =\nSyntax error: unexpected “)”\n")));
    }

    void anUnchangedWorksheetStaysUnchanged() {
        calculate(QStringLiteral("y = 3"));
        calculate(QStringLiteral("y^2"));
        const QString before = text();
        mWorksheet->setDocumentEdited(false);
        QCOMPARE(recalculate().value(0).toInt(), 0);
        QCOMPARE(text(), before);
        QVERIFY(!mWorksheet->isDocumentEdited());
    }
};

int runRecalculationTests(int argc, char** argv) {
    RecalculationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recalculation_test.moc"
