#include "rtftestsupport.h"

#include <QGuiApplication>
#include <QTest>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const std::unique_ptr<QObject> tests[] = {
        rtftest::makeFontNameTest(),       rtftest::makeReaderTest(),
        rtftest::makeMalformedInputTest(), rtftest::makeWriterTest(),
        rtftest::makeRoundTripTest(),
    };
    int failed = 0;
    for (const auto& test : tests)
        failed += QTest::qExec(test.get(), argc, argv);
    return failed == 0 ? 0 : 1;
}
