// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the random-action test types and copies.

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QMimeData>
#include <QString>
#include <QStringList>

#include <functional>

// Statements of every kind: values, assignments, definitions, calls, errors, lines the tool
// answers slowly ("slow"), recursion that runs out of time, names that are a variable and a
// function at once, and quantities with units.
inline const QStringList& monkeyStatements() {
    static const QStringList statements = {
        QStringLiteral("1+2"),
        QStringLiteral("x = 5"),
        QStringLiteral("y = x * 2"),
        QStringLiteral("x + y"),
        QStringLiteral("2pi"),
        QStringLiteral("50%"),
        QStringLiteral("0x1F + 1"),
        QStringLiteral("f(a) = a^2"),
        QStringLiteral("f(3)"),
        QStringLiteral("g(a, b) = a + b"),
        QStringLiteral("g(1, 2)"),
        QStringLiteral("if(x > 3, 1, 2)"),
        QStringLiteral("last * 2"),
        QStringLiteral("x = x + 1"),
        QStringLiteral("slow = 7"),
        QStringLiteral("slow * 3"),
        QStringLiteral("1 / 0"),
        QStringLiteral("junk + 1"),
        QStringLiteral("(((1+2)"),
        QStringLiteral("sqrt(-1)"),
        QStringLiteral("f = 2"),
        QStringLiteral("h = f(1) + f"),
        QStringLiteral("r(n) = r(n + 1)"),
        QStringLiteral("r(1)"),
        QStringLiteral(" = "),
        QStringLiteral("é"),
        QStringLiteral("d = 5 km"),
        QStringLiteral("d in m"),
        QStringLiteral("x km + 300 m"),
        QStringLiteral("20 °C in °F"),
        QStringLiteral("d + 3 kg"),
    };
    return statements;
}

// What another program may have left on the clipboard.
struct MonkeyClipboard {
    QString name;
    std::function<QMimeData*()> make;
};

inline const QList<MonkeyClipboard>& monkeyClipboards() {
    static const QList<MonkeyClipboard> contents = {
        {QStringLiteral("nothing"), [] { return new QMimeData; }},
        {QStringLiteral("a picture"),
         [] {
             QImage image(4, 4, QImage::Format_RGB32);
             image.fill(Qt::blue);
             auto* data = new QMimeData;
             data->setImageData(image);
             return data;
         }},
        {QStringLiteral("HTML"),
         [] {
             auto* data = new QMimeData;
             data->setHtml(QStringLiteral("<p><b>$1,2</b>34 + 5</p>"));
             return data;
         }},
        {QStringLiteral("RTF"),
         [] {
             auto* data = new QMimeData;
             data->setData(QStringLiteral("text/rtf"), "{\\rtf1\\ansi 6 * 7\\par x = 3}");
             return data;
         }},
        {QStringLiteral("statements"),
         [] {
             auto* data = new QMimeData;
             data->setText(QStringLiteral("a1 = 3\nf(a1) =\n1 + 1 =\n2\n"));
             return data;
         }},
        {QStringLiteral("ten megabytes"),
         [] {
             const QString line = QStringLiteral("1234.5 * 2 + ").repeated(9) + "7\n";
             auto* data = new QMimeData;
             data->setText(line.repeated(10'000'000 / line.size()));
             return data;
         }},
    };
    return contents;
}
