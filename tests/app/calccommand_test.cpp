// figurello calc as a user runs it: the printed worksheet and the exit status.

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class CalcCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir mFolder;

    struct Run {
        QString out;
        int status;
    };
    Run run(const QStringList& arguments, const QByteArray& input) {
        QProcess figurello;
        // A template of the user's must not change what a new worksheet holds.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), mFolder.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), mFolder.filePath("data"));
        figurello.setProcessEnvironment(environment);
        figurello.start(QStringLiteral(FIGURELLO_PATH), QStringList{"calc"} + arguments);
        // Written only once it runs: input written earlier can be lost with the channel closed.
        if (!figurello.waitForStarted(10000))
            return {QStringLiteral("did not start"), -1};
        figurello.write(input);
        figurello.closeWriteChannel();
        if (!figurello.waitForFinished(30000))
            return {QStringLiteral("timed out"), -1};
        return {QString::fromUtf8(figurello.readAllStandardOutput()), figurello.exitCode()};
    }

private slots:
    void calculatesAndPrints_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("status");
        QTest::newRow("every line answered")
            << QStringList{} << QByteArray("x = 2\n\nsq(a) = a^2\r\nsq(x) + 1\n")
            << "x = 2 =\n2\nsq(a) = a^2 =\nFunction defined\nsq(x) + 1 =\n5\n"
            << 0;
        QTest::newRow("a line in error") << QStringList{} << QByteArray("2 * -3\n1/4\n")
                                         << "2 * -3 =\nSyntax error\n1/4 =\n0.25\n"
                                         << 1;
        QTest::newRow("hexadecimal integers")
            << QStringList{"--hex"} << QByteArray("255\n0.5\n") << "255 =\n0xFF\n0.5 =\n0.5\n"
            << 0;
        QTest::newRow("standard input named -")
            << QStringList{"-"} << QByteArray("6*7\n") << "6*7 =\n42\n"
            << 0;
        QTest::newRow("unknown option") << QStringList{"--nonsense"} << QByteArray() << "" << 2;
        QTest::newRow("missing worksheet")
            << QStringList{"--open", "/nonexistent/a.figurello"} << QByteArray() << "" << 2;
        QTest::newRow("missing input")
            << QStringList{"/nonexistent/input.txt"} << QByteArray() << "" << 2;
    }
    void calculatesAndPrints() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, out);
        QFETCH(int, status);
        const Run result = run(arguments, input);
        QCOMPARE(result.out, out);
        QCOMPARE(result.status, status);
        // Its output is the worksheet: nothing is kept for reopening.
        QVERIFY(!QFileInfo::exists(mFolder.filePath("data/figurello")));
    }

    // What one run saves, the next one opens with its text and its variables and functions.
    void savesAndReopens() {
        const QString path = mFolder.filePath(QStringLiteral("saved.figurello"));
        QCOMPARE(run({"--save", path}, "r = 3\narea(r) = pi r^2\n").status, 0);
        const Run reopened = run({"--open", path}, "area(r) / pi\n");
        QCOMPARE(reopened.status, 0);
        QCOMPARE(reopened.out, QStringLiteral("r = 3 =\n3\narea(r) = pi r^2 =\nFunction "
                                              "defined\narea(r) / pi =\n9\n"));
    }
};

QTEST_GUILESS_MAIN(CalcCommandTest)
#include "calccommand_test.moc"
