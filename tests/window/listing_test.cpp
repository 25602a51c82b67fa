// SPDX-License-Identifier: GPL-3.0-or-later
// The listings of defined symbols and the cleaned paste.

#include "engine/calcengine.h"
#include "engine/calcstate.h"
#include "engine/dictionaries.h"
#include "platform/documentcontroller.h"
#include "window/mydocument.h"
#include "window/worksheeteditor.h"
#include "windowtesting.h"
#include "worksheet/answerformats.h"
#include "worksheet/resultformat.h"
#include "worksheet/symbollisting.h"
#include "worksheet/worksheettype.h"
#include "worksheettestmain.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QTest>

namespace {

plist::Value definition(std::initializer_list<const char*> texts) {
    plist::Array array;
    for (const char* text : texts)
        array.emplace_back(text);
    return plist::Value(std::move(array));
}

} // namespace

class ListingTest : public QObject {
    Q_OBJECT

private slots:
    void listsFunctions_data() {
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("expected");
        QTest::newRow("decimal point") << false
                                       << "Defined functions:\nc(  ) = 42\nf( a, b, c ) = a+b*c"
                                          "\nG( x ) = 1.5x";
        QTest::newRow("decimal comma") << true
                                       << "Defined functions:\nc(  ) = 42\nf( a; b; c ) = a+b*c"
                                          "\nG( x ) = 1.5x";
    }
    void listsFunctions() {
        QFETCH(bool, comma);
        QFETCH(QString, expected);
        const plist::Dictionary functions = {{"f", definition({"a+b*c", "a", "b", "c"})},
                                             {"G", definition({"1.5x", "x"})},
                                             {"c", definition({"42"})}};
        // Sorted without regard to case; a parameterless function keeps its two blanks; bodies
        // stay in the standard notation.
        const CalcStatePtr state = NewCalcState();
        LoadFunctionsDictionary(functions, *state);
        QCOMPARE(functionsListing(QStringLiteral("Defined functions:"), *state, comma), expected);
    }

    void listsVariables_data() {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("expected");
        QTest::newRow("decimal") << false << false << "Vars:\nb = 255\nlast = 0.5\nZed = -1";
        QTest::newRow("hexadecimal") << true << false << "Vars:\nb = 0xFF\nlast = 0.5\nZed = -1";
        QTest::newRow("decimal comma") << false << true << "Vars:\nb = 255\nlast = 0,5\nZed = -1";
    }
    void listsVariables() {
        QFETCH(bool, hex);
        QFETCH(bool, comma);
        QFETCH(QString, expected);
        const plist::Dictionary variables = {
            {"Zed", plist::Value(-1.0)}, {"last", plist::Value(0.5)}, {"b", plist::Value(255.0)}};
        const auto format = [&](double v) { return formatCalculatedResult(v, hex, comma); };
        const CalcStatePtr state = NewCalcState();
        QCOMPARE(variablesListing(QStringLiteral("Vars:"), *state, format),
                 QStringLiteral("Vars:"));
        LoadVariablesDictionary(variables, *state);
        QCOMPARE(variablesListing(QStringLiteral("Vars:"), *state, format), expected);
    }

    void pastesWithoutCommasAndDollars_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("a price with a decimal comma") << "$9,99"
                                                      << "999";
        QTest::newRow("a price with a decimal point") << "$3.50"
                                                      << "3.50";
        QTest::newRow("nothing but the removed characters") << ",$,"
                                                            << "";
        QTest::newRow("thousands") << "1,234,567.89"
                                   << "1234567.89";
    }
    void pastesWithoutCommasAndDollars() {
        QFETCH(QString, clipboard);
        QFETCH(QString, pasted);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        QGuiApplication::clipboard()->setText(clipboard);
        commandOf(document, QStringLiteral("Paste &Without Commas and $"))->trigger();
        QCOMPARE(editorOf(document)->toPlainText(), pasted);
        QCOMPARE(document->isDocumentEdited(), !pasted.isEmpty());
    }

    void insertsListingsAtTheInsertionPoint() {
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        double value = 0;
        std::size_t stop = 0;
        EvaluateStatement("x = 2", *document->worksheet()->state(), value, stop);
        EvaluateStatement("sq(a) = a^2", *document->worksheet()->state(), value, stop);
        commandOf(document, QStringLiteral("List &Variables"))->trigger();
        commandOf(document, QStringLiteral("List &Functions"))->trigger();
        QCOMPARE(editorOf(document)->toPlainText(),
                 QStringLiteral("Defined variables:\nlast = 2\nx = 2\n"
                                "Defined functions:\nsq( a ) = a^2\n"));
        QTextCursor cursor(editorOf(document)->document());
        cursor.setPosition(3);
        QCOMPARE(cursor.charFormat().foreground().color(), resultGreen());
    }

    // Forgetting one symbol rebuilds the state with everything else; cancelling keeps the very
    // same state; the running tool still knows the symbol until it is next started.
    void forgetsOneSymbolAndNothingElse_data() {
        QTest::addColumn<bool>("function");
        QTest::addColumn<QString>("name");
        QTest::newRow("a variable") << false << "x";
        QTest::newRow("a function") << true << "sq";
    }
    void forgetsOneSymbolAndNothingElse() {
        QFETCH(bool, function);
        QFETCH(QString, name);
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        double value = 0;
        std::size_t stop = 0;
        for (const char* line : {"x = 2", "y = 3", "d = 5 km", "sq(a) = a^2", "cube(a) = a^3"})
            EvaluateStatement(line, *document->worksheet()->state(), value, stop);
        const auto variables = CopyVariablesDictionary(*document->worksheet()->state());
        const auto functions = CopyFunctionsDictionary(*document->worksheet()->state());

        SCalcState* before = document->worksheet()->state();
        windowOf(document)->askWhatToForget(function);
        QVERIFY(windowOf(document)->forgetDialog()->isVisible());
        windowOf(document)->forgetDialog()->reject();
        QCOMPARE(document->worksheet()->state(), before);

        windowOf(document)->askWhatToForget(function);
        QComboBox* popup = windowOf(document)->forgetDialog()->popup();
        // A variable shows with its value, as the listing has it.
        if (!function)
            QCOMPARE(popup->itemText(popup->findData(QStringLiteral("d"))), "d = 5 km");
        popup->setCurrentIndex(popup->findData(name));
        emit windowOf(document)->forgetDialog()->forgetChosen();
        QVERIFY(!windowOf(document)->forgetDialog()->isVisible());
        auto expectedVariables = *variables;
        auto expectedFunctions = *functions;
        (function ? expectedFunctions : expectedVariables).erase(name.toStdString());
        QCOMPARE(CopyVariablesDictionary(*document->worksheet()->state()), expectedVariables);
        QCOMPARE(CopyFunctionsDictionary(*document->worksheet()->state()), expectedFunctions);
    }

    void offersNothingWhenThereIsNothingToForget() {
        platform::DocumentController documents(worksheetDocumentType(),
                                               [] { return std::make_unique<MyDocument>(); });
        auto* document = static_cast<MyDocument*>(documents.newDocument());
        SCalcState* before = document->worksheet()->state();
        windowOf(document)->askWhatToForget(true);
        QCOMPARE(windowOf(document)->forgetDialog()->popup()->count(), 0);
        emit windowOf(document)->forgetDialog()->forgetChosen();
        QCOMPARE(document->worksheet()->state(), before);
    }
};

FIGURELLO_WORKSHEET_TEST_MAIN(ListingTest)

#include "listing_test.moc"
