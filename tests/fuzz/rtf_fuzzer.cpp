// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader: on success the document holds text, on failure it is left exactly as it was
// and the reason is given.

#include "fuzzcheck.h"
#include "rtf/rtfreader.h"
#include "qtapplication.h"

#include <QByteArray>
#include <QString>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartQtApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray rtf =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString before = QStringLiteral("untouched");
    QTextDocument document;
    document.setPlainText(before);
    QString error;
    if (rtf::readRtf(rtf, document, &error)) {
        FUZZ_CHECK(error.isEmpty());
    } else {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(document.toPlainText() == before);
    }
    return 0;
}
